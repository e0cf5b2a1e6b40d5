// Runs either MH decoder over a stream and gathers what it produced.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>

#include "FaxTestPages.h"
#include "faxdoc/MhPageStream.h"

namespace vl::faxtest {

struct Decoded {
    Lines lines;
    int badCodes = 0;
    bool ended = false;

    bool operator==(const Decoded&) const = default;
};

// Raw streams are fed in pieces of `piece` bytes, so that decoders see code
// words cut at every possible place.
template <class Decoder>
Decoded DecodeWith(const Bytes& data, bool lineRecords = false,
                   std::size_t piece = std::numeric_limits<std::size_t>::max()) {
    Decoded out;
    Decoder decoder([&](std::span<const std::uint8_t> line) { out.lines.emplace_back(line.begin(), line.end()); });
    if (lineRecords) {
        faxdoc::ForEachMhPiece(data, true, [&](std::span<const std::uint8_t> record, std::size_t) {
            decoder.Feed(record);
            return !decoder.PageEnded();
        });
    } else {
        for (std::size_t at = 0; at < data.size() && !decoder.PageEnded(); at += piece) {
            decoder.Feed(std::span<const std::uint8_t>(data).subspan(at, std::min(piece, data.size() - at)));
        }
    }
    decoder.Finish();
    out.badCodes = decoder.BadCodes();
    out.ended = decoder.PageEnded();
    return out;
}

}  // namespace vl::faxtest
