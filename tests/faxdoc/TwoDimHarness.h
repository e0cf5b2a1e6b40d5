// Codes pages with the MR/MMR encoder and runs the decoders over streams fed
// in pieces, gathering what they produced.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <type_traits>

#include "FaxTestPages.h"
#include "faxdoc/MmrDecoder.h"
#include "faxdoc/MrDecoder.h"
#include "faxdoc/TwoDimEncoder.h"

namespace vl::faxtest {

inline Bytes EncodeTwoDim(const faxdoc::PageImage& page, const faxdoc::TwoDimOptions& options) {
    Bytes out;
    faxdoc::TwoDimEncoder encoder(options);
    for (int y = 0; y < page.height; ++y)
        encoder.Encode({page.Row(y), static_cast<std::size_t>(page.stride)}, out);
    encoder.Finish(out);
    return out;
}

inline faxdoc::TwoDimOptions MrOptions(int width, int k, std::size_t minScanBytes = 0) {
    return {faxdoc::TwoDimCoding::Mr, width, k, minScanBytes};
}
inline faxdoc::TwoDimOptions MmrOptions(int width) { return {faxdoc::TwoDimCoding::Mmr, width, 1, 0}; }

struct TwoDimDecoded {
    Lines lines;
    int badLines = 0;  // MR
    int error = 0;     // MMR: Finish's answer; MR: Error()
    bool ended = false;
};

// Fed in pieces of `piece` bytes, so that codes are cut at every place.
template <class Decoder>
TwoDimDecoded DecodeTwoDim(const Bytes& data, int width, std::size_t piece = std::numeric_limits<std::size_t>::max()) {
    TwoDimDecoded out;
    Decoder decoder(width, [&](std::span<const std::uint8_t> line) { out.lines.emplace_back(line.begin(), line.end()); });
    for (std::size_t at = 0; at < data.size(); at += piece)
        decoder.Feed(std::span<const std::uint8_t>(data).subspan(at, std::min(piece, data.size() - at)));
    if constexpr (std::is_same_v<Decoder, faxdoc::MmrDecoder>) {
        out.error = decoder.Finish();
    } else {
        decoder.Finish();
        out.badLines = decoder.BadLines();
        out.error = decoder.Error();
    }
    out.ended = decoder.PageEnded();
    return out;
}

inline TwoDimDecoded DecodeMr(const Bytes& data, int width, std::size_t piece = std::numeric_limits<std::size_t>::max()) {
    return DecodeTwoDim<faxdoc::MrDecoder>(data, width, piece);
}
inline TwoDimDecoded DecodeMmr(const Bytes& data, int width, std::size_t piece = std::numeric_limits<std::size_t>::max()) {
    return DecodeTwoDim<faxdoc::MmrDecoder>(data, width, piece);
}

}  // namespace vl::faxtest
