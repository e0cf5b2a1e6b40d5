// Text drawn with a system font ("enhanced" text).
#pragma once

#include <array>

#include "faxdoc/TextSource.h"
#include "gfx/MonoBitmap.h"
#include "gfx/TextDrawing.h"

namespace vl::faxdoc {

// Each text line is drawn at (0,0) into a bitmap (width - leftMargin) pixels
// wide and as high as the font's "Wy"; its rows become the raster rows, each
// width / 8 bytes. In high resolution the font's point size is doubled and the
// bitmap rows go out as they are; in normal resolution the left half of each
// row goes out with every pixel doubled, which keeps the text's proportions at
// 98 lines per inch. Text is Unicode; lines are not cut by character count
// (the bitmap clips them).
class EnhancedTextSource : public TextSource {
public:
    EnhancedTextSource(const TextPageLayout& layout, const gfx::FontSpec& font);

    // Measures the font and makes the bitmap: ecFontTooLarge when bytes per
    // bitmap row x height exceeds 65536, ecCantMakeBitmap for a font with no
    // height, ecBadArgument for a bad layout. Open and TextRow prepare too;
    // once prepared, the source stays so.
    int Prepare();

    // The bitmap height; 0 before Prepare.
    int RowsPerTextLine() const override { return height_; }

protected:
    int Ready() override { return Prepare(); }
    std::size_t MaxCharacters() const override;
    void SetLine(LineSlot slot, std::u32string_view text) override;
    void DeliverRow(LineSlot slot, int row, std::vector<std::uint8_t>& raster) const override;

private:
    gfx::FontSpec font_;  // as drawn: the point size doubled in high resolution
    int height_ = 0;
    bool prepared_ = false;
    std::array<gfx::MonoBitmap, 2> bitmaps_;  // by slot
};

}  // namespace vl::faxdoc
