// The run-length code words of one colour as lookup tables: eight bits per
// step, with a second step for the few longer codes. Built from MatchMhCode,
// so that every decoder reaches the same decision the bit-by-bit walk does.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "faxdoc/MhCodeSet.h"

namespace vl::faxdoc {

// What the tables give for the next bits at a code boundary: a run code or a
// bad code and its length in bits, or (first table only) where the second
// table for longer codes starts.
struct MhRunEntry {
    enum Kind : std::uint8_t { Terminating, MakeUp, Bad, Longer } kind = Bad;
    std::uint8_t length = 0;
    // 0 bits after the last 1 bit of the code, so that taking the code needs
    // no count of its own for the EOL search (every entry a decoder reaches
    // holds a 1 bit: the decoders look for EOLs before looking codes up).
    std::uint8_t trailingZeros = 0;
    std::uint16_t value = 0;  // the run, or the second table's offset
};

struct MhRunTable {
    static constexpr int kFirstBits = 8;
    static constexpr int kSecondBits = kMhLongestCode - kFirstBits;

    std::array<MhRunEntry, 1u << kFirstBits> first;
    std::vector<MhRunEntry> second;  // blocks of 1 << kSecondBits entries

    // `bits`: the stream from the code boundary on, its first bit in bit 0.
    MhRunEntry Lookup(std::uint64_t bits) const {
        MhRunEntry entry = first[bits & ((1u << kFirstBits) - 1)];
        if (entry.kind == MhRunEntry::Longer) {
            entry = second[entry.value + ((bits >> kFirstBits) & ((1u << kSecondBits) - 1))];
        }
        return entry;
    }
};

// Built on first use.
const MhRunTable& MhRunTableOf(MhColor colour);

}  // namespace vl::faxdoc
