#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "faxdoc/FaxFont.h"
#include "faxdoc/FaxFontData.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Glyph = std::vector<Bytes>;

const FaxFontSize kSizes[] = {FaxFontSize::Small, FaxFontSize::Standard};

Glyph GlyphOf(const FaxFont& font, std::uint8_t code) {
    Glyph rows;
    for (int r = 0; r < font.GlyphHeight(); ++r) {
        const auto row = font.GlyphRow(code, r);
        rows.emplace_back(row.begin(), row.end());
    }
    return rows;
}

bool Pixel(std::span<const std::uint8_t> row, int x) { return (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1; }

bool RowInked(const Bytes& row) {
    for (std::uint8_t b : row) {
        if (b != 0) return true;
    }
    return false;
}

bool Blank(const Glyph& glyph) {
    for (const Bytes& row : glyph) {
        if (RowInked(row)) return false;
    }
    return true;
}

// Rows of the glyph, top first, that hold any ink.
std::vector<int> InkedRows(const Glyph& glyph) {
    std::vector<int> rows;
    for (std::size_t r = 0; r < glyph.size(); ++r) {
        if (RowInked(glyph[r])) rows.push_back(static_cast<int>(r));
    }
    return rows;
}

// The most rows that any one column is black in.
int TallestColumn(const FaxFont& font, const Glyph& glyph) {
    int best = 0;
    for (int x = 0; x < font.GlyphWidth(); ++x) {
        int count = 0;
        for (const Bytes& row : glyph) count += Pixel(row, x);
        best = std::max(best, count);
    }
    return best;
}

std::string Latin1(std::initializer_list<int> codes) {
    std::string text;
    for (int c : codes) text.push_back(static_cast<char>(c));
    return text;
}

TEST(FaxFontTest, DataAndCellLayout) {
    EXPECT_EQ(kFaxFontData.size(), 16384u);
    const FaxFontCell small = FaxFontCellOf(FaxFontSize::Small);
    const FaxFontCell standard = FaxFontCellOf(FaxFontSize::Standard);
    EXPECT_EQ(small.width, 12);
    EXPECT_EQ(small.height, 8);
    EXPECT_EQ(small.bytesPerRow, 2);
    EXPECT_EQ(small.offset, 0u);
    EXPECT_EQ(standard.width, 20);
    EXPECT_EQ(standard.height, 16);
    EXPECT_EQ(standard.bytesPerRow, 3);
    EXPECT_EQ(standard.offset, 4096u);
    EXPECT_EQ(small.offset + 256u * static_cast<std::size_t>(small.bytesPerGlyph), standard.offset);
    EXPECT_EQ(standard.offset + 256u * static_cast<std::size_t>(standard.bytesPerGlyph), kFaxFontDataSize);

    // Glyph 'A' of the standard font sits where the text source looks for it.
    const FaxFont font(FaxFontSize::Standard, false);
    EXPECT_EQ(font.GlyphRow('A', 5).data(), kFaxFontData.data() + 4096 + 'A' * 48 + 5 * 3);
}

TEST(FaxFontTest, RepertoireHasInkWhereTextPrints) {
    for (FaxFontSize size : kSizes) {
        const FaxFont font(size, false);
        for (int code = 0; code < 256; ++code) {
            const bool blank = Blank(GlyphOf(font, static_cast<std::uint8_t>(code)));
            const bool control = code < 32 || (code >= 127 && code < 160);
            if (control || code == ' ' || code == 0xA0) {
                EXPECT_TRUE(blank) << "code " << code;
            } else {
                EXPECT_FALSE(blank) << "code " << code;
            }
        }
    }
}

TEST(FaxFontTest, InkStaysInsideTheCell) {
    // The bits past the glyph width in a row's last byte would bleed into the
    // next glyph if a renderer copied whole bytes.
    for (FaxFontSize size : kSizes) {
        const FaxFont font(size, false);
        for (int code = 0; code < 256; ++code) {
            for (const Bytes& row : GlyphOf(font, static_cast<std::uint8_t>(code))) {
                for (int x = font.GlyphWidth(); x < static_cast<int>(row.size()) * 8; ++x) {
                    EXPECT_FALSE(Pixel(row, x)) << "code " << code;
                }
            }
        }
    }
}

TEST(FaxFontTest, LettersAndDigitsAreDistinct) {
    const std::string alnum = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (FaxFontSize size : kSizes) {
        const FaxFont font(size, false);
        for (std::size_t i = 0; i < alnum.size(); ++i) {
            for (std::size_t j = i + 1; j < alnum.size(); ++j) {
                EXPECT_NE(GlyphOf(font, static_cast<std::uint8_t>(alnum[i])),
                          GlyphOf(font, static_cast<std::uint8_t>(alnum[j])))
                    << alnum[i] << " and " << alnum[j];
            }
        }
    }
}

TEST(FaxFontTest, GlyphShapes) {
    for (FaxFontSize size : kSizes) {
        const FaxFont font(size, false);
        const int height = font.GlyphHeight();

        // Vertical strokes run at least half the cell's height.
        EXPECT_GE(TallestColumn(font, GlyphOf(font, '|')), height / 2);
        EXPECT_GE(TallestColumn(font, GlyphOf(font, 'l')), height / 2);

        // Horizontal bars are one row thick, in the middle half of the cell.
        const auto hyphen = InkedRows(GlyphOf(font, '-'));
        ASSERT_EQ(hyphen.size(), 1u);
        EXPECT_GE(hyphen.front(), height / 4);
        EXPECT_LT(hyphen.front(), height * 3 / 4);
        EXPECT_EQ(InkedRows(GlyphOf(font, '=')).size(), 2u);

        // The underscore is ink only in the bottom quarter.
        const auto underscore = InkedRows(GlyphOf(font, '_'));
        ASSERT_FALSE(underscore.empty());
        EXPECT_GE(underscore.front(), height * 3 / 4);

        // The descender of 'g' reaches below the baseline that 'a' sits on.
        EXPECT_GT(InkedRows(GlyphOf(font, 'g')).back(), InkedRows(GlyphOf(font, 'a')).back());

        // An accent adds ink above the plain letter and leaves its body alone.
        const Glyph e = GlyphOf(font, 'e');
        const Glyph eAcute = GlyphOf(font, 0xE9);
        EXPECT_NE(e, eAcute);
        EXPECT_LT(InkedRows(eAcute).front(), InkedRows(e).front());
        EXPECT_EQ(InkedRows(eAcute).back(), InkedRows(e).back());
        EXPECT_NE(GlyphOf(font, 'u'), GlyphOf(font, 0xFC));
        EXPECT_NE(GlyphOf(font, 'y'), GlyphOf(font, 0xFF));
    }
}

TEST(FaxFontTest, HighResolutionUsesEveryRowTwice) {
    for (FaxFontSize size : kSizes) {
        const FaxFont normal(size, false);
        const FaxFont fine(size, true);
        EXPECT_EQ(fine.GlyphHeight(), normal.GlyphHeight() * 2);
        EXPECT_EQ(fine.GlyphWidth(), normal.GlyphWidth());
        for (std::uint8_t code : {'A', 'g', '@'}) {
            for (int r = 0; r < fine.GlyphHeight(); ++r) {
                const auto a = fine.GlyphRow(code, r);
                const auto b = normal.GlyphRow(code, r / 2);
                EXPECT_EQ(Bytes(a.begin(), a.end()), Bytes(b.begin(), b.end()));
            }
        }
    }
    EXPECT_EQ(FaxFont(FaxFontSize::Small, true).GlyphHeight(), 16);
    EXPECT_EQ(FaxFont(FaxFontSize::Standard, true).GlyphHeight(), 32);
}

TEST(FaxFontTest, RowsOutsideTheGlyphAreRefused) {
    const FaxFont font(FaxFontSize::Standard, false);
    Bytes raster(216, 0);
    EXPECT_THROW(font.GlyphRow('A', -1), std::out_of_range);
    EXPECT_THROW(font.GlyphRow('A', 16), std::out_of_range);
    EXPECT_THROW(font.RenderRow("A", 16, raster, 1728), std::out_of_range);
    EXPECT_NO_THROW(FaxFont(FaxFontSize::Standard, true).GlyphRow('A', 31));
}

TEST(FaxFontTest, GlyphsThatFit) {
    const FaxFont standard(FaxFontSize::Standard, false);
    const FaxFont small(FaxFontSize::Small, false);
    EXPECT_EQ(standard.GlyphsThatFit(1678), 83);
    EXPECT_EQ(standard.GlyphsThatFit(1680), 84);
    EXPECT_EQ(small.GlyphsThatFit(1678), 139);
    EXPECT_EQ(standard.GlyphsThatFit(19), 0);
    EXPECT_EQ(standard.GlyphsThatFit(-5), 0);
}

TEST(FaxFontTest, RenderPlacesGlyphsSideBySide) {
    // Byte boundaries fall inside glyphs for both widths (12 and 20 pixels).
    const std::string text = Latin1({'H', 'g', 0xE9, '_', ' ', 0xFF, '|'});
    for (FaxFontSize size : kSizes) {
        for (bool fine : {false, true}) {
            const FaxFont font(size, fine);
            const int w = font.GlyphWidth();
            for (int r = 0; r < font.GlyphHeight(); ++r) {
                Bytes raster(216, 0xAA);
                const std::size_t used = font.RenderRow(text, r, raster, 1728);
                EXPECT_EQ(used, (text.size() * static_cast<std::size_t>(w) + 7) / 8);
                for (std::size_t i = 0; i < text.size(); ++i) {
                    const auto glyph = font.GlyphRow(static_cast<std::uint8_t>(text[i]), r);
                    for (int x = 0; x < w; ++x) {
                        EXPECT_EQ(Pixel(raster, static_cast<int>(i) * w + x), Pixel(glyph, x))
                            << "glyph " << i << " row " << r << " x " << x;
                    }
                }
                // Old contents past the text are cleared up to the width.
                for (int x = static_cast<int>(text.size()) * w; x < 1728; ++x) {
                    ASSERT_FALSE(Pixel(raster, x)) << "x " << x;
                }
            }
        }
    }
}

TEST(FaxFontTest, RenderClipsAtTheWidth) {
    const FaxFont font(FaxFontSize::Standard, false);
    const std::string text(100, 'M');
    Bytes raster(216, 0xFF);
    // The width less a 50-pixel margin: the 84th glyph loses its last 2 pixels.
    const std::size_t used = font.RenderRow(text, 8, raster, 1678);
    EXPECT_EQ(used, 210u);
    for (int x = 1678; x < 1680; ++x) EXPECT_FALSE(Pixel(raster, x));
    for (std::size_t i = 210; i < raster.size(); ++i) EXPECT_EQ(raster[i], 0xFF) << "byte " << i;
    const auto m = font.GlyphRow('M', 8);
    for (int x = 0; x < 18; ++x) EXPECT_EQ(Pixel(raster, 83 * 20 + x), Pixel(m, x));

    // A raster shorter than the width is never written past its end.
    Bytes shortRaster(5, 0xFF);
    EXPECT_EQ(font.RenderRow(text, 8, shortRaster, 1728), 5u);
    for (int x = 0; x < 40; ++x) EXPECT_EQ(Pixel(shortRaster, x), Pixel(m, x % 20));

    Bytes none;
    EXPECT_EQ(font.RenderRow(text, 8, none, 1728), 0u);
    EXPECT_EQ(font.RenderRow(text, 8, raster, 0), 0u);
    EXPECT_EQ(font.RenderRow(text, 8, raster, -20), 0u);
}

TEST(FaxFontTest, EmptyTextGivesAClearedRow) {
    const FaxFont font(FaxFontSize::Small, false);
    Bytes raster(216, 0xFF);
    EXPECT_EQ(font.RenderRow("", 0, raster, 1728), 0u);
    EXPECT_EQ(raster, Bytes(216, 0));
}

TEST(FaxFontTest, RenderLineMatchesRowByRow) {
    const FaxFont font(FaxFontSize::Small, true);
    const std::string text = "Fax 12:30";
    const auto rows = font.RenderLine(text, 2048);
    ASSERT_EQ(rows.size(), 16u);
    for (int r = 0; r < 16; ++r) {
        Bytes expected(256, 0);
        font.RenderRow(text, r, expected, 2048);
        EXPECT_EQ(rows[static_cast<std::size_t>(r)], expected) << "row " << r;
    }
    const auto odd = font.RenderLine(text, 13);
    ASSERT_EQ(odd.size(), 16u);
    EXPECT_EQ(odd[0].size(), 2u);
}

}  // namespace
}  // namespace vl::faxdoc
