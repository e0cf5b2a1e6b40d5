// The production MH decoder: looks code words up in tables, eight bits per
// step with a second step for the few longer codes, and skips runs of zeros
// and hunted-over data a word at a time. Produces exactly the lines of
// MhBitWalk (see MhLineState.h for the rules).
#pragma once

#include <cstdint>
#include <span>

#include "faxdoc/MhLineState.h"
#include "faxdoc/StreamBits.h"

namespace vl::faxdoc {

class MhDecoder {
public:
    explicit MhDecoder(MhLineHandler onLine) : state_(std::move(onLine)) {}

    // Bytes of the stream, bit 0 of each byte first; may be called many times.
    void Feed(std::span<const std::uint8_t> bytes);
    // The data has ended: decodes the bits still held back for lookahead.
    void Finish();

    bool PageEnded() const { return state_.PageEnded(); }
    int BadCodes() const { return state_.BadCodes(); }

private:
    void Decode(bool final);
    void DecodeBits(StreamBits& in, bool final);

    MhLineState state_;
    StreamBits bits_;
    std::span<const std::uint8_t> input_;
};

}  // namespace vl::faxdoc
