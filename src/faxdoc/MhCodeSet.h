// The run-length code words of one colour, as the decoders look them up.
#pragma once

#include <cstdint>

#include "faxdoc/MhCodes.h"

namespace vl::faxdoc {

// A bit string read so far (the stream's first bit is the most significant of
// `length` bits) matched against one colour's terminating, make-up and shared
// extended make-up codes. The EOL is not among them: the decoders find it by
// its run of zeros.
struct MhCodeMatch {
    enum Kind : std::uint8_t { Terminating, MakeUp, Prefix, NoCode } kind = NoCode;
    std::uint16_t run = 0;
};

MhCodeMatch MatchMhCode(MhColor colour, std::uint32_t bits, int length);

// Longest run code of either colour, in bits.
inline constexpr int kMhLongestCode = 13;

}  // namespace vl::faxdoc
