#include "faxdoc/PageRecoder.h"

#include <algorithm>
#include <optional>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/MhDecoder.h"
#include "faxdoc/MmrDecoder.h"
#include "faxdoc/MrDecoder.h"
#include "faxdoc/TwoDimEncoder.h"

namespace vl::faxdoc {

struct PageRecoder::Impl {
    explicit Impl(const RecodeSetup& s) : setup(s), row(static_cast<std::size_t>(Width() / 8)) {
        const MhLineHandler onLine = [this](std::span<const std::uint8_t> line) { TakeLine(line); };
        switch (setup.from) {
        case PageCoding::Mh: mhIn.emplace(onLine); break;
        case PageCoding::Mr: mrIn.emplace(Width(), onLine); break;
        case PageCoding::Mmr: mmrIn.emplace(Width(), onLine); break;
        }
        if (setup.to == PageCoding::Mh) {
            mhOut.emplace(LineLayout{Width()});
        } else {
            TwoDimOptions options;
            options.coding = setup.to == PageCoding::Mmr ? TwoDimCoding::Mmr : TwoDimCoding::Mr;
            options.width = Width();
            options.k = setup.fine ? kFineK : kNormalK;
            options.minScanBytes = setup.minScanBytes;
            twoDimOut.emplace(options);
        }
    }

    int Width() const { return setup.width == kWideWidth ? kWideWidth : kNormalWidth; }

    // Lines of another width than the page's (an MH sender may mix them) are
    // cut or filled with white.
    void TakeLine(std::span<const std::uint8_t> line) {
        const std::size_t n = std::min(line.size(), row.size());
        std::copy_n(line.begin(), n, row.begin());
        std::fill(row.begin() + static_cast<std::ptrdiff_t>(n), row.end(), std::uint8_t{0});
        ++lines;
        if (twoDimOut) {
            twoDimOut->Encode(row, *out);
            return;
        }
        const std::span<const std::uint8_t> record = mhOut->Encode(row);
        out->insert(out->end(), record.begin(), record.end());
        if (record.size() < setup.minScanBytes) out->insert(out->end(), setup.minScanBytes - record.size(), 0);
    }

    bool InputEnded() const {
        if (mhIn) return mhIn->PageEnded();
        if (mrIn) return mrIn->PageEnded() || mrIn->Error() != 0;
        return mmrIn->Stopped();
    }

    void EndOutput() {
        if (ended) return;
        ended = true;
        if (twoDimOut)
            twoDimOut->Finish(*out);
        else
            out->insert(out->end(), kEndOfPageRecord.begin(), kEndOfPageRecord.end());
    }

    RecodeSetup setup;
    std::optional<MhDecoder> mhIn;
    std::optional<MrDecoder> mrIn;
    std::optional<MmrDecoder> mmrIn;
    std::optional<LineEncoder> mhOut;
    std::optional<TwoDimEncoder> twoDimOut;
    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t>* out = nullptr;  // where the current call's lines go
    bool ended = false;
    int lines = 0;
};

PageRecoder::PageRecoder(const RecodeSetup& setup) : impl_(std::make_unique<Impl>(setup)) {}

PageRecoder::~PageRecoder() = default;

void PageRecoder::Feed(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
    Impl& d = *impl_;
    if (d.ended) return;
    d.out = &out;
    if (d.mhIn)
        d.mhIn->Feed(in);
    else if (d.mrIn)
        d.mrIn->Feed(in);
    else
        d.mmrIn->Feed(in);
    if (d.InputEnded()) d.EndOutput();
}

void PageRecoder::Finish(std::vector<std::uint8_t>& out) {
    Impl& d = *impl_;
    if (d.ended) return;
    d.out = &out;
    if (d.mhIn)
        d.mhIn->Finish();
    else if (d.mrIn)
        d.mrIn->Finish();
    else
        d.mmrIn->Finish();
    d.EndOutput();
}

void PageRecoder::PadToByte(std::vector<std::uint8_t>& out) {
    // MH output is made of whole records already.
    if (impl_->twoDimOut && !impl_->ended) impl_->twoDimOut->PadToByte(out);
}

bool PageRecoder::PageEnded() const { return impl_->ended; }

int PageRecoder::Lines() const { return impl_->lines; }

int PageRecoder::BadLines() const {
    const Impl& d = *impl_;
    if (d.mhIn) return d.mhIn->BadCodes();
    if (d.mrIn) return d.mrIn->BadLines();
    return 0;
}

int PageRecoder::Error() const {
    const Impl& d = *impl_;
    if (d.mrIn) return d.mrIn->Error();
    if (d.mmrIn) return d.mmrIn->Error();
    return 0;
}

}  // namespace vl::faxdoc
