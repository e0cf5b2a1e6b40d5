// Text on a sent page: the header line at the top of every page and the lines
// of a text cover page, drawn with the built-in fax font (or a system font
// when enhanced text is on) and coded as MH line records for the modem.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "faxdoc/FaxFont.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/TextSource.h"
#include "fax/PageEscaper.h"
#include "gfx/TextDrawing.h"

namespace vl::fax {

class PageText {
public:
    // `enhanced` picks a system font instead of the fax font in `size`.
    PageText(bool fine, bool wide, faxdoc::FaxFontSize size, const std::optional<gfx::FontSpec>& enhanced);
    ~PageText();

    // Every raster row of one text line, each coded and sent as a line record
    // that lasts at least `minScanBytes`. 0 or the font's or the sink's error.
    int SendLine(std::string_view text, PageEscaper& escaper, std::size_t minScanBytes);

private:
    std::unique_ptr<faxdoc::TextSource> source_;
    faxdoc::LineEncoder encoder_;
    std::vector<std::uint8_t> raster_;
};

}  // namespace vl::fax
