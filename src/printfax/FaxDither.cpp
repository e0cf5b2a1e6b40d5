#include "printfax/FaxDither.h"

#include <algorithm>
#include <vector>

#include "printfax/FaxGeometry.h"

namespace vl::printfax {

gfx::MonoBitmap DitherToFax(const QImage& grey) {
    const int width = std::min(grey.width(), kFaxWidth);
    const int offset = (kFaxWidth - width) / 2;
    gfx::MonoBitmap page(kFaxWidth, grey.height());
    // The error owed to this row and the next, one slot of margin each side.
    std::vector<int> owed(static_cast<std::size_t>(width) + 2);
    std::vector<int> next(owed.size());
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        const std::span<std::uint8_t> out = page.Row(y);
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < width; ++x) {
            const int level = in[x];
            bool black = level <= kNearBlack;
            // Near-black and near-white pixels neither take nor pass on error.
            if (level > kNearBlack && level < kNearWhite) {
                const int wanted = level + owed[static_cast<std::size_t>(x) + 1];
                black = wanted < 128;
                const int error = wanted - (black ? 0 : 255);
                const int right = error * 7 / 16;
                const int below = error * 5 / 16;
                const int belowLeft = error * 3 / 16;
                const auto at = static_cast<std::size_t>(x);
                owed[at + 2] += right;
                next[at] += belowLeft;
                next[at + 1] += below;
                next[at + 2] += error - right - below - belowLeft;
            }
            if (black) {
                const int column = offset + x;
                out[static_cast<std::size_t>(column >> 3)] |= static_cast<std::uint8_t>(0x80 >> (column & 7));
            }
        }
        std::swap(owed, next);
    }
    return page;
}

}  // namespace vl::printfax
