#include "serial/ReplyMatcher.h"

#include <utility>

namespace vl::serial {

namespace {

std::uint8_t AsciiLower(std::uint8_t byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<std::uint8_t>(byte + ('a' - 'A')) : byte; }

}  // namespace

ReplyMatcher::ReplyMatcher(std::string expected, bool ignoreCase)
    : expected_(std::move(expected)), ignoreCase_(ignoreCase) {}

bool ReplyMatcher::Same(std::uint8_t byte, std::size_t index) const {
    const auto want = static_cast<std::uint8_t>(expected_[index]);
    return ignoreCase_ ? AsciiLower(byte) == AsciiLower(want) : byte == want;
}

bool ReplyMatcher::Feed(std::uint8_t byte) {
    if (Matched()) return true;
    if (Same(byte, matched_)) {
        ++matched_;
    } else {
        matched_ = Same(byte, 0) ? 1 : 0;
    }
    return Matched();
}

}  // namespace vl::serial
