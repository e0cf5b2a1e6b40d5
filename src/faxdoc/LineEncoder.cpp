#include "faxdoc/LineEncoder.h"

#include <algorithm>
#include <bit>

#include "faxdoc/MhRunWriter.h"

namespace vl::faxdoc {

namespace {

bool IsBlank(std::span<const std::uint8_t> raster, int width) {
    const auto bytes = std::min(raster.size(), static_cast<std::size_t>(width / 8));
    return std::all_of(raster.begin(), raster.begin() + static_cast<std::ptrdiff_t>(bytes),
                       [](std::uint8_t b) { return b == 0; });
}

// The first pixel at or after x and before end that is not of the given colour.
int FindChange(std::span<const std::uint8_t> raster, int x, int end, MhColor color) {
    while (x < end) {
        const auto index = static_cast<std::size_t>(x >> 3);
        std::uint8_t bits = index < raster.size() ? raster[index] : 0;
        if (color == MhColor::Black) bits = static_cast<std::uint8_t>(~bits);
        bits &= static_cast<std::uint8_t>(0xFF >> (x & 7));
        if (bits != 0) return std::min(end, static_cast<int>(index * 8) + std::countl_zero(bits));
        x = static_cast<int>(index + 1) * 8;
    }
    return end;
}

MhColor Other(MhColor color) { return color == MhColor::White ? MhColor::Black : MhColor::White; }

}  // namespace

LineEncoder::LineEncoder(const LineLayout& layout)
    : width_(layout.width == kWideWidth ? kWideWidth : kNormalWidth),
      leftMargin_(std::clamp(layout.leftMargin, 0, width_)),
      doubleWidth_(layout.doubleWidth) {}

std::span<const std::uint8_t> LineEncoder::Encode(std::span<const std::uint8_t> raster) {
    writer_.Reset();
    writer_.Put(MhCodes().alignedEol);
    const int scanned = width_ - leftMargin_;
    if (scanned == 0 || IsBlank(raster, width_)) {
        PutMhRun(writer_, MhColor::White, width_);
        return writer_.Record();
    }
    // The margin joins the leading white of the raster, or stands alone (and
    // undoubled) when the raster starts black.
    int x = FindChange(raster, 0, scanned, MhColor::White);
    int room = width_;  // pixels the doubled runs may fill
    int run = leftMargin_ + x;
    MhColor color = MhColor::White;
    if (x == 0) {
        PutMhRun(writer_, MhColor::White, leftMargin_);
        room -= leftMargin_;
        color = MhColor::Black;
        x = FindChange(raster, 0, scanned, color);
        run = x;
    }
    while (true) {
        const bool last = x == scanned;
        if (doubleWidth_) {
            // Doubled runs stop at the line's end, and the last run fills up
            // to it, so the line is always exactly the width.
            run = last ? room : std::min(2 * run, room);
            room -= run;
        }
        PutMhRun(writer_, color, run);
        if (last || (doubleWidth_ && room == 0)) break;
        color = Other(color);
        const int end = FindChange(raster, x, scanned, color);
        run = end - x;
        x = end;
    }
    return writer_.Record();
}

}  // namespace vl::faxdoc
