// The built-in fax font: glyphs indexed by Latin-1 code, stored row by row
// from the top, leftmost pixel in bit 7 of a row's first byte, 1 = black.
// In high resolution every glyph row is used twice, so text keeps its height
// on paper at 196 lines per inch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vl::faxdoc {

enum class FaxFontSize { Small, Standard };

// Cell geometry of one font as stored, before any row doubling.
struct FaxFontCell {
    int width;          // pixels
    int height;         // rows
    int bytesPerRow;
    int bytesPerGlyph;
    std::size_t offset;  // of glyph 0 in the font data
};

FaxFontCell FaxFontCellOf(FaxFontSize size);

class FaxFont {
public:
    FaxFont(FaxFontSize size, bool highResolution);

    int GlyphWidth() const { return cell_.width; }
    // Raster rows of one text line: the stored height, doubled in high resolution.
    int GlyphHeight() const { return cell_.height * rowRepeat_; }

    // The bytes of raster row `row` (0 at the top) of the glyph for `code`.
    // Throws std::out_of_range for a row outside 0..GlyphHeight()-1.
    std::span<const std::uint8_t> GlyphRow(std::uint8_t code, int row) const;

    // Whole glyphs that fit in `pixels`.
    int GlyphsThatFit(int pixels) const;

    // Draws raster row `row` of a line of Latin-1 text into `raster`, glyphs
    // side by side from pixel 0, each GlyphWidth() pixels wide. Ink is clipped
    // at `widthPixels` and at the end of `raster`; the bytes holding those
    // pixels are cleared first. Returns the line length in bytes: the bytes
    // covered by the drawn glyphs. Throws std::out_of_range for a bad row.
    std::size_t RenderRow(std::string_view latin1, int row, std::span<std::uint8_t> raster,
                          int widthPixels) const;

    // Every raster row of one text line, each (widthPixels + 7) / 8 bytes.
    std::vector<std::vector<std::uint8_t>> RenderLine(std::string_view latin1,
                                                      int widthPixels) const;

private:
    FaxFontCell cell_;
    int rowRepeat_;
};

}  // namespace vl::faxdoc
