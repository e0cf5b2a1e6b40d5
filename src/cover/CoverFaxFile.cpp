#include "cover/CoverFaxFile.h"

#include <cstdio>
#include <filesystem>

#include "base/ErrorCodes.h"
#include "base/FreeNumbers.h"
#include "base/WindowSystemPump.h"
#include "cover/CoverRenderer.h"
#include "faxdoc/BitmapSource.h"
#include "faxdoc/FaxConversion.h"

namespace vl::cover {

namespace {

constexpr int kCoverWidth = 1728;
constexpr int kLastCoverNumber = 99999;

std::string CoverFaxName(const std::string& sendFolder, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "COV%05d.APF", number);
    return sendFolder + name;
}

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

std::string NewCoverFaxName(const std::string& sendFolder) {
    const std::optional<int> free = base::FirstFreeNumber(0, kLastCoverNumber, [&sendFolder](int number) {
        std::error_code error;
        return std::filesystem::exists(CoverFaxName(sendFolder, number), error);
    });
    return CoverFaxName(sendFolder, free.value_or(kLastCoverNumber));
}

int MakeCoverFile(const std::string& renderFile, const CoverValues& values, const std::vector<std::string>& message,
                  const std::string& sendFolder, const std::string& target, std::string& written,
                  const CoverYield& yield) {
    CoverRenderer renderer;
    renderer.SetYield(yield);
    gfx::MonoBitmap page;
    if (const int rc = renderer.RenderFile(renderFile, values, message, CoverSize::FaxPage, page); rc != base::ecOK)
        return rc;
    written = target.empty() ? NewCoverFaxName(sendFolder) : target;
    return WriteCoverFax(page, written, yield);
}

}  // namespace vl::cover
