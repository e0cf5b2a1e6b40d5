#include "ui/WindowPlacement.h"

#include <QScreen>

#include <cmath>
#include <string_view>

#include "app/Placement.h"
#include "base/IniFile.h"
#include "ui/MessageBoxes.h"
#include "ui/ScreenRect.h"

namespace vl::ui {

namespace {

// "vl::ui::MainScreen" -> "MainScreen".
std::string_view ClassName(const QWidget& window)
{
    std::string_view name = window.metaObject()->className();
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string Section(const QWidget& window)
{
    const QScreen* screen = window.screen();
    const int dpi = screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
    return app::PlacementSection(ClassName(window), dpi);
}

}  // namespace

void RestorePlacement(QWidget& window, const std::string& iniFile, QWidget* mainWindow)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    const auto ini = base::IniFile::Load(iniFile);
    const app::StoredPlacement stored = app::ReadPlacement(ini, Section(window), window.isMaximized());
    CenterDialog(window, mainWindow);
    const QSize size = screen->geometry().size();
    const app::PlacementResult fitted =
        app::FitPlacement(stored, ToRect(window.geometry()), size.width(), size.height());
    if (fitted.Maximize)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    else
        window.setGeometry(ToQRect(fitted.Bounds));
}

void SavePlacement(QWidget& window, const std::string& iniFile)
{
    auto ini = base::IniFile::Load(iniFile);
    const QRect normal = window.isMaximized() && window.normalGeometry().isValid() ? window.normalGeometry()
                                                                                    : window.geometry();
    app::WritePlacement(ini, Section(window), {ToRect(normal), window.isMaximized()});
    ini.Save();
}

}  // namespace vl::ui
