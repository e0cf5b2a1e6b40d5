#include "faxdoc/MhDecoder.h"

#include <array>
#include <bit>
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
    std::uint16_t value = 0;  // the run, or the second table's offset
};

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
        case MhCodeMatch::Terminating: return {Entry::Terminating, static_cast<std::uint8_t>(length), match.run};
        case MhCodeMatch::MakeUp: return {Entry::MakeUp, static_cast<std::uint8_t>(length), match.run};
        case MhCodeMatch::NoCode: return {Entry::Bad, static_cast<std::uint8_t>(length), 0};
        }
    }
    return {Entry::Bad, kMhLongestCode, 0};
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
            t.first[low] = {Entry::Longer, 0, static_cast<std::uint16_t>(t.second.size())};
            t.second.insert(t.second.end(), block.begin(), block.end());
        }
    }
    return t;
}

const Tables& TablesFor(MhColor colour) {
    static const Tables white = Build(MhColor::White);
    static const Tables black = Build(MhColor::Black);
    return colour == MhColor::White ? white : black;
}

}  // namespace

void MhDecoder::Feed(std::span<const std::uint8_t> bytes) {
    input_ = bytes;
    Decode(false);
    input_ = {};
}

void MhDecoder::Finish() { Decode(true); }

void MhDecoder::Consume(int count) {
    const std::uint64_t taken = count == 64 ? bits_ : bits_ & ((std::uint64_t{1} << count) - 1);
    if (taken == 0) {
        zeros_ += count;
    } else {
        zeros_ = count - 1 - (63 - std::countl_zero(taken));
    }
    bits_ = count == 64 ? 0 : bits_ >> count;
    available_ -= count;
}

void MhDecoder::Decode(bool final) {
    while (!state_.PageEnded()) {
        while (available_ <= 56 && !input_.empty()) {
            bits_ |= std::uint64_t{input_.front()} << available_;
            available_ += 8;
            input_ = input_.subspan(1);
        }
        // Every decision needs at most kMhLongestCode bits; only the end of the
        // data allows deciding on fewer.
        if (available_ == 0 || (!final && available_ < kMhLongestCode)) return;

        const int zerosAhead = bits_ == 0 ? available_ : std::countr_zero(bits_);
        if (zerosAhead >= available_) {
            // Fill, or the start of an EOL; a code cut off by the end of the
            // data is dropped in any case.
            Consume(available_);
            continue;
        }
        if (zeros_ + zerosAhead >= MhLineState::kEolZeros) {
            Consume(zerosAhead + 1);
            state_.Eol();
            continue;
        }
        if (state_.Hunting()) {
            Consume(zerosAhead + 1);
            continue;
        }
        const Tables& tables = TablesFor(state_.Colour());
        Entry entry = tables.first[bits_ & ((1u << kFirstBits) - 1)];
        if (entry.kind == Entry::Longer) {
            entry = tables.second[entry.value + ((bits_ >> kFirstBits) & ((1u << kSecondBits) - 1))];
        }
        if (entry.length > available_) return;  // cut off at the end of the data
        Consume(entry.length);
        switch (entry.kind) {
        case Entry::Terminating: state_.Run({MhCodeMatch::Terminating, entry.value}); break;
        case Entry::MakeUp: state_.Run({MhCodeMatch::MakeUp, entry.value}); break;
        default: state_.BadCode(); break;
        }
    }
}

}  // namespace vl::faxdoc
