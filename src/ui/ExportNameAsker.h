// Where an export goes: asked through a seam the tests replace, by default
// the save dialog.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vl::ui {

// Given the filter and the proposed name, answers the chosen file, or an
// empty name for cancel.
using ExportNameAsker = std::function<QString(const QString& filter, const QString& proposed)>;

// The name for a file with that extension ("PDF"): the asker's answer when
// there is one, else the save dialog's over `parent`.
QString AskExportName(const ExportNameAsker& asker, QWidget* parent, const QString& extension);

}  // namespace vl::ui
