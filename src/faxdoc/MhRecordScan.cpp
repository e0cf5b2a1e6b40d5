#include "faxdoc/MhRecordScan.h"

#include "faxdoc/MhCodeSet.h"
#include "faxdoc/MhLineState.h"

namespace vl::faxdoc {

namespace {

unsigned BitAt(std::span<const std::uint8_t> bytes, std::size_t at) { return (bytes[at / 8] >> (at % 8)) & 1u; }

// 0 bits from `at` up to the next 1 bit or the end.
std::size_t ZerosFrom(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t end) {
    std::size_t zeros = 0;
    while (at + zeros < end && BitAt(bytes, at + zeros) == 0) ++zeros;
    return zeros;
}

}  // namespace

std::uint16_t MhBitsAt(std::span<const std::uint8_t> bytes, std::size_t from, unsigned count) {
    std::uint32_t window = 0;
    const std::size_t first = from / 8;
    for (std::size_t i = 0; i < 3 && first + i < bytes.size(); ++i)
        window |= static_cast<std::uint32_t>(bytes[first + i]) << (8 * i);
    return static_cast<std::uint16_t>((window >> (from % 8)) & ((1u << count) - 1));
}

bool ScanMhRecord(std::span<const std::uint8_t> record, std::vector<MhRecordPiece>& pieces) {
    pieces.clear();
    const std::size_t end = record.size() * 8;
    std::size_t at = 0;
    MhColor colour = MhColor::White;
    while (true) {
        // At a code boundary: fill and an EOL, the fill at the record's end,
        // or the next code word.
        const std::size_t zeros = ZerosFrom(record, at, end);
        if (at + zeros == end) return !pieces.empty();
        if (zeros >= static_cast<std::size_t>(MhLineState::kEolZeros)) {
            pieces.push_back({MhRecordPiece::Eol, at, zeros + 1});
            at += zeros + 1;
            colour = MhColor::White;
            continue;
        }
        if (pieces.empty()) return false;
        std::uint32_t code = 0;
        int length = 0;
        MhCodeMatch match;
        do {
            if (at + static_cast<std::size_t>(length) == end || length == kMhLongestCode) return false;
            code = (code << 1) | BitAt(record, at + static_cast<std::size_t>(length));
            ++length;
            match = code == 0 ? MhCodeMatch{MhCodeMatch::Prefix, 0} : MatchMhCode(colour, code, length);
        } while (match.kind == MhCodeMatch::Prefix);
        if (match.kind == MhCodeMatch::NoCode) return false;
        if (pieces.back().kind == MhRecordPiece::Codes)
            pieces.back().bits += static_cast<std::size_t>(length);
        else
            pieces.push_back({MhRecordPiece::Codes, at, static_cast<std::size_t>(length)});
        at += static_cast<std::size_t>(length);
        if (match.kind == MhCodeMatch::Terminating)
            colour = colour == MhColor::White ? MhColor::Black : MhColor::White;
    }
}

}  // namespace vl::faxdoc
