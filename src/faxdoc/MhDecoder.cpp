#include "faxdoc/MhDecoder.h"

#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace vl::faxdoc {

namespace {

constexpr int kFirstBits = 8;
constexpr int kSecondBits = kMhLongestCode - kFirstBits;

// What a table gives for the next bits at a code boundary: a run code or a
// bad code and its length in bits, or (first table only) where the second
// table for longer codes starts.
struct Entry {
    enum Kind : std::uint8_t { Terminating, MakeUp, Bad, Longer } kind = Bad;
    std::uint8_t length = 0;
    // 0 bits after the last 1 bit of the code, so that taking the code needs
    // no count of its own for the EOL search (every entry the decoder reaches
    // holds a 1 bit: Decide skips leading zeros).
    std::uint8_t trailingZeros = 0;
    std::uint16_t value = 0;  // the run, or the second table's offset
};

Entry Decided(Entry::Kind kind, int length, unsigned pattern, std::uint16_t value) {
    const unsigned code = pattern & ((1u << length) - 1);
    const int trailing = code == 0 ? length : length - 1 - (31 - std::countl_zero(code));
    return {kind, static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(trailing), value};
}

// The same decision MhBitWalk reaches bit by bit, for every pattern of
// kMhLongestCode bits (the stream's first bit in bit 0) that has a 1 bit among
// its first eleven bits; patterns of more zeros never reach the table.
Entry Decide(MhColor colour, unsigned pattern) {
    std::uint32_t code = 0;
    for (int length = 1; length <= kMhLongestCode; ++length) {
        code = (code << 1) | ((pattern >> (length - 1)) & 1u);
        if (code == 0) continue;
        const MhCodeMatch match = MatchMhCode(colour, code, length);
        switch (match.kind) {
        case MhCodeMatch::Prefix: continue;
        case MhCodeMatch::Terminating: return Decided(Entry::Terminating, length, pattern, match.run);
        case MhCodeMatch::MakeUp: return Decided(Entry::MakeUp, length, pattern, match.run);
        case MhCodeMatch::NoCode: return Decided(Entry::Bad, length, pattern, 0);
        }
    }
    return Decided(Entry::Bad, kMhLongestCode, pattern, 0);
}

struct Tables {
    std::array<Entry, 1u << kFirstBits> first;
    std::vector<Entry> second;  // blocks of 1 << kSecondBits entries
};

Tables Build(MhColor colour) {
    Tables t;
    for (unsigned low = 0; low < (1u << kFirstBits); ++low) {
        std::array<Entry, 1u << kSecondBits> block;
        bool longer = false;
        for (unsigned high = 0; high < block.size(); ++high) {
            block[high] = Decide(colour, low | (high << kFirstBits));
            longer = longer || block[high].length > kFirstBits;
        }
        if (!longer) {
            t.first[low] = block[0];
        } else {
            t.first[low] = {Entry::Longer, 0, 0, static_cast<std::uint16_t>(t.second.size())};
            t.second.insert(t.second.end(), block.begin(), block.end());
        }
    }
    return t;
}

// Indexed by MhColor.
const std::array<Tables, 2>& AllTables() {
    static const std::array<Tables, 2> tables = {Build(MhColor::White), Build(MhColor::Black)};
    return tables;
}

}  // namespace

void MhDecoder::Feed(std::span<const std::uint8_t> bytes) {
    input_ = bytes;
    Decode(false);
    input_ = {};
}

void MhDecoder::Finish() { Decode(true); }

namespace {

void Consume(MhDecoder::Bits& in, int count) {
    const std::uint64_t taken = count == 64 ? in.bits : in.bits & ((std::uint64_t{1} << count) - 1);
    if (taken == 0) {
        in.zeros += count;
    } else {
        in.zeros = count - 1 - (63 - std::countl_zero(taken));
    }
    in.bits = count == 64 ? 0 : in.bits >> count;
    in.available -= count;
}

// Tops up the bits to more than 56, or as far as the input goes.
void Refill(MhDecoder::Bits& in, std::span<const std::uint8_t>& input) {
    const int room = (64 - in.available) / 8;
    if constexpr (std::endian::native == std::endian::little) {
        // As many whole bytes as fit, in one load: the stream's first byte
        // lands lowest, as the bit order needs.
        if (input.size() >= 8) {
            std::uint64_t word;
            std::memcpy(&word, input.data(), sizeof word);
            if (room < 8) word &= (std::uint64_t{1} << (room * 8)) - 1;
            in.bits |= word << in.available;
            in.available += room * 8;
            input = input.subspan(static_cast<std::size_t>(room));
            return;
        }
    }
    while (in.available <= 56 && !input.empty()) {
        in.bits |= std::uint64_t{input.front()} << in.available;
        in.available += 8;
        input = input.subspan(1);
    }
}

}  // namespace

void MhDecoder::Decode(bool final) {
    // A local copy of the bit buffer, which the line handler's calls cannot
    // reach, so that it stays in registers.
    Bits in = bits_;
    DecodeBits(in, final);
    bits_ = in;
}

void MhDecoder::DecodeBits(Bits& in, bool final) {
    const std::array<Tables, 2>& allTables = AllTables();
    while (!state_.PageEnded()) {
        // Topping up only when a longest code might not fit leaves several
        // codes between refills.
        if (in.available < 2 * kMhLongestCode) Refill(in, input_);
        // Every decision needs at most kMhLongestCode bits; only the end of the
        // data allows deciding on fewer.
        if (in.available == 0 || (!final && in.available < kMhLongestCode)) return;

        const int zerosAhead = in.bits == 0 ? in.available : std::countr_zero(in.bits);
        if (zerosAhead >= in.available) {
            // Fill, or the start of an EOL; a code cut off by the end of the
            // data is dropped in any case.
            Consume(in, in.available);
            continue;
        }
        if (in.zeros + zerosAhead >= MhLineState::kEolZeros) {
            Consume(in, zerosAhead + 1);
            state_.Eol();
            continue;
        }
        if (state_.Hunting()) {
            Consume(in, zerosAhead + 1);
            continue;
        }
        const Tables& tables = allTables[static_cast<std::size_t>(state_.Colour())];
        Entry entry = tables.first[in.bits & ((1u << kFirstBits) - 1)];
        if (entry.kind == Entry::Longer) {
            entry = tables.second[entry.value + ((in.bits >> kFirstBits) & ((1u << kSecondBits) - 1))];
        }
        if (entry.length > in.available) return;  // cut off at the end of the data
        in.bits >>= entry.length;
        in.available -= entry.length;
        in.zeros = entry.trailingZeros;
        switch (entry.kind) {
        case Entry::Terminating: state_.Run({MhCodeMatch::Terminating, entry.value}); break;
        case Entry::MakeUp: state_.Run({MhCodeMatch::MakeUp, entry.value}); break;
        default: state_.BadCode(); break;
        }
    }
}

}  // namespace vl::faxdoc
