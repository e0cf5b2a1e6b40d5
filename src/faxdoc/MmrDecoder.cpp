#include "faxdoc/MmrDecoder.h"

#include <algorithm>

#include "base/ErrorCodes.h"
#include "faxdoc/MhRunTable.h"
#include "faxdoc/TwoDimCodes.h"
#include "faxdoc/TwoDimEncoder.h"

namespace vl::faxdoc {

MmrDecoder::MmrDecoder(int width, MhLineHandler onLine)
    : line_(std::clamp(width, 1, kMaxTwoDimWidth)), onLine_(std::move(onLine)) {
    if (width != line_.Width()) error_ = base::ecBadArgument;
}

void MmrDecoder::Fail() { error_ = base::ecFaxBadFormat; }

void MmrDecoder::Feed(std::span<const std::uint8_t> bytes) {
    input_ = bytes;
    Decode(false);
    input_ = {};
}

int MmrDecoder::Finish() {
    Decode(true);
    if (!Stopped() && !line_.Untouched()) Fail();  // the data ended inside a line
    return error_;
}

void MmrDecoder::Decode(bool final) {
    bits_ = DecodeBits(bits_, final);
}

StreamBits MmrDecoder::DecodeBits(StreamBits in, bool final) {
    const MhRunTable* const runTables[] = {&MhRunTableOf(MhColor::White), &MhRunTableOf(MhColor::Black)};
    const TwoDimCodeTables& codes = TwoDimCodes();
    while (!Stopped()) {
        if (in.available < 2 * kMhLongestCode) in.Refill(input_);
        if (in.available == 0 || (!final && in.available < kMhLongestCode)) return in;
        if (line_.InHorizontal()) {
            const MhRunEntry run = runTables[static_cast<std::size_t>(line_.RunColour())]->Lookup(in.bits);
            if (run.kind == MhRunEntry::Bad || run.length > in.available) {
                Fail();
                return in;
            }
            in.Take(run.length, run.trailingZeros);
            if (!line_.HorizontalCode(run.kind == MhRunEntry::Terminating, run.value)) {
                Fail();
                return in;
            }
        } else {
            if (line_.Untouched()) {
                // Between lines, zeros lead to EOFB or are padding at the end
                // of the data.
                const int zerosAhead = in.ZerosAhead();
                if (zerosAhead >= in.available) {
                    in.Consume(in.available);
                    continue;
                }
                if (in.zeros + zerosAhead >= MhLineState::kEolZeros) {
                    ended_ = true;
                    return in;
                }
            }
            const TwoDimMode mode = codes.modes[in.bits & ((1u << TwoDimCodeTables::kLookupBits) - 1)];
            if (mode.kind == TwoDimMode::Bad || mode.length > in.available) {
                Fail();
                return in;
            }
            in.Take(mode.length, mode.trailingZeros);
            switch (mode.kind) {
            case TwoDimMode::Pass: line_.Pass(); break;
            case TwoDimMode::Horizontal: line_.StartHorizontal(); break;
            default:
                if (!line_.Vertical(mode.offset)) {
                    Fail();
                    return in;
                }
                break;
            }
        }
        if (line_.Complete()) {
            ++lines_;
            onLine_(line_.Finish());
        }
    }
    return in;
}

}  // namespace vl::faxdoc
