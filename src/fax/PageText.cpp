#include "fax/PageText.h"

#include "faxdoc/EnhancedTextSource.h"
#include "faxdoc/FontTextSource.h"

namespace vl::fax {

namespace {

faxdoc::TextPageLayout LayoutFor(bool fine, bool wide)
{
    faxdoc::TextPageLayout layout;
    layout.width = wide ? faxdoc::kWideWidth : faxdoc::kNormalWidth;
    layout.highResolution = fine;
    layout.linesPerPage = 0;
    return layout;
}

faxdoc::LineLayout LineLayoutFor(const faxdoc::TextPageLayout& page, bool doubleWidth)
{
    faxdoc::LineLayout line;
    line.width = page.width;
    line.leftMargin = page.leftMargin;
    line.doubleWidth = doubleWidth;
    return line;
}

}  // namespace

PageText::PageText(bool fine, bool wide, faxdoc::FaxFontSize size, const std::optional<gfx::FontSpec>& enhanced)
    : encoder_(LineLayoutFor(LayoutFor(fine, wide), enhanced.has_value() && !fine))
{
    const auto layout = LayoutFor(fine, wide);
    if (enhanced)
        source_ = std::make_unique<faxdoc::EnhancedTextSource>(layout, *enhanced);
    else
        source_ = std::make_unique<faxdoc::FontTextSource>(layout, size);
}

PageText::~PageText() = default;

int PageText::SendLine(std::string_view text, PageEscaper& escaper, std::size_t minScanBytes)
{
    for (int row = 1; row <= source_->RowsPerTextLine(); ++row) {
        if (const int rc = source_->TextRow(text, row, raster_); rc != 0)
            return rc;
        if (const int rc = escaper.SendRecord(encoder_.Encode(raster_), minScanBytes); rc != 0)
            return rc;
    }
    return 0;
}

}  // namespace vl::fax
