// The program's message boxes, and the centring every dialog goes through
// before it is shown. `mainWindow` is the program's main window (null when
// there is none yet); texts may break lines with CR or CR LF.
#pragma once

#include <QWidget>

#include <string>

namespace vl::ui {

// Caption "Information", the information icon and an OK button.
void ShowInformation(const std::string& text, QWidget* mainWindow);
// The same under a caption of the caller's.
void ShowInformation(const std::string& text, const std::string& caption, QWidget* mainWindow);
// Yes and No with the question icon; true for Yes. Escape answers No.
bool AskYesNo(const std::string& text, const std::string& caption, QWidget* mainWindow);
// The same with No as the default button, for destructive actions.
bool AskYesNoDefaultNo(const std::string& text, const std::string& caption, QWidget* mainWindow);

// Centres the dialog over the main window, or on the screen when the dialog
// is the main window itself, the main window is maximised, or there is none.
// Halves round toward zero. A dialog not yet sized takes its preferred size.
void CenterDialog(QWidget& dialog, QWidget* mainWindow);

}  // namespace vl::ui
