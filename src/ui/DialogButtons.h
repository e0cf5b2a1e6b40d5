// The standard button row of a dialog, and running a dialog the way every
// dialog of the program runs.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>

#include <initializer_list>

namespace vl::ui {

// A button box whose accepting buttons accept the dialog and whose rejecting
// ones (Cancel, Close) reject it.
QDialogButtonBox* DialogButtons(QDialog& dialog, QDialogButtonBox::StandardButtons buttons);

// Centres the dialog (CenterDialog) and runs it modally; true when accepted.
bool ExecCentred(QDialog& dialog, QWidget* mainWindow);

// A button with its caption and the object name it is found by.
QPushButton* NamedButton(const char* caption, const char* name);

// A dialog's own buttons at the right end of a row, the spare width before them.
QHBoxLayout* RightAlignedRow(std::initializer_list<QWidget*> buttons);

}  // namespace vl::ui
