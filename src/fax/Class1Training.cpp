#include "fax/Class1Training.h"

#include <algorithm>

#include "fax/ControlBytes.h"

namespace vl::fax {

namespace {

constexpr std::size_t kMaxTcfBytes = 8192;

}  // namespace

std::size_t TcfLength(int bps) {
    if (bps <= 0) return 0;
    return std::min(static_cast<std::size_t>(bps / 100) * 18, kMaxTcfBytes);
}

void TrainingCheck::Reset() { *this = TrainingCheck(); }

bool TrainingCheck::Take(std::uint8_t byte) {
    if (ended_) return true;
    if (afterDle_) {
        afterDle_ = false;
        if (byte == kEtx) {
            ended_ = true;
            return true;
        }
    } else if (byte == kDle) {
        afterDle_ = true;
        return false;
    }
    ++total_;
    if (byte != 0) ++nonZero_;
    return false;
}

bool TrainingCheck::Accepted() const { return total_ > 0 && nonZero_ * 10 < total_; }

}  // namespace vl::fax
