#include "gfx/ShapeDrawing.h"

#include <gtest/gtest.h>

#include "gfx/TextDrawing.h"

namespace vl::gfx {
namespace {

int BlackIn(const MonoBitmap& bitmap, const PixelBox& box) {
    int count = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) count += bitmap.Black(x, y) ? 1 : 0;
    return count;
}

TEST(ShapeDrawingTest, RectangleFillsDecideTheInside) {
    const struct {
        ShapeFill fill;
        bool insideBlack;
    } cases[] = {{ShapeFill::Clear, true}, {ShapeFill::White, false}, {ShapeFill::Black, true}};
    for (const auto& c : cases) {
        MonoBitmap bitmap(100, 100);
        // Black under the shape shows what a clear fill keeps and a white one erases.
        bitmap.SetBlack(50, 50, true);
        DrawRectangle(bitmap, {20, 30, 80, 70}, 1, c.fill);
        EXPECT_EQ(bitmap.Black(50, 50), c.insideBlack) << static_cast<int>(c.fill);
        EXPECT_TRUE(bitmap.Black(20, 30));
        EXPECT_TRUE(bitmap.Black(79, 69));
        EXPECT_FALSE(bitmap.Black(80, 50));
        EXPECT_FALSE(bitmap.Black(50, 70));
        EXPECT_FALSE(bitmap.Black(19, 50));
    }
}

TEST(ShapeDrawingTest, RoundedCornersAndEllipsesLeaveTheCornersWhite) {
    MonoBitmap rounded(100, 100);
    DrawRectangle(rounded, {10, 10, 90, 90}, 1, ShapeFill::Black, 40);
    EXPECT_FALSE(rounded.Black(11, 11));
    EXPECT_TRUE(rounded.Black(50, 11));
    EXPECT_TRUE(rounded.Black(50, 50));

    MonoBitmap ellipse(100, 100);
    DrawEllipse(ellipse, {10, 10, 90, 90}, 1, ShapeFill::Clear);
    EXPECT_FALSE(ellipse.Black(20, 20));
    EXPECT_FALSE(ellipse.Black(50, 50));
    EXPECT_GT(BlackIn(ellipse, {45, 8, 55, 14}), 0);
}

TEST(ShapeDrawingTest, PenWidthThickensLinesAndShapesReachingOffTheBitmapAreCut) {
    MonoBitmap thin(100, 100);
    DrawLine(thin, 10, 50, 90, 50, 0);
    EXPECT_EQ(BlackIn(thin, {50, 0, 51, 100}), 1);

    MonoBitmap thick(100, 100);
    DrawLine(thick, 10, 50, 90, 50, 6);
    EXPECT_EQ(BlackIn(thick, {50, 0, 51, 100}), 6);

    MonoBitmap edge(100, 100);
    DrawRectangle(edge, {-50, -50, 200, 60}, 1, ShapeFill::Black);
    EXPECT_EQ(BlackIn(edge, {0, 0, 100, 60}), 6000);
    EXPECT_EQ(BlackIn(edge, {0, 60, 100, 100}), 0);
}

TEST(ShapeDrawingTest, TextInABoxWrapsAndIsCutAtTheBox) {
    MonoBitmap bitmap(400, 400);
    const FontSpec font;
    const std::string words = "lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor";
    const PixelBox box{10, 10, 110, 60};
    DrawTextInBox(bitmap, box, words, font);
    EXPECT_EQ(BlackIn(bitmap, {0, 0, 400, 400}), BlackIn(bitmap, box));
    // Wrapped, so the second line has ink, and cut, so the last row of the box has too.
    const int lineHeight = MeasureText(font, "Wy").height;
    EXPECT_GT(BlackIn(bitmap, {10, 10 + lineHeight, 110, 10 + 2 * lineHeight}), 0);
    EXPECT_GT(BlackIn(bitmap, {10, 50, 110, 60}), 0);
}

}  // namespace
}  // namespace vl::gfx
