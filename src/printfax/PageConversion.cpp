#include "printfax/PageConversion.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "base/ErrorCodes.h"
#include "base/MessageTable.h"
#include "faxdoc/FaxConversion.h"
#include "printfax/FaxGeometry.h"
#include "printfax/Ghostscript.h"
#include "printfax/RenderedPages.h"
#include "printfax/TempFolder.h"

namespace vl::printfax {

std::string ConvertPages(int count, const PageSequenceSource::MakePage& make, bool fine, const std::string& apfFile) {
    PageSequenceSource source(count, make);
    faxdoc::ConversionSettings settings;
    settings.highResolution = fine;
    settings.width = kFaxWidth;
    settings.leftMargin = 0;  // the pages are laid out on the whole line already
    const int rc = faxdoc::ConvertDocument(source, std::string(), apfFile, settings);
    if (rc == base::ecOK) return {};
    if (!source.Failure().empty()) return source.Failure();
    return "the fax file could not be written: " + base::ErrorText(rc);
}

std::string ConvertRendered(const std::string& documentFile, const std::string& folder, bool fine,
                            const std::string& apfFile) {
    std::vector<std::string> files;
    if (std::string failure = RenderWithGhostscript(documentFile, folder, fine, files); !failure.empty())
        return failure;
    const RenderedPages pages(std::move(files), fine);
    return ConvertPages(
        pages.Count(), [&pages](int index, gfx::MonoBitmap& page) { return pages.Make(index, page); }, fine, apfFile);
}

std::string ConvertDocumentFile(const std::string& documentFile, bool fine, const std::string& apfFile) {
    // Ghostscript's own words for a missing file are no help to a user.
    const int fd = open(documentFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    close(fd);
    const TempFolder work;
    if (work.Path().empty()) return "no temporary folder could be made";
    return ConvertRendered(documentFile, work.Path(), fine, apfFile);
}

}  // namespace vl::printfax
