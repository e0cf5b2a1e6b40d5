// Where windows reappear: the remembered rectangle of a window, fitted onto
// the current screen, and the centring of dialogs.
#pragma once

#include <string>
#include <string_view>

#include "base/IniFile.h"

namespace vl::app {

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The five keys of a window's placement section; Bottom 0 means nothing was stored.
struct StoredPlacement {
    Rect Normal;  // the window's normal (not maximised) rectangle
    bool Maximized = false;
};

struct PlacementResult {
    bool Maximize = false;  // maximise the window; Bounds does not apply
    Rect Bounds;
};

// A rectangle of the given size centred in the area; halves round toward zero.
Rect CenterRect(int width, int height, const Rect& area);

// The stored placement fitted onto a screen of the given size. `centred` is
// the window's rectangle after centring it, used when nothing was stored. A
// rectangle past the right or bottom edge is moved back; one that then starts
// left of or above the screen is moved so that it starts at 1.
PlacementResult FitPlacement(const StoredPlacement& stored, const Rect& centred, int screenWidth,
                             int screenHeight);

// className + "_Placement", with the resolution appended above 96 dpi, so
// that each resolution keeps its own placement.
std::string PlacementSection(std::string_view className, int dpi);

// Missing coordinates read as 0; a missing Maximized as whether the window
// is maximised now.
StoredPlacement ReadPlacement(const base::IniFile& ini, std::string_view section, bool maximizedNow);
void WritePlacement(base::IniFile& ini, std::string_view section, const StoredPlacement& placement);

}  // namespace vl::app
