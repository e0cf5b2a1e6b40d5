#include "OurCodec.h"

#include <stdexcept>
#include <string>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/Unpacker.h"

namespace vl::bench {

namespace {

void PutRecord(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> record) {
    out.push_back(static_cast<std::uint8_t>(record.size()));
    out.push_back(static_cast<std::uint8_t>(record.size() >> 8));
    out.insert(out.end(), record.begin(), record.end());
}

}  // namespace

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

}  // namespace vl::bench
