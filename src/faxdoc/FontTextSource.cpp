#include "faxdoc/FontTextSource.h"

#include <algorithm>

#include "faxdoc/TextCharacters.h"

namespace vl::faxdoc {

FontTextSource::FontTextSource(const TextPageLayout& layout, FaxFontSize size)
    : TextSource(layout), font_(size, layout.highResolution) {}

std::size_t FontTextSource::MaxCharacters() const {
    const int glyphWidth = font_.GlyphWidth();
    return static_cast<std::size_t>(
        std::max(0, Layout().width / glyphWidth - std::max(Layout().leftMargin, 0) / glyphWidth));
}

void FontTextSource::SetLine(LineSlot slot, std::u32string_view text) {
    lines_[static_cast<std::size_t>(slot)] = ToLatin1(text);
}

void FontTextSource::DeliverRow(LineSlot slot, int row, std::vector<std::uint8_t>& raster) const {
    const std::string& text = lines_[static_cast<std::size_t>(slot)];
    const int pixels = static_cast<int>(text.size()) * font_.GlyphWidth();
    raster.assign(static_cast<std::size_t>((pixels + 7) / 8), 0);
    font_.RenderRow(text, row, raster, pixels);
}

}  // namespace vl::faxdoc
