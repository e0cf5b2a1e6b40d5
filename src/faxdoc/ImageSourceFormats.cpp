#include "faxdoc/ImageSourceFormats.h"

#include "faxdoc/BmpDecoder.h"
#include "faxdoc/DcxDirectory.h"
#include "faxdoc/PcxDecoder.h"
#include "faxdoc/TiffDecoder.h"

namespace vl::faxdoc {

int TiffSource::OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) {
    return OpenTiffPage(page, rows);
}

int PcxSource::OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) {
    return OpenPcxPage(page, Fit().pageWidth, rows);
}

int DcxSource::SplitPages(std::span<const std::uint8_t> file, std::vector<std::span<const std::uint8_t>>& pages) {
    return SplitDcxPages(file, pages);
}

int BmpSource::OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) {
    return OpenBmpPage(page, rows);
}

}  // namespace vl::faxdoc
