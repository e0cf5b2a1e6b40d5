#include "faxdoc/PageCollector.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vl::faxdoc {

void PageCollector::AddLine(std::span<const std::uint8_t> line) {
    const std::size_t n = std::min(line.size(), kMaxLineBytes);
    const std::size_t at = slots_.size();
    // The vector grows by doubling, so a page costs few reallocations; the
    // resize pads the slot with white.
    slots_.insert(slots_.end(), line.begin(), line.begin() + static_cast<std::ptrdiff_t>(n));
    slots_.resize(at + kMaxLineBytes);
    // Only bytes right of the widest line so far can widen the page.
    for (std::size_t used = n; used > widest_; --used) {
        if (line[used - 1] != 0) {
            widest_ = used;
            break;
        }
    }
    ++lines_;
}

PageImage PageCollector::Take() {
    PageImage image;
    if (lines_ > 0) {
        const std::size_t stride = (widest_ + 1) & ~std::size_t{1};
        // Rows move left within the buffer (a row never lands beyond where it
        // was), which then becomes the image without another copy.
        for (std::size_t y = 1; y < static_cast<std::size_t>(lines_); ++y) {
            std::memmove(slots_.data() + y * stride, slots_.data() + y * kMaxLineBytes, stride);
        }
        slots_.resize(stride * static_cast<std::size_t>(lines_));
        image.width = static_cast<int>(stride * 8);
        image.height = lines_;
        image.stride = static_cast<int>(stride);
        image.bits = std::move(slots_);
    }
    slots_ = std::vector<std::uint8_t>();
    lines_ = 0;
    widest_ = 1;
    return image;
}

}  // namespace vl::faxdoc
