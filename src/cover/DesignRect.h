// A rectangle on the design page in the page's current (zoomed) pixels.
#pragma once

#include <cstdint>

namespace vl::cover {

struct DesignRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    std::int32_t Right() const { return left + width; }
    std::int32_t Bottom() const { return top + height; }
    bool Contains(std::int32_t x, std::int32_t y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
    // Touching edges do not count: the rectangles must share a pixel.
    bool Intersects(const DesignRect& other) const {
        return left < other.Right() && other.left < Right() && top < other.Bottom() && other.top < Bottom();
    }
    bool operator==(const DesignRect&) const = default;
};

// The rectangle spanned by two corners in any order.
inline DesignRect NormalizedRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    const std::int32_t left = x0 < x1 ? x0 : x1;
    const std::int32_t top = y0 < y1 ? y0 : y1;
    return {left, top, (x0 < x1 ? x1 : x0) - left, (y0 < y1 ? y1 : y0) - top};
}

}  // namespace vl::cover
