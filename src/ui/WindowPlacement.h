// The remembered place of a window in the settings file, one section per
// window class and screen resolution ("MainScreen_Placement", or
// "MainScreen_Placement120" at 120 dpi). The class name comes from the
// window's meta-object, so the window's class must carry Q_OBJECT.
#pragma once

#include <QWidget>

#include <string>

namespace vl::ui {

// Applies the stored placement, fitted onto the window's screen: maximised,
// or the stored rectangle, or (nothing stored) the rectangle CenterDialog
// gives with `mainWindow`.
void RestorePlacement(QWidget& window, const std::string& iniFile, QWidget* mainWindow = nullptr);
// Stores the window's normal rectangle and whether it is maximised. Throws
// base::EIniWriteError when the file cannot be written.
void SavePlacement(QWidget& window, const std::string& iniFile);

}  // namespace vl::ui
