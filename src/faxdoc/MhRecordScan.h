// Finds the EOLs and code words inside an MH line record, so that the record
// can be sent without the fill its byte alignment put around them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vl::faxdoc {

// One part of a record, bit offsets counted from bit 0 of its first byte.
struct MhRecordPiece {
    enum Kind : std::uint8_t { Eol, Codes } kind = Eol;
    // Codes: a run of whole code words. Eol: the fill before the EOL, then
    // the EOL itself (its last bit is the piece's last).
    std::size_t from = 0;
    std::size_t bits = 0;
};

// The record's EOLs and, between them, its code words in order; the 0 bits
// before each EOL beyond its eleven and those after the last code word are
// fill and belong to no piece. False, with `pieces` undefined, when the record
// does not start with an EOL, holds a bit string that starts no code word of
// the current colour, or ends inside a code word.
bool ScanMhRecord(std::span<const std::uint8_t> record, std::vector<MhRecordPiece>& pieces);

// `count` bits (at most 16) of `bytes` from bit `from` on, the first in bit 0.
std::uint16_t MhBitsAt(std::span<const std::uint8_t> bytes, std::size_t from, unsigned count);

}  // namespace vl::faxdoc
