// What both MH decoders share once a code word is known: the line being built,
// the EOL that ends it, and the end of the page.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "faxdoc/MhCodeSet.h"

namespace vl::faxdoc {

// Receives each accepted line: 216 or 256 bytes, 1 = black, bit 7 leftmost.
using MhLineHandler = std::function<void(std::span<const std::uint8_t>)>;

// The decoding rules:
// - Everything before the first EOL is ignored.
// - An EOL is eleven or more 0 bits followed by a 1 bit, wherever it starts, so
//   that fill bits before an EOL need no special case; valid code words never
//   hold more than ten zeros in a row, even across a code boundary.
// - A line is passed on at its EOL when it holds 216 or 256 whole bytes (its
//   runs add up to 1728..1735 or 2048..2055 pixels; senders whose lines run a
//   few pixels long are common) and it held no bad code; the pixels after the
//   whole bytes are cut off, and any other line is dropped.
// - A bit string that starts no code word of the current colour is a bad code:
//   it is counted, the line is spoiled, and input is skipped up to the next EOL.
// - Three EOLs with nothing between them end the page; input after that is
//   ignored.
class MhLineState {
public:
    static constexpr int kEolZeros = 11;
    static constexpr int kEolsEndingPage = 3;

    explicit MhLineState(MhLineHandler onLine) : onLine_(std::move(onLine)) {}

    MhColor Colour() const { return colour_; }
    // Before the first EOL, and from a bad code to the next EOL.
    bool Hunting() const { return hunting_; }
    bool PageEnded() const { return ended_; }
    int BadCodes() const { return badCodes_; }

    // Inline: called once per code word, the decoders' innermost step.
    void Run(const MhCodeMatch& code) {
        eolsInRow_ = 0;
        if (position_ + code.run > kLongestPixels) {
            spoiled_ = true;  // no accepted width is reachable any more
        } else {
            if (colour_ == MhColor::Black) SetBlack(position_, code.run);
            position_ += code.run;
        }
        if (code.kind == MhCodeMatch::Terminating) {
            colour_ = colour_ == MhColor::White ? MhColor::Black : MhColor::White;
        }
    }
    void BadCode();
    void Eol();

private:
    static constexpr int kNormalBytes = 1728 / 8;
    static constexpr int kWideBytes = 2048 / 8;
    static constexpr int kLongestPixels = kWideBytes * 8 + 7;

    // Most runs on text and dithered pages are a few pixels long: the partial
    // bytes at both ends are set with one mask each, whole bytes between.
    void SetBlack(int from, int count) {
        if (count == 0) return;
        const int last = from + count - 1;
        const int firstByte = from >> 3;
        const int lastByte = last >> 3;
        const auto head = static_cast<std::uint8_t>(0xFF >> (from & 7));
        const auto tail = static_cast<std::uint8_t>(0xFF << (7 - (last & 7)));
        if (firstByte == lastByte) {
            line_[static_cast<std::size_t>(firstByte)] |= head & tail;
            return;
        }
        line_[static_cast<std::size_t>(firstByte)] |= head;
        for (int i = firstByte + 1; i < lastByte; ++i) line_[static_cast<std::size_t>(i)] = 0xFF;
        line_[static_cast<std::size_t>(lastByte)] |= tail;
    }

    MhLineHandler onLine_;
    std::array<std::uint8_t, kWideBytes + 1> line_{};
    int position_ = 0;  // pixels placed in the line
    bool spoiled_ = false;
    MhColor colour_ = MhColor::White;
    bool hunting_ = true;
    bool ended_ = false;
    int eolsInRow_ = 0;
    int badCodes_ = 0;
};

}  // namespace vl::faxdoc
