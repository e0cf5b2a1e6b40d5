#include "cover/CoverFaxFile.h"

#include "base/ErrorCodes.h"
#include "base/WindowSystemPump.h"
#include "cover/CoverRenderer.h"
#include "faxdoc/BitmapSource.h"
#include "faxdoc/FaxConversion.h"

namespace vl::cover {

namespace {

constexpr int kCoverWidth = 1728;

}  // namespace

int WriteCoverFax(const gfx::MonoBitmap& page, const std::string& apfFile, const CoverYield& yield) {
    // Neither doubled, halved nor centred: the page is already a fine fax line wide.
    faxdoc::FitRequest fit;
    fit.pageWidth = kCoverWidth;
    fit.leftMargin = 0;
    faxdoc::BitmapSource source(fit);
    source.Attach(&page);

    faxdoc::ConversionSettings settings;
    settings.highResolution = true;
    settings.width = kCoverWidth;
    settings.leftMargin = 0;
    settings.yield = true;
    faxdoc::ConversionHooks hooks;
    hooks.processMessages = yield ? yield : [] {
        base::PumpWindowSystem();
        return base::ecOK;
    };
    return faxdoc::ConvertDocument(source, std::string(), apfFile, settings, hooks);
}

int MakeCoverFile(const std::string& renderFile, const CoverValues& values, const std::vector<std::string>& message,
                  const std::string& target, const CoverYield& yield) {
    CoverRenderer renderer;
    renderer.SetYield(yield);
    gfx::MonoBitmap page;
    if (const int rc = renderer.RenderFile(renderFile, values, message, CoverSize::FaxPage, page); rc != base::ecOK)
        return rc;
    return WriteCoverFax(page, target, yield);
}

}  // namespace vl::cover
