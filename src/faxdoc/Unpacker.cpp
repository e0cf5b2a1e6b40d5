#include "faxdoc/Unpacker.h"

#include <new>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/MhDecoder.h"
#include "faxdoc/MhPageStream.h"
#include "faxdoc/PageCollector.h"
#include "faxdoc/PageScaling.h"
#include "faxdoc/UnpackLineFilter.h"

namespace vl::faxdoc {

namespace {

int AtLeastOne(int factor) { return factor == 0 ? 1 : factor; }

int Decode(std::span<const std::uint8_t> imageData, std::uint16_t imageFlags, const UnpackOptions& options,
           PageImage& page) {
    PageCollector collector;
    UnpackLineFilter filter(options, (imageFlags & ifHighResolution) != 0, collector);
    MhDecoder decoder([&](std::span<const std::uint8_t> line) { filter.Line(line); });
    int rc = base::ecOK;
    ForEachMhPiece(imageData, (imageFlags & ifLineRecords) != 0,
                   [&](std::span<const std::uint8_t> piece, std::size_t done) {
                       decoder.Feed(piece);
                       if (options.onProgress) {
                           const UnpackProgress progress{done, imageData.size(), collector.Lines()};
                           switch (options.onProgress(progress)) {
                           case UnpackControl::Continue: break;
                           case UnpackControl::Abort: rc = base::ecUnpackAbort; return false;
                           case UnpackControl::Quit: rc = base::ecGotQuitMsg; return false;
                           }
                       }
                       return !decoder.PageEnded();
                   });
    if (rc == base::ecGotQuitMsg) return rc;
    if (rc == base::ecOK) decoder.Finish();
    filter.Finish();
    page = collector.Take();
    const int hm = AtLeastOne(options.horizMult), hd = AtLeastOne(options.horizDiv);
    const int vm = AtLeastOne(options.vertMult), vd = AtLeastOne(options.vertDiv);
    if (hm != hd || vm != vd) page = ScalePage(page, hm, hd, vm, vd);
    return rc;
}

}  // namespace

int UnpackPage(std::span<const std::uint8_t> imageData, std::uint16_t imageFlags, const UnpackOptions& options,
               PageImage& page) {
    page = PageImage{};
    if (int rc = CheckUnpackOptions(options); rc != base::ecOK) return rc;
    try {
        return Decode(imageData, imageFlags, options, page);
    } catch (const std::bad_alloc&) {
        page = PageImage{};
        return base::ecOutOfMemory;
    }
}

int UnpackApfPage(const std::string& fileName, unsigned pageNumber, const UnpackOptions& options, PageImage& page) {
    page = PageImage{};
    if (pageNumber == 0) return base::ecInvalidPageNumber;
    ApfReader reader;
    ApfPage apfPage;
    if (int rc = reader.Open(fileName); rc != base::ecOK) return rc;
    if (int rc = reader.ReadPage(pageNumber, apfPage); rc != base::ecOK) return rc;
    reader.Close();
    return UnpackPage(apfPage.imageData, apfPage.header.imageFlags, options, page);
}

}  // namespace vl::faxdoc
