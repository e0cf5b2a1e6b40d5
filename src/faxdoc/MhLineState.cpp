#include "faxdoc/MhLineState.h"

namespace vl::faxdoc {

namespace {

constexpr int kNormalPixels = 1728;
constexpr int kWidePixels = 2048;

void SetBlack(std::uint8_t* line, int from, int count) {
    int x = from;
    const int end = from + count;
    while (x < end && (x & 7) != 0) {
        line[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        ++x;
    }
    while (x + 8 <= end) {
        line[x >> 3] = 0xFF;
        x += 8;
    }
    while (x < end) {
        line[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        ++x;
    }
}

}  // namespace

void MhLineState::Run(const MhCodeMatch& code) {
    eolsInRow_ = 0;
    if (position_ + code.run > kWidePixels) {
        spoiled_ = true;  // no accepted width is reachable any more
    } else {
        if (colour_ == MhColor::Black) SetBlack(line_.data(), position_, code.run);
        position_ += code.run;
    }
    if (code.kind == MhCodeMatch::Terminating) {
        colour_ = colour_ == MhColor::White ? MhColor::Black : MhColor::White;
    }
}

void MhLineState::BadCode() {
    ++badCodes_;
    eolsInRow_ = 0;
    spoiled_ = true;
    hunting_ = true;
}

void MhLineState::Eol() {
    if (!spoiled_ && (position_ == kNormalPixels || position_ == kWidePixels)) {
        onLine_(std::span<const std::uint8_t>(line_.data(), static_cast<std::size_t>(position_ / 8)));
    }
    line_.fill(0);
    position_ = 0;
    spoiled_ = false;
    colour_ = MhColor::White;
    hunting_ = false;
    if (++eolsInRow_ >= kEolsEndingPage) ended_ = true;
}

}  // namespace vl::faxdoc
