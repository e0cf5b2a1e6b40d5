// A one-bit-per-pixel picture in the fax raster convention: 1 = black, bit 7
// of a row's first byte is its leftmost pixel, rows packed to whole bytes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vl::gfx {

class MonoBitmap {
public:
    MonoBitmap() = default;
    // All white. Throws std::invalid_argument for a negative side and
    // std::length_error above kMaxSide.
    MonoBitmap(int width, int height);

    static constexpr int kMaxSide = 32768;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BytesPerRow() const { return (width_ + 7) / 8; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::span<std::uint8_t> Row(int y);
    std::span<const std::uint8_t> Row(int y) const;
    std::span<const std::uint8_t> Bits() const { return bits_; }

    // Pixels outside the bitmap read as white; writes to them are ignored.
    bool Black(int x, int y) const;
    void SetBlack(int x, int y, bool black);

    void Fill(bool black);
    // Swaps black and white; bits right of the width stay 0.
    void Invert();

    bool operator==(const MonoBitmap&) const = default;

private:
    void ClearPadding();

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bits_;
};

}  // namespace vl::gfx
