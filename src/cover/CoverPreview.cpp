#include "cover/CoverPreview.h"

#include <system_error>

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "cover/CoverRenderer.h"
#include "faxdoc/PageExport.h"

namespace vl::cover {

int MakePreviewPicture(const std::string& renderFile, const std::string& picture, const std::tm& when,
                       const CoverYield& yield) {
    CoverRenderer renderer;
    renderer.SetYield(yield);
    gfx::MonoBitmap page;
    if (const int rc = renderer.RenderFile(renderFile, PreviewValues(when), {}, CoverSize::Preview, page);
        rc != base::ecOK)
        return rc;
    // The bitmap's rows are already packed the way a decoded fax page is.
    const faxdoc::PageImage image{page.Width(), page.Height(), page.BytesPerRow(),
                                  std::vector<std::uint8_t>(page.Bits().begin(), page.Bits().end())};
    std::string bmp;
    if (const int rc = faxdoc::EncodeBmp(image, bmp); rc != base::ecOK) return rc;
    try {
        base::ReplaceFileAtomically(picture, bmp);
    } catch (const std::system_error&) {
        return base::ecCantWriteFile;
    }
    return base::ecOK;
}

}  // namespace vl::cover
