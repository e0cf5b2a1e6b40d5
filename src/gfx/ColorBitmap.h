// A picture in 24-bit colour, one 0xRRGGBB value per pixel, rows from the top.
#pragma once

#include <cstdint>
#include <vector>

namespace vl::gfx {

struct ColorBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height values

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace vl::gfx
