#include "faxdoc/DcxDirectory.h"

#include <algorithm>

#include "base/ErrorCodes.h"
#include "faxdoc/ImageSourceBytes.h"

namespace vl::faxdoc {

int SplitDcxPages(std::span<const std::uint8_t> file, std::vector<std::span<const std::uint8_t>>& pages) {
    const ImageSourceBytes in(file);
    std::uint32_t magic = 0;
    if (!in.Has(0, kDcxHeaderSize) || !in.Get32(0, magic) || magic != kDcxMagic) return base::ecBadGraphicsFormat;
    std::vector<std::uint32_t> offsets;
    for (std::size_t i = 0; i < kDcxSlots; ++i) {
        std::uint32_t offset = 0;
        in.Get32(4 + 4 * i, offset);
        if (offset == 0) break;
        if (offset < kDcxHeaderSize || offset >= file.size()) return base::ecBadGraphicsFormat;
        offsets.push_back(offset);
    }
    if (offsets.empty()) return base::ecBadGraphicsFormat;
    std::vector<std::uint32_t> sorted = offsets;
    std::sort(sorted.begin(), sorted.end());
    pages.clear();
    for (std::uint32_t offset : offsets) {
        const auto next = std::upper_bound(sorted.begin(), sorted.end(), offset);
        const std::size_t end = next == sorted.end() ? file.size() : *next;
        pages.push_back(file.subspan(offset, end - offset));
    }
    return base::ecOK;
}

}  // namespace vl::faxdoc
