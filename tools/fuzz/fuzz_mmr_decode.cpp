// Arbitrary bytes as MMR data at several line widths: the decoder must survive
// them, whole or in pieces, stopping at the first fault, and give lines our
// encoder codes back to them.
#include <cstdint>
#include <span>

#include "TwoDimDecodeCheck.h"
#include "faxdoc/MmrDecoder.h"

namespace {

vl::fuzz::TwoDimResult Decode(std::span<const std::uint8_t> data, int width, std::size_t piece) {
    vl::fuzz::TwoDimResult r;
    vl::faxdoc::MmrDecoder decoder(width, [&](std::span<const std::uint8_t> line) { r.Line(line); });
    for (std::size_t at = 0; at < data.size() && !decoder.Stopped(); at += piece)
        decoder.Feed(data.subspan(at, std::min(piece, data.size() - at)));
    r.error = decoder.Finish();
    r.ended = decoder.PageEnded();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::CheckTwoDimDecoder({data, size}, vl::faxdoc::TwoDimCoding::Mmr, Decode);
    return 0;
}
