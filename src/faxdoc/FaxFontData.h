// The built-in fax font as one block of bytes: the small font's 256 glyphs
// (12 x 8, 16 bytes each) at 0..4095, then the standard font's 256 glyphs
// (20 x 16, 48 bytes each) at 4096..16383. Made by tools/faxfont.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vl::faxdoc {

inline constexpr std::size_t kFaxFontDataSize = 16384;

extern const std::array<std::uint8_t, kFaxFontDataSize> kFaxFontData;

}  // namespace vl::faxdoc
