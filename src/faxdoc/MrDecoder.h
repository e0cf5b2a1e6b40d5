// Decodes a T.4 two-dimensional (MR) page as a fax receiver does: every line
// follows an EOL and its tag bit, 1 for a line of MH runs, 0 for a line coded
// against the line above; zero fill may stand before any EOL.
//
// - Everything before the first EOL is ignored.
// - A line is handed out at the EOL after it (or at the end of the data) when
//   it reached the width exactly, or for MH runs up to seven pixels more,
//   which are cut off.
// - Any other line with codes is a bad line: a code that starts no mode or
//   run, a code that leads off the line, codes after the line's end, an EOL
//   before it. It is counted and dropped, and decoding picks up at the next
//   EOL. The lines coded against it, up to the next line of MH runs, cannot
//   be decoded and are bad lines too, as is a two-dimensional line before the
//   first line of MH runs.
// - Three EOLs with nothing but tag bits between them (as in RTC) end the
//   page; input after that is ignored.
#pragma once

#include <cstdint>
#include <span>

#include "faxdoc/MhLineState.h"
#include "faxdoc/MhRunTable.h"
#include "faxdoc/StreamBits.h"
#include "faxdoc/TwoDimCodes.h"
#include "faxdoc/TwoDimLine.h"

namespace vl::faxdoc {

class MrDecoder {
public:
    // `width` 1..kMaxTwoDimWidth; for any other Error() is ecBadArgument and
    // nothing is decoded. Lines are (width + 7) / 8 bytes.
    MrDecoder(int width, MhLineHandler onLine);

    // Bytes of the stream, bit 0 of each byte first; may be called many times.
    void Feed(std::span<const std::uint8_t> bytes);
    // The data has ended: decodes the bits held back for lookahead, and the
    // last line when the data stopped right after it.
    void Finish();

    bool PageEnded() const { return ended_; }
    int BadLines() const { return badLines_; }
    int Lines() const { return lines_; }
    int Error() const { return error_; }

private:
    // The states inside a line first, so that one compare finds them.
    enum class State : std::uint8_t { OneDim, TwoDim, Hunting, Tag, AwaitEol };
    enum class Took : std::uint8_t { Code, NoCode, CutOff };

    void Decode(bool final);
    // Takes and gives back the bits by value, so that they stay in registers.
    StreamBits DecodeBits(StreamBits in, bool final);
    void Eol();
    void Accept();
    void BadLine();

    TwoDimLine line_;
    MhLineHandler onLine_;
    const MhRunTable* runTables_[2];  // indexed by MhColor
    const TwoDimMode* modes_;
    StreamBits bits_;
    std::span<const std::uint8_t> input_;
    State state_ = State::Hunting;
    bool referenceValid_ = false;
    bool ended_ = false;
    int eolsInRow_ = 0;
    int badLines_ = 0;
    int lines_ = 0;
    int error_ = 0;
};

}  // namespace vl::faxdoc
