#include "faxdoc/PageScaling.h"

#include <algorithm>
#include <new>

namespace vl::faxdoc {

namespace {

// Source range [first, last) covered by destination index d.
struct Span {
    long long first;
    long long last;
};

Span Covered(long long d, long long mult, long long div) {
    const long long first = d * div / mult;
    const long long last = std::max(first + 1, ((d + 1) * div + mult - 1) / mult);
    return {first, last};
}

}  // namespace

PageImage ScalePage(const PageImage& page, int horizMult, int horizDiv, int vertMult, int vertDiv) {
    const long long width = static_cast<long long>(page.width) * horizMult / horizDiv;
    const long long height = static_cast<long long>(page.height) * vertMult / vertDiv;
    PageImage out;
    if (width <= 0 || height <= 0) return out;
    const long long stride = (width + 15) / 16 * 2;
    if (stride * height > kMaxScaledBytes) throw std::bad_alloc();
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.stride = static_cast<int>(stride);
    out.bits.assign(static_cast<std::size_t>(stride * height), 0);
    for (long long y = 0; y < height; ++y) {
        const Span rows = Covered(y, vertMult, vertDiv);
        for (long long x = 0; x < width; ++x) {
            const Span cols = Covered(x, horizMult, horizDiv);
            bool black = false;
            for (long long sy = rows.first; sy < std::min<long long>(rows.last, page.height) && !black; ++sy) {
                for (long long sx = cols.first; sx < std::min<long long>(cols.last, page.width); ++sx) {
                    if (page.Black(static_cast<int>(sx), static_cast<int>(sy))) {
                        black = true;
                        break;
                    }
                }
            }
            if (black) out.bits[y * stride + (x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
    return out;
}

}  // namespace vl::faxdoc
