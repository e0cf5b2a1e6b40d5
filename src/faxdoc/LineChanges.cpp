#include "faxdoc/LineChanges.h"

#include <algorithm>
#include <bit>

namespace vl::faxdoc {

void LineChanges::FromRaster(std::span<const std::uint8_t> raster) {
    count_ = 0;
    const auto bytes = std::min(raster.size(), static_cast<std::size_t>((width_ + 7) / 8));
    unsigned previous = 0;  // the colour of the pixel before the byte, as a whole byte
    for (std::size_t i = 0; i < bytes; ++i) {
        const unsigned byte = raster[i];
        if (byte == previous) continue;
        // A bit for every pixel whose left neighbour has the other colour.
        unsigned flips = (byte ^ (byte >> 1 | (previous & 0x80u))) & 0xFFu;
        const int base = static_cast<int>(i) * 8;
        while (flips != 0) {
            const int bit = std::countl_zero(flips) - 24;
            const int x = base + bit;
            if (x >= width_) break;
            at_[static_cast<std::size_t>(count_++)] = static_cast<std::uint16_t>(x);
            flips &= ~(0x80u >> bit);
        }
        previous = byte & 1u ? 0xFFu : 0u;
    }
    Close();
}

void LineChanges::Render(std::span<std::uint8_t> row) const {
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    for (int i = 0; i < count_; i += 2) {
        const int from = at_[static_cast<std::size_t>(i)];
        const int last = at_[static_cast<std::size_t>(i + 1)] - 1;  // the width when the line ends black
        const auto firstByte = static_cast<std::size_t>(from >> 3);
        const auto lastByte = static_cast<std::size_t>(last >> 3);
        const auto head = static_cast<std::uint8_t>(0xFF >> (from & 7));
        const auto tail = static_cast<std::uint8_t>(0xFF << (7 - (last & 7)));
        if (firstByte == lastByte) {
            row[firstByte] |= head & tail;
            continue;
        }
        row[firstByte] |= head;
        std::fill(row.begin() + static_cast<std::ptrdiff_t>(firstByte) + 1,
                  row.begin() + static_cast<std::ptrdiff_t>(lastByte), std::uint8_t{0xFF});
        row[lastByte] |= tail;
    }
}

}  // namespace vl::faxdoc
