#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextSourcePages.h"
#include "base/ErrorCodes.h"
#include "faxdoc/EnhancedTextSource.h"
#include "gfx/MonoBitmap.h"
#include "gfx/TextDrawing.h"
#include "support/TestSupport.h"

namespace vl::faxdoc {
namespace {

using test_text::Page;
using test_text::Row;

bool Black(const Row& row, int x) { return (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1; }

bool Inked(const Page& rows) {
    for (const Row& row : rows)
        for (std::uint8_t b : row)
            if (b != 0) return true;
    return false;
}

class EnhancedTextSourceTest : public ::testing::Test {
protected:
    gfx::FontSpec DrawnFont() const {
        gfx::FontSpec drawn = font_;
        if (layout_.highResolution) drawn.points *= 2;
        return drawn;
    }

    // The text drawn the way the source should: at (0,0) of a bitmap as wide
    // as the page less the margin and as high as "Wy".
    gfx::MonoBitmap Drawn(const std::string& utf8) const {
        gfx::MonoBitmap bitmap(layout_.width - layout_.leftMargin, gfx::MeasureText(DrawnFont(), "Wy").height);
        gfx::DrawText(bitmap, 0, 0, utf8, DrawnFont());
        return bitmap;
    }

    // The raster rows the bitmap of `utf8` should give.
    Page Rows(const std::string& utf8) const {
        const gfx::MonoBitmap bitmap = Drawn(utf8);
        Page rows;
        for (int y = 0; y < bitmap.Height(); ++y) {
            Row row(static_cast<std::size_t>(layout_.width / 8), 0);
            for (int x = 0; x < layout_.width; ++x) {
                const bool black = layout_.highResolution ? bitmap.Black(x, y) : x < 2 * ((bitmap.Width() + 15) / 16 * 8) && bitmap.Black(x / 2, y);
                if (black) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            rows.push_back(row);
        }
        return rows;
    }

    std::vector<Page> Pages(const std::string& text) {
        EnhancedTextSource source(layout_, font_);
        return test_text::PagesOfText(source, dir_, text);
    }

    TextPageLayout layout_;
    gfx::FontSpec font_;
    test::TempDir dir_;
};

TEST_F(EnhancedTextSourceTest, BitmapHeightFollowsTheFont) {
    EnhancedTextSource normal(layout_, font_);
    EXPECT_EQ(normal.RowsPerTextLine(), 0);
    ASSERT_EQ(normal.Prepare(), base::ecOK);
    EXPECT_EQ(normal.RowsPerTextLine(), gfx::MeasureText(font_, "Wy").height);

    layout_.highResolution = true;
    EnhancedTextSource high(layout_, font_);
    ASSERT_EQ(high.Prepare(), base::ecOK);
    EXPECT_EQ(high.RowsPerTextLine(), gfx::MeasureText(DrawnFont(), "Wy").height);
    EXPECT_GT(high.RowsPerTextLine(), normal.RowsPerTextLine() * 3 / 2);
}

TEST_F(EnhancedTextSourceTest, HugeFontIsRefused) {
    font_.points = 400;
    EnhancedTextSource source(layout_, font_);
    EXPECT_EQ(source.Prepare(), base::ecFontTooLarge);
    test::WriteFile(dir_.path() / "A.TXT", "a");
    EXPECT_EQ(source.Open((dir_.path() / "A.TXT").string()), base::ecFontTooLarge);
    Row raster;
    EXPECT_EQ(source.TextRow("a", 1, raster), base::ecFontTooLarge);

    // Just under the limit: 210 bytes a row at 1728 less 50, so 312 rows fit.
    font_.points = 1;
    while (gfx::MeasureText(font_, "Wy").height <= 312) font_.points += 1;
    font_.points -= 1;
    EXPECT_EQ(EnhancedTextSource(layout_, font_).Prepare(), base::ecOK);
}

TEST_F(EnhancedTextSourceTest, NormalResolutionDoublesPixels) {
    const std::string text = "Wavy lines, 0123456789 and some more words to fill it";
    const auto pages = Pages(text);
    ASSERT_EQ(pages.size(), 1u);
    const gfx::MonoBitmap bitmap = Drawn(text);
    ASSERT_EQ(pages[0].size(), static_cast<std::size_t>(bitmap.Height()));
    EXPECT_TRUE(Inked(pages[0]));
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Row& row = pages[0][static_cast<std::size_t>(y)];
        ASSERT_EQ(row.size(), 216u);
        for (int x = 0; x < 864; ++x) {
            ASSERT_EQ(Black(row, 2 * x), bitmap.Black(x, y)) << x << "," << y;
            ASSERT_EQ(Black(row, 2 * x + 1), bitmap.Black(x, y)) << x << "," << y;
        }
    }
}

TEST_F(EnhancedTextSourceTest, HighResolutionCopiesRows) {
    layout_.highResolution = true;
    layout_.width = 2048;
    const std::string text = "High resolution";
    const auto pages = Pages(text);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], Rows(text));
    EXPECT_EQ(pages[0][0].size(), 256u);
    EXPECT_TRUE(Inked(pages[0]));
}

TEST_F(EnhancedTextSourceTest, LinesAreNotCutByCharacterCount) {
    layout_.highResolution = true;
    const std::string text(150, 'i');
    EXPECT_EQ(Pages(text)[0], Rows(text));
    EXPECT_NE(Rows(text), Rows(text.substr(0, 84)));
}

TEST_F(EnhancedTextSourceTest, TextIsUnicode) {
    EXPECT_EQ(Pages("5 \xE2\x82\xAC")[0], Rows("5 \xE2\x82\xAC"));
    EXPECT_EQ(Pages("caf\xE9")[0], Rows("caf\xC3\xA9"));
    EXPECT_EQ(Pages("a\tb")[0], Rows("a   b"));
}

TEST_F(EnhancedTextSourceTest, PagesAsForTheBuiltInFont) {
    EXPECT_EQ(Pages(""), (std::vector<Page>{{Row(216, 0)}}));
    layout_.linesPerPage = 2;
    const auto pages = Pages("one\ntwo\nthree\fsix");
    ASSERT_EQ(pages.size(), 3u);
    Page firstTwo = Rows("one");
    const Page two = Rows("two");
    firstTwo.insert(firstTwo.end(), two.begin(), two.end());
    EXPECT_EQ(pages[0], firstTwo);
    EXPECT_EQ(pages[1], Rows("three"));
    EXPECT_EQ(pages[2], Rows("six"));
    const Page blank = Rows("");
    EXPECT_FALSE(Inked(blank));
}

TEST_F(EnhancedTextSourceTest, TextRowForHeaderLines) {
    EnhancedTextSource source(layout_, font_);
    const Page expected = Rows("Page 1 of 2");
    Row raster;
    for (int row = 1; row <= static_cast<int>(expected.size()); ++row) {
        ASSERT_EQ(source.TextRow("Page 1 of 2", row, raster), base::ecOK);
        EXPECT_EQ(raster, expected[static_cast<std::size_t>(row - 1)]) << row;
    }
    EXPECT_EQ(source.TextRow("Page 1 of 2", static_cast<int>(expected.size()) + 1, raster), base::ecBadArgument);
    // Preparing again keeps the drawn line.
    ASSERT_EQ(source.Prepare(), base::ecOK);
    ASSERT_EQ(source.TextRow("Page 1 of 2", 5, raster), base::ecOK);
    EXPECT_EQ(raster, expected[4]);
}

}  // namespace
}  // namespace vl::faxdoc
