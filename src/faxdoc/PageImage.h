// A decoded fax page as a packed one-bit image.
#pragma once

#include <cstdint>
#include <vector>

namespace vl::faxdoc {

// Rows of `stride` bytes, top row first; a 1 bit is black and bit 7 of a row's
// first byte is its leftmost pixel. Bits right of `width` are 0. A page in which
// no line was accepted has width, height and stride 0.
struct PageImage {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> bits;

    const std::uint8_t* Row(int y) const { return bits.data() + static_cast<std::size_t>(y) * stride; }
    bool Black(int x, int y) const { return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1; }
};

}  // namespace vl::faxdoc
