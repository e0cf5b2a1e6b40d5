#include "gfx/TextDrawing.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "gfx/GuiApplication.h"

namespace vl::gfx {
namespace {

int CountBlack(const MonoBitmap& bitmap) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) count += bitmap.Black(x, y) ? 1 : 0;
    return count;
}

// Rows from the first to the last one holding any black pixel, or 0.
int InkHeight(const MonoBitmap& bitmap) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Black(x, y)) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

TEST(TextDrawingTest, WindowsFamiliesResolveToMetricCompatibleFonts) {
    EnsureGuiApplication();
    const struct {
        const char* asked;
        const char* installed;
    } cases[] = {{"Arial", "Liberation Sans"},
                 {"MS Sans Serif", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"},
                 {"Courier New", "Liberation Mono"}};
    for (const auto& c : cases) {
        const QFontInfo info{QFont(QString::fromLatin1(c.asked))};
        EXPECT_EQ(info.family().toStdString(), c.installed) << c.asked;
    }
    // Same widths as the family they stand for.
    FontSpec arial;
    FontSpec liberation;
    liberation.family = "Liberation Sans";
    EXPECT_EQ(MeasureText(arial, "The quick brown fox").width, MeasureText(liberation, "The quick brown fox").width);
}

TEST(TextDrawingTest, MeasureGivesLineHeightAndAdvance) {
    const FontSpec arial;  // 10 points = 13 pixels
    const TextExtent wy = MeasureText(arial, "Wy");
    EXPECT_GE(wy.height, 14);
    EXPECT_LE(wy.height, 17);
    EXPECT_GT(wy.width, 10);
    EXPECT_LT(wy.width, 30);
    EXPECT_EQ(MeasureText(arial, "").width, 0);
    EXPECT_EQ(MeasureText(arial, "").height, wy.height);
    // Advances add up, and UTF-8 is decoded rather than counted in bytes.
    EXPECT_EQ(MeasureText(arial, "WyWy").width, 2 * wy.width);
    EXPECT_EQ(MeasureText(arial, "\xC3\xA9").width, MeasureText(arial, "e").width);  // é, same advance in this font
}

TEST(TextDrawingTest, InkFitsTheMeasuredLineBox) {
    const FontSpec arial;
    const TextExtent extent = MeasureText(arial, "Wy");
    MonoBitmap bitmap(100, 60);
    DrawText(bitmap, 10, 20, "Wy", arial);
    // "W" reaches the cap height and "y" the descender: the ink spans most of
    // the box and never leaves it.
    const int ink = InkHeight(bitmap);
    EXPECT_GT(ink, extent.height * 2 / 3);
    EXPECT_LE(ink, extent.height);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (!bitmap.Black(x, y)) continue;
            EXPECT_GE(y, 20);
            EXPECT_LT(y, 20 + extent.height);
            EXPECT_GE(x, 9);
            EXPECT_LE(x, 10 + extent.width);
        }
    }
}

TEST(TextDrawingTest, LargerPointSizeIsTallerAndWider) {
    FontSpec small;
    FontSpec large;
    large.points = 20;
    EXPECT_GT(MeasureText(large, "Hello").height, MeasureText(small, "Hello").height);
    EXPECT_GT(MeasureText(large, "Hello").width, MeasureText(small, "Hello").width);
    MonoBitmap a(200, 80);
    MonoBitmap b(200, 80);
    DrawText(a, 0, 0, "Hello", small);
    DrawText(b, 0, 0, "Hello", large);
    EXPECT_GT(InkHeight(b), InkHeight(a));
    EXPECT_GT(CountBlack(b), CountBlack(a));
}

TEST(TextDrawingTest, DrawingIsDeterministicAndAddsOnlyBlack) {
    FontSpec font;
    font.bold = true;
    font.italic = true;
    font.underline = true;
    MonoBitmap first(160, 40);
    MonoBitmap second(160, 40);
    DrawText(first, 3, 5, "Fax 0123", font);
    DrawText(second, 3, 5, "Fax 0123", font);
    EXPECT_GT(CountBlack(first), 20);
    EXPECT_EQ(first, second);

    // Existing black under and around the text stays black.
    MonoBitmap striped(160, 40);
    for (int x = 0; x < striped.Width(); ++x) striped.SetBlack(x, 10, true);
    DrawText(striped, 3, 5, "Fax 0123", font);
    for (int x = 0; x < striped.Width(); ++x) EXPECT_TRUE(striped.Black(x, 10)) << x;
    for (int y = 0; y < striped.Height(); ++y) {
        if (y == 10) continue;
        for (int x = 0; x < striped.Width(); ++x) EXPECT_EQ(striped.Black(x, y), first.Black(x, y)) << x << "," << y;
    }

    // A black page stays black: no white background is painted.
    MonoBitmap black(160, 40);
    black.Fill(true);
    DrawText(black, 3, 5, "Fax 0123", font);
    EXPECT_EQ(CountBlack(black), 160 * 40);
}

TEST(TextDrawingTest, ClipsAtTheBitmapEdges) {
    const FontSpec font;
    MonoBitmap whole(200, 40);
    DrawText(whole, 0, 0, "Clipped text", font);

    // Drawn partly off every edge: what is inside matches the unclipped
    // drawing shifted, and the padding bits right of the width stay 0.
    MonoBitmap part(37, 9);
    DrawText(part, -20, -5, "Clipped text", font);
    for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) EXPECT_EQ(part.Black(x, y), whole.Black(x + 20, y + 5)) << x << "," << y;
        EXPECT_EQ(part.Row(y).back() & 0x07, 0) << y;
    }
    EXPECT_GT(CountBlack(part), 0);

    // Entirely outside, or into an empty bitmap: nothing happens.
    MonoBitmap blank(50, 20);
    DrawText(blank, 60, 0, "Away", font);
    DrawText(blank, -500, 0, "Away", font);
    DrawText(blank, 0, 25, "Away", font);
    DrawText(blank, 0, -100, "Away", font);
    EXPECT_EQ(CountBlack(blank), 0);
    MonoBitmap empty;
    DrawText(empty, 0, 0, "Away", font);
    EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace vl::gfx
