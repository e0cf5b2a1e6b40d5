// The mode code words of two-dimensional coding (T.4 MR and T.6 MMR): pass,
// horizontal and the seven vertical offsets, reversed for the bit writer and
// as a lookup table for the decoders.
#pragma once

#include <array>
#include <cstdint>

#include "faxdoc/MhCodes.h"

namespace vl::faxdoc {

// The widest offset a1 - b1 a vertical mode codes.
inline constexpr int kMaxVerticalOffset = 3;

struct TwoDimMode {
    enum Kind : std::uint8_t { Pass, Horizontal, Vertical, Bad } kind = Bad;
    std::int8_t offset = 0;  // Vertical: a1 - b1
    std::uint8_t length = 0;
    std::uint8_t trailingZeros = 0;  // as MhRunEntry's
};

struct TwoDimCodeTables {
    static constexpr int kLookupBits = 7;  // the longest mode code

    MhCode pass;
    MhCode horizontal;
    std::array<MhCode, 2 * kMaxVerticalOffset + 1> vertical;  // index offset + 3
    // The mode at a code boundary, from the next kLookupBits bits (first in
    // bit 0). Seven zeros, and the extension codes this coder does not use,
    // are Bad.
    std::array<TwoDimMode, 1u << kLookupBits> modes;

    const MhCode& Vertical(int offset) const {
        return vertical[static_cast<std::size_t>(offset + kMaxVerticalOffset)];
    }
};

// Built on first use.
const TwoDimCodeTables& TwoDimCodes();

}  // namespace vl::faxdoc
