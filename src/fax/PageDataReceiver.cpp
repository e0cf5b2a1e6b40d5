#include "fax/PageDataReceiver.h"

#include <algorithm>

#include "fax/ControlBytes.h"
#include "faxdoc/BitOrder.h"

namespace vl::fax {

PageDataReceiver::PageDataReceiver(ByteSink sink, bool reverseBits) : sink_(std::move(sink)), reverseBits_(reverseBits) {
    chunk_.reserve(kMaxPerCall);
}

void PageDataReceiver::StartPage() {
    dlePending_ = false;
    stored_ = 0;
}

PageDataResult PageDataReceiver::Take(std::span<const std::uint8_t> input) {
    PageDataResult result;
    chunk_.clear();
    const std::size_t limit = std::min(input.size(), kMaxPerCall);
    while (result.consumed < limit) {
        const std::uint8_t byte = input[result.consumed++];
        if (!dlePending_ && byte == kDle) {
            dlePending_ = true;
            continue;
        }
        const bool escaped = dlePending_;
        dlePending_ = false;
        if (escaped && byte == kEtx) {
            result.pageEnded = true;
            break;
        }
        chunk_.push_back(reverseBits_ ? faxdoc::kReversedBits[byte] : byte);
    }
    if (!chunk_.empty()) {
        result.error = sink_(chunk_);
        if (result.error == 0) stored_ += chunk_.size();
    }
    return result;
}

}  // namespace vl::fax
