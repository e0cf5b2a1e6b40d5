// One decoded page of an image file, handed out row by row.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "faxdoc/PixelYield.h"

namespace vl::faxdoc {

// Widths and heights above this are refused as absurd.
inline constexpr int kMaxImageSide = 32768;

class ImageSourceRows {
public:
    virtual ~ImageSourceRows() = default;
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BytesPerRow() const { return (width_ + 7) / 8; }
    // Fills `row` (BytesPerRow() bytes) with the next row from the top: 1 =
    // black, bits right of the width 0. Answers 0 or ecBadGraphicsFormat when
    // the data runs out or is damaged; not called more than Height() times.
    virtual int NextRow(std::span<std::uint8_t> row) = 0;
    // Where dithering rows let the user interface run; not owned.
    void SetYield(PixelYield* yield) { yield_ = yield; }

protected:
    ImageSourceRows(int width, int height) : width_(width), height_(height) {}
    // Clears the bits right of the width in the row's last byte.
    void MaskLastByte(std::span<std::uint8_t> row) const {
        if (width_ % 8 != 0) row[row.size() - 1] &= static_cast<std::uint8_t>(0xFF << (8 - width_ % 8));
    }
    // After pixel x of a dithered row: every 8 pixels the user interface may run.
    int AfterPixel(int x) { return (x & 7) == 7 && yield_ != nullptr ? yield_->Check() : 0; }

private:
    int width_;
    int height_;
    PixelYield* yield_ = nullptr;
};

}  // namespace vl::faxdoc
