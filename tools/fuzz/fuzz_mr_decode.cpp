// Arbitrary bytes as MR data at several line widths: the decoder must survive
// them, whole or in pieces, and give lines our encoder codes back to them.
#include <cstdint>
#include <span>

#include "TwoDimDecodeCheck.h"
#include "faxdoc/MrDecoder.h"

namespace {

vl::fuzz::TwoDimResult Decode(std::span<const std::uint8_t> data, int width, std::size_t piece) {
    vl::fuzz::TwoDimResult r;
    vl::faxdoc::MrDecoder decoder(width, [&](std::span<const std::uint8_t> line) { r.Line(line); });
    for (std::size_t at = 0; at < data.size() && !decoder.PageEnded(); at += piece)
        decoder.Feed(data.subspan(at, std::min(piece, data.size() - at)));
    decoder.Finish();
    r.badLines = decoder.BadLines();
    r.error = decoder.Error();
    r.ended = decoder.PageEnded();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::CheckTwoDimDecoder({data, size}, vl::faxdoc::TwoDimCoding::Mr, Decode);
    return 0;
}
