#include "fax/PageDataReceiver.h"

#include <algorithm>
#include <array>

#include "fax/ControlBytes.h"

namespace vl::fax {

namespace {

constexpr std::array<std::uint8_t, 256> kReversedBits = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned value = 0; value < 256; ++value) {
        unsigned reversed = 0;
        for (unsigned bit = 0; bit < 8; ++bit)
            if (value & 1u << bit) reversed |= 0x80u >> bit;
        table[value] = static_cast<std::uint8_t>(reversed);
    }
    return table;
}();

}  // namespace

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
        chunk_.push_back(reverseBits_ ? kReversedBits[byte] : byte);
    }
    if (!chunk_.empty()) {
        result.error = sink_(chunk_);
        if (result.error == 0) stored_ += chunk_.size();
    }
    return result;
}

}  // namespace vl::fax
