#include "faxdoc/PageCollector.h"

#include <algorithm>
#include <cstring>

namespace vl::faxdoc {

namespace {
constexpr std::size_t kSlotsPerGrowth = 1024;
}

void PageCollector::AddLine(std::span<const std::uint8_t> line) {
    const std::size_t n = std::min(line.size(), kMaxLineBytes);
    const std::size_t at = static_cast<std::size_t>(lines_) * kMaxLineBytes;
    if (at == slots_.size()) slots_.resize(slots_.size() + kSlotsPerGrowth * kMaxLineBytes);
    std::memcpy(slots_.data() + at, line.data(), n);
    std::memset(slots_.data() + at + n, 0, kMaxLineBytes - n);
    for (std::size_t used = n; used > 0; --used) {
        if (line[used - 1] != 0) {
            widest_ = std::max(widest_, used);
            break;
        }
    }
    ++lines_;
}

PageImage PageCollector::Take() {
    PageImage image;
    if (lines_ > 0) {
        const std::size_t stride = (widest_ + 1) & ~std::size_t{1};
        image.width = static_cast<int>(stride * 8);
        image.height = lines_;
        image.stride = static_cast<int>(stride);
        image.bits.resize(stride * static_cast<std::size_t>(lines_));
        for (int y = 0; y < lines_; ++y) {
            std::memcpy(image.bits.data() + y * stride, slots_.data() + y * kMaxLineBytes, stride);
        }
    }
    slots_.clear();
    slots_.shrink_to_fit();
    lines_ = 0;
    widest_ = 1;
    return image;
}

}  // namespace vl::faxdoc
