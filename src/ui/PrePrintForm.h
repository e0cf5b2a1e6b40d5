// "Print": the pages to print and the print options, before a fax is printed
// from the main window or the viewer.
#pragma once

#include <QDialog>

#include "app/Settings.h"

class QCheckBox;
class QSpinBox;

namespace vl::ui {

class PrePrintForm : public QDialog {
    Q_OBJECT

public:
    // The range `first`..`last` of a fax of `pageCount` pages. For the current
    // page alone, both boxes hold it and cannot be changed, nor can four
    // pages to a sheet be asked for.
    PrePrintForm(int pageCount, int first, int last, const app::PrintOptions& options, bool currentPageOnly,
                 QWidget* parent = nullptr);

    int FromPage() const;
    int ToPage() const;
    // The four boxes, whatever the window ended with.
    app::PrintOptions Options() const;

private:
    QSpinBox* PageBox(const char* name, int pageCount, int value, bool enabled);
    QCheckBox* OptionBox(const char* name, const QString& caption, bool checked);
    void OkClicked();

    QSpinBox* from_;
    QSpinBox* to_;
    QCheckBox* multiPage_;
    QCheckBox* header_;
    QCheckBox* footer_;
    QCheckBox* stretch_;
};

}  // namespace vl::ui
