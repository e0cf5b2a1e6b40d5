// Decodes a T.6 (MMR) page: every line coded against the line above it, the
// first against a white line, no EOLs, and EOFB (an EOL, normally two) after
// the last line. Lines come out as they are finished.
//
// Such a stream cannot be picked up again after a fault: a code that starts
// no mode or run, a code that leads off the line, an EOL inside a line, or
// data that ends inside a line stops the decoding with ecFaxBadFormat; the
// lines before it have been handed out. Zero bits at the end of the data,
// without EOFB, end the page without a fault.
#pragma once

#include <cstdint>
#include <span>

#include "faxdoc/MhLineState.h"
#include "faxdoc/StreamBits.h"
#include "faxdoc/TwoDimLine.h"

namespace vl::faxdoc {

class MmrDecoder {
public:
    // `width` 1..kMaxTwoDimWidth; any other stops the decoder at once with
    // ecBadArgument. Lines are (width + 7) / 8 bytes.
    MmrDecoder(int width, MhLineHandler onLine);

    // Bytes of the stream, bit 0 of each byte first; may be called many times.
    void Feed(std::span<const std::uint8_t> bytes);
    // The data has ended: decodes the bits held back for lookahead. Answers
    // Error().
    int Finish();

    // EOFB seen, or stopped by a fault.
    bool Stopped() const { return ended_ || error_ != 0; }
    bool PageEnded() const { return ended_; }
    int Error() const { return error_; }
    int Lines() const { return lines_; }

private:
    void Decode(bool final);
    // Takes and gives back the bits by value, so that they stay in registers.
    StreamBits DecodeBits(StreamBits in, bool final);
    void Fail();

    TwoDimLine line_;
    MhLineHandler onLine_;
    StreamBits bits_;
    std::span<const std::uint8_t> input_;
    bool ended_ = false;
    int error_ = 0;
    int lines_ = 0;
};

}  // namespace vl::faxdoc
