// The standard button row of a dialog, and running a dialog the way every
// dialog of the program runs.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace vl::ui {

// A button box whose accepting buttons accept the dialog and whose rejecting
// ones (Cancel, Close) reject it.
QDialogButtonBox* DialogButtons(QDialog& dialog, QDialogButtonBox::StandardButtons buttons);

// Centres the dialog (CenterDialog) and runs it modally; true when accepted.
bool ExecCentred(QDialog& dialog, QWidget* mainWindow);

// A button for a command a later version brings (the help pages): shown
// where it belongs, disabled, its hint saying so.
QPushButton* LaterButton(const QString& caption, const QString& hint, QWidget* parent);

}  // namespace vl::ui
