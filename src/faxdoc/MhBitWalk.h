// The plain MH decoder: one bit at a time, each step checked against the code
// words. Slow; it is the reference that MhDecoder is held to.
#pragma once

#include <cstdint>
#include <span>

#include "faxdoc/MhLineState.h"

namespace vl::faxdoc {

class MhBitWalk {
public:
    explicit MhBitWalk(MhLineHandler onLine) : state_(std::move(onLine)) {}

    // Bytes of the stream, bit 0 of each byte first; may be called many times.
    void Feed(std::span<const std::uint8_t> bytes);
    // The data has ended; a code cut off at the end is dropped.
    void Finish() {}

    bool PageEnded() const { return state_.PageEnded(); }
    int BadCodes() const { return state_.BadCodes(); }

private:
    void Bit(unsigned bit);

    MhLineState state_;
    int zeros_ = 0;           // 0 bits since the last 1 bit
    std::uint32_t code_ = 0;  // bits of the code word read so far
    int codeLength_ = 0;
};

}  // namespace vl::faxdoc
