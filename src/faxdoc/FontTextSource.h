// Text in the built-in fax font.
#pragma once

#include <array>
#include <string>

#include "faxdoc/FaxFont.h"
#include "faxdoc/TextSource.h"

namespace vl::faxdoc {

// Text is Latin-1 (UTF-8 lines are decoded, characters beyond Latin-1 show as
// '?'). A line is cut to (width div glyph width) - (leftMargin div glyph width)
// characters; its rows hold the glyphs side by side from pixel 0 and are
// ceil(characters x glyph width / 8) bytes long, so an empty text line gives
// empty rows. In high resolution every glyph row is used twice.
class FontTextSource : public TextSource {
public:
    FontTextSource(const TextPageLayout& layout, FaxFontSize size);

    int RowsPerTextLine() const override { return font_.GlyphHeight(); }

protected:
    std::size_t MaxCharacters() const override;
    void SetLine(LineSlot slot, std::u32string_view text) override;
    void DeliverRow(LineSlot slot, int row, std::vector<std::uint8_t>& raster) const override;

private:
    FaxFont font_;
    std::array<std::string, 2> lines_;  // Latin-1, by slot
};

}  // namespace vl::faxdoc
