// Arbitrary bytes as MH data, both as a raw stream and as line records: the
// table decoder must survive them and give exactly the lines, bad-code count
// and page end of the bit-by-bit reference decoder.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "faxdoc/MhBitWalk.h"
#include "faxdoc/MhDecoder.h"
#include "faxdoc/MhPageStream.h"

namespace {

struct Result {
    std::vector<std::vector<std::uint8_t>> lines;
    int badCodes = 0;
    bool ended = false;
    bool operator==(const Result&) const = default;
};

template <class Decoder>
Result Decode(std::span<const std::uint8_t> data, bool lineRecords) {
    Result r;
    Decoder decoder([&](std::span<const std::uint8_t> line) { r.lines.emplace_back(line.begin(), line.end()); });
    vl::faxdoc::ForEachMhPiece(data, lineRecords, [&](std::span<const std::uint8_t> piece, std::size_t) {
        decoder.Feed(piece);
        return !decoder.PageEnded();
    });
    decoder.Finish();
    r.badCodes = decoder.BadCodes();
    r.ended = decoder.PageEnded();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (bool lineRecords : {false, true}) {
        if (!(Decode<vl::faxdoc::MhDecoder>(bytes, lineRecords) == Decode<vl::faxdoc::MhBitWalk>(bytes, lineRecords))) {
            std::abort();
        }
    }
    return 0;
}
