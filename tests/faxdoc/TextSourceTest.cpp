#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextSourcePages.h"
#include "base/ErrorCodes.h"
#include "faxdoc/FaxFont.h"
#include "faxdoc/FontTextSource.h"
#include "faxdoc/IoErrors.h"
#include "support/TestSupport.h"

namespace vl::faxdoc {
namespace {

using test_text::Page;
using test_text::Row;

class TextSourceTest : public ::testing::Test {
protected:
    // The raster rows of one text line (Latin-1) as the built-in font draws it.
    Page Rows(const std::string& latin1) const {
        const FaxFont font(size_, layout_.highResolution);
        const int pixels = static_cast<int>(latin1.size()) * font.GlyphWidth();
        Page rows;
        for (int r = 0; r < font.GlyphHeight(); ++r) {
            Row row(static_cast<std::size_t>((pixels + 7) / 8), 0);
            font.RenderRow(latin1, r, row, pixels);
            rows.push_back(row);
        }
        return rows;
    }

    // The rows of several text lines, one after the other.
    Page RowsOfLines(const std::vector<std::string>& lines) const {
        Page rows;
        for (const auto& line : lines) {
            const Page one = Rows(line);
            rows.insert(rows.end(), one.begin(), one.end());
        }
        return rows;
    }

    std::vector<Page> Pages(const std::string& text) {
        FontTextSource source(layout_, size_);
        return test_text::PagesOfText(source, dir_, text);
    }

    static std::string Numbered(int from, int to) {
        std::string text;
        for (int n = from; n <= to; ++n) text += "line " + std::to_string(n) + "\r\n";
        return text;
    }

    TextPageLayout layout_;
    FaxFontSize size_ = FaxFontSize::Standard;
    test::TempDir dir_;
};

TEST_F(TextSourceTest, EmptyFileGivesOnePageOfOneWhiteLine) {
    EXPECT_EQ(Pages(""), (std::vector<Page>{{Row(216, 0)}}));
    EXPECT_EQ(Pages("\x1A"), (std::vector<Page>{{Row(216, 0)}}));
    layout_.width = 2048;
    EXPECT_EQ(Pages(""), (std::vector<Page>{{Row(256, 0)}}));
}

TEST_F(TextSourceTest, PageBreaksAfterLinesPerPage) {
    const auto exact = Pages(Numbered(1, 60));
    ASSERT_EQ(exact.size(), 1u);
    EXPECT_EQ(exact[0].size(), 60u * 16);

    // Line 61 starts page 2, also as the last line with no line end.
    std::string text = Numbered(1, 60) + "line 61";
    const auto two = Pages(text);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].size(), 60u * 16);
    EXPECT_EQ(two[1], Rows("line 61"));

    const auto exactTwo = Pages(Numbered(1, 120));
    ASSERT_EQ(exactTwo.size(), 2u);
    EXPECT_EQ(exactTwo[1].size(), 60u * 16);

    layout_.linesPerPage = 0;
    const auto unlimited = Pages(Numbered(1, 200));
    ASSERT_EQ(unlimited.size(), 1u);
    EXPECT_EQ(unlimited[0].size(), 200u * 16);
}

TEST_F(TextSourceTest, LinesAreCutToTheCharactersThatFit) {
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += static_cast<char>('A' + i % 26);
    auto pages = Pages(hundred);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], Rows(hundred.substr(0, 84)));
    EXPECT_EQ(pages[0][0].size(), 210u);

    size_ = FaxFontSize::Small;
    pages = Pages(hundred + hundred);
    EXPECT_EQ(pages[0], Rows((hundred + hundred).substr(0, 140)));

    // The margin takes whole glyphs: 2048 / 20 - 0 / 20 = 102.
    size_ = FaxFontSize::Standard;
    layout_.width = 2048;
    layout_.leftMargin = 0;
    EXPECT_EQ(Pages(hundred + hundred)[0], Rows((hundred + hundred).substr(0, 102)));
}

TEST_F(TextSourceTest, TabsGoToTheNextStop) {
    EXPECT_EQ(Pages("a\tb")[0], Rows("a   b"));
    EXPECT_EQ(Pages("abcd\te\t\tf")[0], Rows("abcd    e       f"));
    layout_.tabStop = 8;
    EXPECT_EQ(Pages("\tx")[0], Rows("        x"));
    // A tab stop that is not positive counts as 1.
    for (int stop : {0, -3}) {
        layout_.tabStop = stop;
        EXPECT_EQ(Pages("a\t\tb")[0], Rows("a  b"));
    }
    // Expansion is cut like any text: 21 tabs reach column 84, where nothing fits.
    layout_.tabStop = 4;
    EXPECT_EQ(Pages(std::string(21, '\t') + "x")[0], Rows(std::string(84, ' ')));
}

TEST_F(TextSourceTest, HighResolutionDoublesGlyphRows) {
    layout_.highResolution = true;
    EXPECT_EQ(Pages("Hi")[0], Rows("Hi"));
    EXPECT_EQ(Pages("Hi")[0].size(), 32u);
    size_ = FaxFontSize::Small;
    EXPECT_EQ(Pages("Hi")[0].size(), 16u);
    FontTextSource small(layout_, FaxFontSize::Small);
    EXPECT_EQ(small.RowsPerTextLine(), 16);
}

TEST_F(TextSourceTest, MixedLineEnds) {
    EXPECT_EQ(Pages("one\rtwo\nthree\r\nfour")[0], RowsOfLines({"one", "two", "three", "four"}));
    EXPECT_EQ(Pages("a\n\nb")[0], RowsOfLines({"a", "", "b"}));
    EXPECT_EQ(Pages(std::string("n\0u\0l", 5))[0], Rows("nul"));
}

TEST_F(TextSourceTest, FormFeedEndsThePage) {
    // Mid-line: the rest starts the next page.
    auto pages = Pages("ab\fcd\nef");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], Rows("ab"));
    EXPECT_EQ(pages[1], RowsOfLines({"cd", "ef"}));

    // At the line end: the next page starts with the next line.
    EXPECT_EQ(Pages("ab\f\ncd"), (std::vector<Page>{Rows("ab"), Rows("cd")}));
    EXPECT_EQ(Pages("ab\fcd\fef"), (std::vector<Page>{Rows("ab"), Rows("cd"), Rows("ef")}));

    // At the file end: no empty trailing page.
    EXPECT_EQ(Pages("ab\f"), (std::vector<Page>{Rows("ab")}));
    EXPECT_EQ(Pages("ab\f\r\n"), (std::vector<Page>{Rows("ab")}));
    EXPECT_EQ(Pages("ab\f\x1A"), (std::vector<Page>{Rows("ab")}));

    // Two form feeds: a page of one empty line between.
    EXPECT_EQ(Pages("ab\f\fcd"), (std::vector<Page>{Rows("ab"), Rows(""), Rows("cd")}));
}

TEST_F(TextSourceTest, FormFeedAndFullPages) {
    // On the last line of a page the form feed gives no extra page.
    auto pages = Pages(Numbered(1, 59) + "x\fy");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 60u * 16);
    EXPECT_EQ(pages[1], Rows("y"));

    // A line with a form feed that overflows the page goes to the next one.
    pages = Pages(Numbered(1, 60) + "x\fy");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1], Rows("x"));
    EXPECT_EQ(pages[2], Rows("y"));

    // After a form feed the line count starts again.
    layout_.linesPerPage = 2;
    EXPECT_EQ(Pages("a\fb\nc\nd"), (std::vector<Page>{Rows("a"), RowsOfLines({"b", "c"}), Rows("d")}));
}

TEST_F(TextSourceTest, Utf8AndLatin1) {
    EXPECT_EQ(Pages("caf\xC3\xA9")[0], Rows("caf\xE9"));
    EXPECT_EQ(Pages("caf\xE9")[0], Rows("caf\xE9"));
    EXPECT_EQ(Pages("5 \xE2\x82\xAC")[0], Rows("5 ?"));
    // Not valid UTF-8 as a whole: every byte is Latin-1.
    EXPECT_EQ(Pages("\xC3\xA9\xE9")[0], Rows("\xC3\xA9\xE9"));
    // Each line is judged alone.
    EXPECT_EQ(Pages("\xC3\xA9\n\xE9")[0], RowsOfLines({"\xE9", "\xE9"}));
}

TEST_F(TextSourceTest, OpenAndProgress) {
    test::WriteFile(dir_.path() / "NOTE.TXT", "hello\n");
    FontTextSource source(layout_, size_);
    Row line;
    bool endOfPage = false, morePages = false;
    EXPECT_EQ(source.ReadLine(line, endOfPage, morePages), ecInvalidFileHandle);
    EXPECT_EQ(source.Open((dir_.path() / "MISSING").string()), base::ecFileNotFound);
    const auto pages = test_text::PagesOf(source, (dir_.path() / "NOTE").string());
    EXPECT_EQ(pages, (std::vector<Page>{Rows("hello")}));
    EXPECT_EQ(source.BytesRead(), 6u);
    EXPECT_EQ(source.BytesTotal(), 6u);
    source.Close();
    EXPECT_EQ(source.ReadLine(line, endOfPage, morePages), ecInvalidFileHandle);

    for (const auto& [width, margin] : {std::pair{1730, 50}, {0, 0}, {1728, -1}, {1728, 1728}}) {
        FontTextSource bad({.width = width, .leftMargin = margin}, size_);
        EXPECT_EQ(bad.Open((dir_.path() / "NOTE").string()), base::ecBadArgument) << width << " " << margin;
        EXPECT_EQ(bad.TextRow("x", 1, line), base::ecBadArgument);
    }
}

TEST_F(TextSourceTest, TextRowForHeaderLines) {
    FontTextSource source(layout_, size_);
    const std::string header = "12/08/26 10:00\tFROM: 555 0100\fignored";
    const Page expected = Rows("12/08/26 10:00  FROM: 555 0100");
    Row raster;
    for (int row = 1; row <= 16; ++row) {
        ASSERT_EQ(source.TextRow(header, row, raster), base::ecOK);
        EXPECT_EQ(raster, expected[static_cast<std::size_t>(row - 1)]) << row;
    }
    EXPECT_EQ(source.TextRow(header, 0, raster), base::ecBadArgument);
    EXPECT_EQ(source.TextRow(header, 17, raster), base::ecBadArgument);
    EXPECT_TRUE(raster.empty());

    // Between the rows of a file's line, the file's rows go on undisturbed.
    test::WriteFile(dir_.path() / "BODY.TXT", "body");
    ASSERT_EQ(source.Open((dir_.path() / "BODY.TXT").string()), base::ecOK);
    const Page body = Rows("body");
    bool endOfPage = false, morePages = false;
    for (int row = 1; row <= 16; ++row) {
        ASSERT_EQ(source.TextRow("other", row, raster), base::ecOK);
        ASSERT_EQ(source.ReadLine(raster, endOfPage, morePages), base::ecOK);
        EXPECT_EQ(raster, body[static_cast<std::size_t>(row - 1)]) << row;
    }
}

}  // namespace
}  // namespace vl::faxdoc
