#include "faxdoc/MhDecoder.h"

#include "faxdoc/MhRunTable.h"

namespace vl::faxdoc {

void MhDecoder::Feed(std::span<const std::uint8_t> bytes) {
    input_ = bytes;
    Decode(false);
    input_ = {};
}

void MhDecoder::Finish() { Decode(true); }

void MhDecoder::Decode(bool final) {
    // A local copy of the bit buffer, which the line handler's calls cannot
    // reach, so that it stays in registers.
    StreamBits in = bits_;
    DecodeBits(in, final);
    bits_ = in;
}

void MhDecoder::DecodeBits(StreamBits& in, bool final) {
    // Indexed by MhColor.
    const MhRunTable* const tables[] = {&MhRunTableOf(MhColor::White), &MhRunTableOf(MhColor::Black)};
    while (!state_.PageEnded()) {
        // Topping up only when a longest code might not fit leaves several
        // codes between refills.
        if (in.available < 2 * kMhLongestCode) in.Refill(input_);
        // Every decision needs at most kMhLongestCode bits; only the end of the
        // data allows deciding on fewer.
        if (in.available == 0 || (!final && in.available < kMhLongestCode)) return;

        const int zerosAhead = in.ZerosAhead();
        if (zerosAhead >= in.available) {
            // Fill, or the start of an EOL; a code cut off by the end of the
            // data is dropped in any case.
            in.Consume(in.available);
            continue;
        }
        if (in.zeros + zerosAhead >= MhLineState::kEolZeros) {
            in.Consume(zerosAhead + 1);
            state_.Eol();
            continue;
        }
        if (state_.Hunting()) {
            in.Consume(zerosAhead + 1);
            continue;
        }
        const MhRunEntry entry = tables[static_cast<std::size_t>(state_.Colour())]->Lookup(in.bits);
        if (entry.length > in.available) return;  // cut off at the end of the data
        in.Take(entry.length, entry.trailingZeros);
        switch (entry.kind) {
        case MhRunEntry::Terminating: state_.Run({MhCodeMatch::Terminating, entry.value}); break;
        case MhRunEntry::MakeUp: state_.Run({MhCodeMatch::MakeUp, entry.value}); break;
        default: state_.BadCode(); break;
        }
    }
}

}  // namespace vl::faxdoc
