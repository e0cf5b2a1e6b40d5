#include "faxdoc/TwoDimEncoder.h"

#include <algorithm>
#include <cstdlib>

#include "faxdoc/MhRunWriter.h"
#include "faxdoc/TwoDimCodes.h"

namespace vl::faxdoc {

namespace {

// A line codes to at most 7 bits a pixel (a vertical mode a pixel, or a
// horizontal mode's pair of one-pixel runs): the writer is emptied whenever
// it holds more than a margin below its capacity, in the middle of a line too.
constexpr std::size_t kDrainAt = BitWriter::kCapacity - 64;

constexpr int kRtcEols = 6;

int ClampedWidth(int width) { return std::clamp(width, 1, kMaxTwoDimWidth); }

}  // namespace

TwoDimEncoder::TwoDimEncoder(const TwoDimOptions& options)
    : options_(options), reference_(ClampedWidth(options.width)), coding_(ClampedWidth(options.width)) {
    options_.width = ClampedWidth(options.width);
    options_.k = std::max(options.k, 1);
}

void TwoDimEncoder::Drain(std::vector<std::uint8_t>& out) {
    const std::span<const std::uint8_t> whole = writer_.WholeBytes();
    out.insert(out.end(), whole.begin(), whole.end());
    drained_ += whole.size() * 8;
    writer_.DropWholeBytes();
}

void TwoDimEncoder::PutFill(std::size_t bits, std::vector<std::uint8_t>& out) {
    // Up to a byte boundary, then whole zero bytes straight out.
    const std::size_t head = (8 - writer_.PartialBits()) % 8;
    if (bits >= head + 8) {
        if (head > 0) writer_.Put({0, static_cast<std::uint8_t>(head)});
        Drain(out);
        const std::size_t zeroBytes = (bits - head) / 8;
        out.insert(out.end(), zeroBytes, std::uint8_t{0});
        drained_ += zeroBytes * 8;
        bits = (bits - head) % 8;
    }
    if (bits > 0) writer_.Put({0, static_cast<std::uint8_t>(bits)});
}

void TwoDimEncoder::PutEol(std::vector<std::uint8_t>& out) {
    if (line_ > 0) {
        const std::size_t lasted = Position() - lineStart_;
        if (lasted < 8 * options_.minScanBytes) PutFill(8 * options_.minScanBytes - lasted, out);
    }
    lineStart_ = Position();
    writer_.Put(MhCodes().eol);
}

void TwoDimEncoder::Encode(std::span<const std::uint8_t> raster, std::vector<std::uint8_t>& out) {
    coding_.FromRaster(raster);
    if (options_.coding == TwoDimCoding::Mmr) {
        CodeTwoDim(out);
    } else {
        PutEol(out);
        const bool oneDim = line_ % options_.k == 0;
        writer_.Put({static_cast<std::uint16_t>(oneDim ? 1 : 0), 1});
        if (oneDim) {
            CodeOneDim(out);
        } else {
            CodeTwoDim(out);
        }
    }
    ++line_;
    std::swap(reference_, coding_);
    Drain(out);
}

void TwoDimEncoder::CodeOneDim(std::vector<std::uint8_t>& out) {
    int x = 0;
    for (int i = 0; i <= coding_.Count(); ++i) {
        // Index Count() is the width: the last run ends the line.
        PutMhRun(writer_, i % 2 == 0 ? MhColor::White : MhColor::Black, coding_[i] - x);
        x = coding_[i];
        if (writer_.WholeBytes().size() >= kDrainAt) Drain(out);
    }
}

void TwoDimEncoder::CodeTwoDim(std::vector<std::uint8_t>& out) {
    const TwoDimCodeTables& codes = TwoDimCodes();
    const int width = options_.width;
    int a0 = -1;  // before the line's first pixel
    bool black = false;
    int a1Index = 0;  // a1 is the first change of the coding line right of a0
    int b1Index = 0;
    while (a0 < width) {
        const int a1 = coding_[a1Index];
        b1Index = reference_.FindB1(b1Index, a0, black);
        const int b1 = reference_[b1Index];
        const int b2 = reference_[b1Index + 1];
        if (b2 < a1) {
            writer_.Put(codes.pass);
            a0 = b2;
            b1Index += 2;
        } else if (std::abs(a1 - b1) <= kMaxVerticalOffset) {
            writer_.Put(codes.Vertical(a1 - b1));
            a0 = a1;
            black = !black;
            ++a1Index;
            // Changes of the new colour left of b1 lie left of a0 too, but
            // for the one just before b1 when a1 is left of b1.
            b1Index = a1 >= b1 ? b1Index + 1 : std::max(b1Index - 1, 0);
        } else {
            const int a2 = coding_[a1Index + 1];
            writer_.Put(codes.horizontal);
            const MhColor first = black ? MhColor::Black : MhColor::White;
            const MhColor second = black ? MhColor::White : MhColor::Black;
            PutMhRun(writer_, first, a1 - std::max(a0, 0));
            PutMhRun(writer_, second, a2 - a1);
            a0 = a2;
            a1Index += 2;
        }
        if (writer_.WholeBytes().size() >= kDrainAt) Drain(out);
    }
}
void TwoDimEncoder::PadToByte(std::vector<std::uint8_t>& out) {
    if (options_.coding == TwoDimCoding::Mmr || writer_.PartialBits() == 0) return;
    PutFill(8 - writer_.PartialBits(), out);
    Drain(out);
}

void TwoDimEncoder::Finish(std::vector<std::uint8_t>& out) {
    const MhCode eol = MhCodes().eol;
    if (options_.coding == TwoDimCoding::Mmr) {
        writer_.Put(eol);
        writer_.Put(eol);
    } else {
        PutEol(out);
        writer_.Put({1, 1});
        for (int i = 1; i < kRtcEols; ++i) {
            writer_.Put(eol);
            writer_.Put({1, 1});
        }
    }
    if (writer_.PartialBits() != 0) writer_.Put({0, static_cast<std::uint8_t>(8 - writer_.PartialBits())});
    Drain(out);
    line_ = 0;
    drained_ = 0;
    lineStart_ = 0;
    reference_.Clear();
}

}  // namespace vl::faxdoc
