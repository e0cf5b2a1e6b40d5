// The font of a text object as the design file stores it. The height is the
// negative character height in pixels at 96 pixels per inch; the point size is
// derived from it.
#pragma once

#include <cstdint>
#include <string>

namespace vl::cover {

// Colours are 00BBGGRR.
inline constexpr std::uint32_t kColorBlack = 0x000000;
inline constexpr std::uint32_t kColorWhite = 0xFFFFFF;

enum class FontPitch { Default, Variable, Fixed };

struct CoverFont {
    std::uint32_t color = kColorBlack;
    std::int32_t height = -13;
    std::string name = "Arial";
    FontPitch pitch = FontPitch::Default;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    int Points() const;
    void SetPoints(int points);

    bool operator==(const CoverFont&) const = default;
};

// Text prints on a fax in black, or white on a black shape; any other colour
// the user picks becomes black.
std::uint32_t CoverTextColor(std::uint32_t picked);

}  // namespace vl::cover
