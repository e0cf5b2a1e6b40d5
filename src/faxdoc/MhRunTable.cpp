#include "faxdoc/MhRunTable.h"

#include <bit>

namespace vl::faxdoc {

namespace {

MhRunEntry Decided(MhRunEntry::Kind kind, int length, unsigned pattern, std::uint16_t value) {
    const unsigned code = pattern & ((1u << length) - 1);
    const int trailing = code == 0 ? length : length - 1 - (31 - std::countl_zero(code));
    return {kind, static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(trailing), value};
}

// The decision MhBitWalk reaches bit by bit, for every pattern of
// kMhLongestCode bits (the stream's first bit in bit 0) that has a 1 bit among
// its first eleven bits; patterns of more zeros never reach the table.
MhRunEntry Decide(MhColor colour, unsigned pattern) {
    std::uint32_t code = 0;
    for (int length = 1; length <= kMhLongestCode; ++length) {
        code = (code << 1) | ((pattern >> (length - 1)) & 1u);
        if (code == 0) continue;
        const MhCodeMatch match = MatchMhCode(colour, code, length);
        switch (match.kind) {
        case MhCodeMatch::Prefix: continue;
        case MhCodeMatch::Terminating: return Decided(MhRunEntry::Terminating, length, pattern, match.run);
        case MhCodeMatch::MakeUp: return Decided(MhRunEntry::MakeUp, length, pattern, match.run);
        case MhCodeMatch::NoCode: return Decided(MhRunEntry::Bad, length, pattern, 0);
        }
    }
    return Decided(MhRunEntry::Bad, kMhLongestCode, pattern, 0);
}

MhRunTable Build(MhColor colour) {
    MhRunTable t;
    constexpr int kFirst = MhRunTable::kFirstBits;
    for (unsigned low = 0; low < (1u << kFirst); ++low) {
        std::array<MhRunEntry, 1u << MhRunTable::kSecondBits> block;
        bool longer = false;
        for (unsigned high = 0; high < block.size(); ++high) {
            block[high] = Decide(colour, low | (high << kFirst));
            longer = longer || block[high].length > kFirst;
        }
        if (!longer) {
            t.first[low] = block[0];
        } else {
            t.first[low] = {MhRunEntry::Longer, 0, 0, static_cast<std::uint16_t>(t.second.size())};
            t.second.insert(t.second.end(), block.begin(), block.end());
        }
    }
    return t;
}

}  // namespace

const MhRunTable& MhRunTableOf(MhColor colour) {
    static const MhRunTable white = Build(MhColor::White);
    static const MhRunTable black = Build(MhColor::Black);
    return colour == MhColor::White ? white : black;
}

}  // namespace vl::faxdoc
