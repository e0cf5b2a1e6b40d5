#include "faxdoc/MhBitWalk.h"

namespace vl::faxdoc {

void MhBitWalk::Feed(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        for (int i = 0; i < 8 && !state_.PageEnded(); ++i) Bit((byte >> i) & 1u);
    }
}

void MhBitWalk::Bit(unsigned bit) {
    if (bit != 0) {
        const bool eol = zeros_ >= MhLineState::kEolZeros;
        zeros_ = 0;
        if (eol) {
            code_ = 0;
            codeLength_ = 0;
            state_.Eol();
            return;
        }
    } else {
        ++zeros_;
    }
    if (state_.Hunting()) return;
    code_ = (code_ << 1) | bit;
    ++codeLength_;
    // Zeros alone may be fill before an EOL as well as the start of a long
    // code: only the 1 bit that follows them tells.
    if (code_ == 0) return;
    const MhCodeMatch match = MatchMhCode(state_.Colour(), code_, codeLength_);
    if (match.kind == MhCodeMatch::Prefix) return;
    code_ = 0;
    codeLength_ = 0;
    if (match.kind == MhCodeMatch::NoCode) {
        state_.BadCode();
    } else {
        state_.Run(match);
    }
}

}  // namespace vl::faxdoc
