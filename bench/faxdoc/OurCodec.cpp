#include "OurCodec.h"

#include <stdexcept>
#include <string>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/MmrDecoder.h"
#include "faxdoc/MrDecoder.h"
#include "faxdoc/TwoDimEncoder.h"
#include "faxdoc/Unpacker.h"

namespace vl::bench {

namespace {

void PutRecord(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> record) {
    out.push_back(static_cast<std::uint8_t>(record.size()));
    out.push_back(static_cast<std::uint8_t>(record.size() >> 8));
    out.insert(out.end(), record.begin(), record.end());
}

void TwoDimEncode(const faxdoc::PageImage& page, const faxdoc::TwoDimOptions& options,
                  std::vector<std::uint8_t>& out) {
    out.clear();
    faxdoc::TwoDimEncoder encoder(options);
    const auto stride = static_cast<std::size_t>(page.stride);
    for (int y = 0; y < page.height; ++y) encoder.Encode({page.Row(y), stride}, out);
    encoder.Finish(out);
}

// A page the decoder's lines are gathered into, as libtiff's scanlines are.
faxdoc::PageImage EmptyPage(int width) {
    faxdoc::PageImage page;
    page.width = width;
    page.stride = (width + 7) / 8;
    return page;
}

faxdoc::MhLineHandler AppendTo(faxdoc::PageImage& page) {
    return [&page](std::span<const std::uint8_t> line) {
        page.bits.insert(page.bits.end(), line.begin(), line.end());
        ++page.height;
    };
}

}  // namespace

void OurMrEncode(const faxdoc::PageImage& page, std::vector<std::uint8_t>& out) {
    TwoDimEncode(page, {faxdoc::TwoDimCoding::Mr, page.width, faxdoc::kFineK, 0}, out);
}

void OurMmrEncode(const faxdoc::PageImage& page, std::vector<std::uint8_t>& out) {
    TwoDimEncode(page, {faxdoc::TwoDimCoding::Mmr, page.width, 1, 0}, out);
}

void OurEncode(const faxdoc::PageImage& page, std::vector<std::uint8_t>& out) {
    out.clear();
    faxdoc::LineEncoder encoder(faxdoc::LineLayout{page.width, 0, false});
    const auto stride = static_cast<std::size_t>(page.stride);
    for (int y = 0; y < page.height; ++y) PutRecord(out, encoder.Encode({page.Row(y), stride}));
    PutRecord(out, faxdoc::kEndOfPageRecord);
}

faxdoc::PageImage OurDecode(std::span<const std::uint8_t> imageData) {
    faxdoc::UnpackOptions options;
    options.aspect = faxdoc::AspectMode::None;
    faxdoc::PageImage page;
    const int rc = faxdoc::UnpackPage(imageData, faxdoc::ifHighResolution | faxdoc::ifLineRecords, options, page);
    if (rc != 0) throw std::runtime_error("our unpacker failed with code " + std::to_string(rc));
    return page;
}

faxdoc::PageImage OurMrDecode(std::span<const std::uint8_t> stream, int width) {
    faxdoc::PageImage page = EmptyPage(width);
    faxdoc::MrDecoder decoder(width, AppendTo(page));
    decoder.Feed(stream);
    decoder.Finish();
    if (decoder.BadLines() != 0) throw std::runtime_error("our MR decoder found bad lines");
    return page;
}

faxdoc::PageImage OurMmrDecode(std::span<const std::uint8_t> stream, int width) {
    faxdoc::PageImage page = EmptyPage(width);
    faxdoc::MmrDecoder decoder(width, AppendTo(page));
    decoder.Feed(stream);
    if (const int rc = decoder.Finish(); rc != 0)
        throw std::runtime_error("our MMR decoder failed with code " + std::to_string(rc));
    return page;
}

}  // namespace vl::bench
