#include "app/Placement.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace vl::app {

namespace {

constexpr int kBaseDpi = 96;

// Stored coordinates come from a file and may be anything; the arithmetic is
// done wide and the results pinned to the range of int.
int ToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

// Moves [low, high) back inside [0, limit): first off the far edge, then, if
// that pushed it past the near edge, to start at 1.
void FitSpan(int& low, int& high, int limit) {
    std::int64_t l = low;
    std::int64_t h = high;
    if (h > limit) {
        l -= h - limit;
        h = limit;
    }
    if (l < 0) {
        h += 1 - l;
        l = 1;
    }
    low = ToInt(l);
    high = ToInt(h);
}

// The start of a span of `size` centred in [low, high); C++ division rounds
// toward zero, as the centring has always done.
int CenterStart(int low, int high, int size) {
    return ToInt(low + (std::int64_t{high} - low - size) / 2);
}

}  // namespace

Rect CenterRect(int width, int height, const Rect& area) {
    int left = CenterStart(area.Left, area.Right, width);
    int top = CenterStart(area.Top, area.Bottom, height);
    return {left, top, ToInt(std::int64_t{left} + width), ToInt(std::int64_t{top} + height)};
}

PlacementResult FitPlacement(const StoredPlacement& stored, const Rect& centred, int screenWidth,
                             int screenHeight) {
    if (stored.Maximized) return {true, {}};
    Rect r = stored.Normal.Bottom == 0 ? centred : stored.Normal;
    FitSpan(r.Left, r.Right, screenWidth);
    FitSpan(r.Top, r.Bottom, screenHeight);
    return {false, r};
}

std::string PlacementSection(std::string_view className, int dpi) {
    std::string section = std::string(className) + "_Placement";
    if (dpi > kBaseDpi) section += std::to_string(dpi);
    return section;
}

StoredPlacement ReadPlacement(const base::IniFile& ini, std::string_view section, bool maximizedNow) {
    StoredPlacement p;
    p.Normal.Left = ini.ReadInteger(section, "Left", 0);
    p.Normal.Top = ini.ReadInteger(section, "Top", 0);
    p.Normal.Right = ini.ReadInteger(section, "Right", 0);
    p.Normal.Bottom = ini.ReadInteger(section, "Bottom", 0);
    p.Maximized = ini.ReadBool(section, "Maximized", maximizedNow);
    return p;
}

void WritePlacement(base::IniFile& ini, std::string_view section, const StoredPlacement& placement) {
    ini.WriteInteger(section, "Left", placement.Normal.Left);
    ini.WriteInteger(section, "Top", placement.Normal.Top);
    ini.WriteInteger(section, "Right", placement.Normal.Right);
    ini.WriteInteger(section, "Bottom", placement.Normal.Bottom);
    ini.WriteBool(section, "Maximized", placement.Maximized);
}

}  // namespace vl::app
