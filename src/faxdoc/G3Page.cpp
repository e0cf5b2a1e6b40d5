#include "faxdoc/G3Page.h"

#include <new>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/BitOrder.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/Unpacker.h"

namespace vl::faxdoc {

int EncodeG3Page(const PageImage& image, const ApfPageHeader& header, G3Page& page) {
    if (image.width <= 0 || image.height <= 0) return base::ecFaxBadFormat;
    G3Page out;
    out.width = header.Wide() || image.width > kNormalWidth ? kWideWidth : kNormalWidth;
    out.rows = image.height;
    out.fine = header.HighResolution();
    LineEncoder encoder(LineLayout{out.width, 0, false});
    for (int y = 0; y < image.height; ++y) {
        for (const std::uint8_t byte : encoder.Encode({image.Row(y), static_cast<std::size_t>(image.stride)})) {
            out.data.push_back(static_cast<char>(kReversedBits[byte]));
        }
    }
    page = std::move(out);
    return base::ecOK;
}

int ReadG3Pages(const std::string& apfName, const UnpackProgressHook& onProgress, std::vector<G3Page>& pages) {
    try {
        ApfReader reader;
        if (int rc = reader.Open(apfName); rc != base::ecOK) return rc;
        if (reader.Header().pageCount == 0) return base::ecFaxBadFormat;
        UnpackOptions options;
        options.aspect = AspectMode::None;
        options.onProgress = onProgress;
        // Grown page by page: the count in the header is not trusted.
        std::vector<G3Page> read;
        for (unsigned number = 1; number <= reader.Header().pageCount; ++number) {
            ApfPage apfPage;
            if (int rc = reader.ReadPage(number, apfPage); rc != base::ecOK) return rc;
            PageImage image;
            if (int rc = UnpackPage(apfPage.imageData, apfPage.header.imageFlags, options, image); rc != base::ecOK) {
                return rc;
            }
            if (int rc = EncodeG3Page(image, apfPage.header, read.emplace_back()); rc != base::ecOK) return rc;
        }
        pages = std::move(read);
        return base::ecOK;
    } catch (const std::bad_alloc&) {
        return base::ecOutOfMemory;
    }
}

}  // namespace vl::faxdoc
