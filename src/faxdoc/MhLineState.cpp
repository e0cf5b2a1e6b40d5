#include "faxdoc/MhLineState.h"

#include <algorithm>

namespace vl::faxdoc {

void MhLineState::BadCode() {
    ++badCodes_;
    eolsInRow_ = 0;
    spoiled_ = true;
    hunting_ = true;
}

void MhLineState::Eol() {
    const int wholeBytes = position_ / 8;
    if (!spoiled_ && (wholeBytes == kNormalBytes || wholeBytes == kWideBytes)) {
        onLine_(std::span<const std::uint8_t>(line_.data(), static_cast<std::size_t>(wholeBytes)));
    }
    // Black pixels lie only within the pixels placed.
    std::fill_n(line_.begin(), (position_ + 7) / 8, std::uint8_t{0});
    position_ = 0;
    spoiled_ = false;
    colour_ = MhColor::White;
    hunting_ = false;
    if (++eolsInRow_ >= kEolsEndingPage) ended_ = true;
}

}  // namespace vl::faxdoc
