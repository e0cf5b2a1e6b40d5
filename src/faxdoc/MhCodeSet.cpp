#include "faxdoc/MhCodeSet.h"

namespace vl::faxdoc {

namespace {

// Compares the bits read so far with one code word.
bool Scan(std::span<const MhWrittenCode> codes, int firstRun, int step, std::uint32_t bits, int length,
          MhCodeMatch::Kind kind, MhCodeMatch& match) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const MhWrittenCode& c = codes[i];
        if (c.bits == length && c.code == bits) {
            match = {kind, static_cast<std::uint16_t>(firstRun + step * static_cast<int>(i))};
            return true;
        }
        if (c.bits > length && static_cast<std::uint32_t>(c.code >> (c.bits - length)) == bits) match.kind = MhCodeMatch::Prefix;
    }
    return false;
}

}  // namespace

MhCodeMatch MatchMhCode(MhColor colour, std::uint32_t bits, int length) {
    MhCodeMatch match;
    if (Scan(WrittenTerminatingCodes(colour), 0, 1, bits, length, MhCodeMatch::Terminating, match)) return match;
    if (Scan(WrittenMakeUpCodes(colour), kMhMakeUpStep, kMhMakeUpStep, bits, length, MhCodeMatch::MakeUp, match)) {
        return match;
    }
    if (Scan(WrittenExtendedMakeUpCodes(), kMhFirstExtendedRun, kMhMakeUpStep, bits, length, MhCodeMatch::MakeUp,
             match)) {
        return match;
    }
    return match;
}

}  // namespace vl::faxdoc
