#include "gfx/BitmapRotation.h"

#include <cstddef>
#include <stdexcept>

namespace vl::gfx {

namespace {

int RoundUpTo8(int value) { return (value + 7) / 8 * 8; }

// Calls place(x, y) for each black pixel; pages are mostly white, so whole
// white bytes are skipped.
template <typename Place>
void ForEachBlack(const MonoBitmap& source, Place place) {
    for (int y = 0; y < source.Height(); ++y) {
        const auto row = source.Row(y);
        for (std::size_t i = 0; i < row.size(); ++i) {
            const unsigned byte = row[i];
            if (byte == 0) continue;
            for (int bit = 0; bit < 8; ++bit) {
                if ((byte & (0x80u >> bit)) != 0) place(static_cast<int>(i) * 8 + bit, y);
            }
        }
    }
}

}  // namespace

MonoBitmap RotateClockwise(const MonoBitmap& source, int quarterTurns) {
    const int w = source.Width();
    const int h = source.Height();
    switch (quarterTurns) {
        case 0: return source;
        case 1: {
            MonoBitmap turned(h, RoundUpTo8(w));
            ForEachBlack(source, [&](int x, int y) { turned.SetBlack(h - 1 - y, x, true); });
            return turned;
        }
        case 2: {
            MonoBitmap turned(w, h);
            ForEachBlack(source, [&](int x, int y) { turned.SetBlack(w - 1 - x, h - 1 - y, true); });
            return turned;
        }
        case 3: {
            MonoBitmap turned(h, RoundUpTo8(w));
            ForEachBlack(source, [&](int x, int y) { turned.SetBlack(y, w - 1 - x, true); });
            return turned;
        }
        default: throw std::invalid_argument("RotateClockwise: quarter turns outside 0 to 3");
    }
}

}  // namespace vl::gfx
