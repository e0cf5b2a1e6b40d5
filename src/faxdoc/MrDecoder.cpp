#include "faxdoc/MrDecoder.h"

#include <algorithm>

#include "base/ErrorCodes.h"
#include "faxdoc/TwoDimEncoder.h"

namespace vl::faxdoc {

MrDecoder::MrDecoder(int width, MhLineHandler onLine)
    : line_(std::clamp(width, 1, kMaxTwoDimWidth)),
      onLine_(std::move(onLine)),
      runTables_{&MhRunTableOf(MhColor::White), &MhRunTableOf(MhColor::Black)},
      modes_(TwoDimCodes().modes.data()) {
    if (width != line_.Width()) error_ = base::ecBadArgument;
}

void MrDecoder::Feed(std::span<const std::uint8_t> bytes) {
    input_ = bytes;
    Decode(false);
    input_ = {};
}

void MrDecoder::Finish() {
    Decode(true);
    if (ended_ || error_ != 0) return;
    if (state_ == State::AwaitEol || (state_ == State::OneDim && line_.OneDimComplete())) {
        Accept();
    } else if ((state_ == State::OneDim || state_ == State::TwoDim) && !line_.Untouched()) {
        BadLine();
    }
    state_ = State::Hunting;
}

void MrDecoder::Decode(bool final) {
    bits_ = DecodeBits(bits_, final);
}

void MrDecoder::Accept() {
    ++lines_;
    referenceValid_ = true;
    onLine_(line_.Finish());
}

void MrDecoder::BadLine() {
    ++badLines_;
    referenceValid_ = false;
    state_ = State::Hunting;
    line_.Restart();
}

void MrDecoder::Eol() {
    bool empty = false;
    switch (state_) {
    case State::OneDim:
        empty = line_.Untouched();
        if (!empty && line_.OneDimComplete()) {
            Accept();
        } else if (!empty) {
            BadLine();
        }
        break;
    case State::TwoDim:
        // Only a line that has not reached its width is still in this state.
        empty = line_.Untouched();
        if (!empty) BadLine();
        break;
    case State::AwaitEol: Accept(); break;
    default: break;
    }
    eolsInRow_ = empty ? eolsInRow_ + 1 : 1;
    if (eolsInRow_ >= MhLineState::kEolsEndingPage) ended_ = true;
    line_.Restart();
    state_ = State::Tag;
}

StreamBits MrDecoder::DecodeBits(StreamBits in, bool final) {
    // Fill before an EOL, or the EOL: true when either was taken.
    auto fillOrEol = [&]() {
        const int zerosAhead = in.ZerosAhead();
        if (zerosAhead >= in.available) {
            // No code holds this many zeros.
            in.Consume(in.available);
            return true;
        }
        if (in.zeros + zerosAhead < MhLineState::kEolZeros) return false;
        in.Consume(zerosAhead + 1);
        Eol();
        return true;
    };
    // The run or mode code next in a line, taken and applied (a code that
    // leads off the line makes a bad line); NoCode when no code starts there,
    // CutOff when the data ends inside one. A lambda, so that it is inlined.
    auto takeCode = [&]() {
        if (state_ == State::OneDim || line_.InHorizontal()) {
            const MhRunEntry run = runTables_[static_cast<std::size_t>(line_.RunColour())]->Lookup(in.bits);
            if (run.length > in.available) return Took::CutOff;
            if (run.kind == MhRunEntry::Bad) return Took::NoCode;
            in.Take(run.length, run.trailingZeros);
            const bool terminating = run.kind == MhRunEntry::Terminating;
            const bool fits = state_ == State::OneDim ? line_.OneDimCode(terminating, run.value)
                                                      : line_.HorizontalCode(terminating, run.value);
            if (!fits) {
                BadLine();
            } else if (state_ == State::TwoDim && line_.Complete()) {
                state_ = State::AwaitEol;
            }
            return Took::Code;
        }
        const TwoDimMode mode = modes_[in.bits & ((1u << TwoDimCodeTables::kLookupBits) - 1)];
        if (mode.length > in.available) return Took::CutOff;
        if (mode.kind == TwoDimMode::Bad) return Took::NoCode;
        in.Take(mode.length, mode.trailingZeros);
        switch (mode.kind) {
        case TwoDimMode::Pass: line_.Pass(); break;
        case TwoDimMode::Horizontal: line_.StartHorizontal(); break;
        default:
            if (!line_.Vertical(mode.offset)) {
                BadLine();
                return Took::Code;
            }
            break;
        }
        if (line_.Complete()) state_ = State::AwaitEol;
        return Took::Code;
    };
    if (error_ != 0) return in;
    while (!ended_) {
        if (in.available < 2 * kMhLongestCode) in.Refill(input_);
        if (in.available == 0 || (!final && in.available < kMhLongestCode)) return in;
        if (state_ > State::TwoDim) {
            switch (state_) {
            case State::Tag: {
                const bool oneDim = (in.bits & 1u) != 0;
                in.Consume(1);
                if (oneDim) {
                    state_ = State::OneDim;
                } else if (referenceValid_) {
                    state_ = State::TwoDim;
                } else {
                    BadLine();
                }
                break;
            }
            case State::Hunting:
                if (!fillOrEol()) in.Consume(in.ZerosAhead() + 1);
                break;
            default:
                if (!fillOrEol()) BadLine();  // codes after a finished line
                break;
            }
            continue;
        }
        // With few zeros before it, a code the tables know cannot be the
        // start of an EOL: no mode code starts with more than five zeros and
        // no run code with more than seven. Only the rest needs the EOL search.
        const bool eolPossible = in.zeros > MhLineState::kEolZeros - 8;
        if (eolPossible && fillOrEol()) continue;
        const Took took = takeCode();
        if (took == Took::CutOff) return in;
        if (took == Took::NoCode && (eolPossible || !fillOrEol())) BadLine();
    }
    return in;
}

}  // namespace vl::faxdoc
