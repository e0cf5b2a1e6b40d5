// Codes raster lines as a two-dimensional fax page, T.4 MR or T.6 MMR, into
// one continuous bit stream whose first bit is bit 0 of its first byte.
//
// MR: every line starts with an EOL and a tag bit, 1 before a line coded one-
// dimensionally (MH runs), 0 before one coded against the line above; the
// first line and then every K-th is one-dimensional. Zero fill before an EOL
// makes each line last the minimum scan-line time. RTC (six EOLs each with
// tag 1) ends the page.
// MMR: every line coded against the line above, the first against a white
// line; no EOLs and no fill; EOFB (two EOLs) ends the page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/BitWriter.h"
#include "faxdoc/LineChanges.h"

namespace vl::faxdoc {

enum class TwoDimCoding : std::uint8_t { Mr, Mmr };

// Lines at most this wide; any width from 1 up is coded.
inline constexpr int kMaxTwoDimWidth = 8192;

// One-dimensional lines at least every K lines.
inline constexpr int kNormalK = 2;  // 98 lines per inch
inline constexpr int kFineK = 4;    // 196 lines per inch

struct TwoDimOptions {
    TwoDimCoding coding = TwoDimCoding::Mr;
    int width = 1728;  // clamped to 1..kMaxTwoDimWidth
    int k = kNormalK;  // MR only; 1 codes every line one-dimensionally
    // MR only: bytes each line lasts at least, from the start of its EOL to
    // the start of the next.
    std::size_t minScanBytes = 0;
};

class TwoDimEncoder {
public:
    explicit TwoDimEncoder(const TwoDimOptions& options);

    // Appends the next line's code to `out`: raster bytes as LineChanges
    // reads them. A partial last byte waits for what follows.
    void Encode(std::span<const std::uint8_t> raster, std::vector<std::uint8_t>& out);
    // MR: zero fill to a byte boundary after the last line, which stands
    // before the next line's EOL. MMR has no fill and is left as it is.
    void PadToByte(std::vector<std::uint8_t>& out);
    // Appends the end of the page (RTC or EOFB), zero-filled to a byte
    // boundary. The encoder then starts a new page.
    void Finish(std::vector<std::uint8_t>& out);

private:
    void CodeOneDim(std::vector<std::uint8_t>& out);
    void CodeTwoDim(std::vector<std::uint8_t>& out);
    void PutFill(std::size_t bits, std::vector<std::uint8_t>& out);
    // The minimum scan-line fill for the line just coded, then an EOL.
    void PutEol(std::vector<std::uint8_t>& out);
    // Whole bytes out of the writer, which holds one line's code at most.
    void Drain(std::vector<std::uint8_t>& out);
    std::size_t Position() const { return drained_ + writer_.WholeBytes().size() * 8 + writer_.PartialBits(); }

    TwoDimOptions options_;
    BitWriter writer_;
    LineChanges reference_;
    LineChanges coding_;
    int line_ = 0;              // lines of the page so far
    std::size_t drained_ = 0;   // bits of the page taken out of the writer
    std::size_t lineStart_ = 0; // where the last EOL started
};

}  // namespace vl::faxdoc
