#include "gfx/QtImages.h"

#include <gtest/gtest.h>

#include <QColor>

namespace vl::gfx {
namespace {

// A pattern that differs in every row and reaches the last column.
MonoBitmap Pattern(int width, int height) {
    MonoBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x * 7 + y * 3) % 5 == 0 || x == width - 1) bitmap.SetBlack(x, y, true);
    return bitmap;
}

TEST(QtImagesTest, ToQImageCopiesEveryRowAtQtsStride) {
    for (int width : {1, 13, 33, 70}) {
        const MonoBitmap bitmap = Pattern(width, 5);
        const QImage image = ToQImage(bitmap);
        ASSERT_EQ(image.format(), QImage::Format_Mono);
        ASSERT_EQ(image.width(), width);
        ASSERT_EQ(image.height(), 5);
        ASSERT_EQ(image.colorTable().size(), 2);
        EXPECT_EQ(image.color(0), 0xFFFFFFFFu);
        EXPECT_EQ(image.color(1), 0xFF000000u);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(image.pixelIndex(x, y), bitmap.Black(x, y) ? 1 : 0) << width << ":" << x << "," << y;
            }
        }
        EXPECT_EQ(MonoFromQImage(image), bitmap) << width;
    }
}

TEST(QtImagesTest, MonoFromQImageRespectsTheColourTable) {
    // A reversed table: index 0 is black, as some image files store it.
    QImage image(11, 2, QImage::Format_Mono);
    image.setColorTable({0xFF000000u, 0xFFFFFFFFu});
    image.fill(1);
    image.setPixel(0, 0, 0);
    image.setPixel(10, 1, 0);
    MonoBitmap expected(11, 2);
    expected.SetBlack(0, 0, true);
    expected.SetBlack(10, 1, true);
    EXPECT_EQ(MonoFromQImage(image), expected);

    // The same pixels with the least significant bit first.
    const QImage lsb = image.convertToFormat(QImage::Format_MonoLSB);
    EXPECT_EQ(MonoFromQImage(lsb), expected);

    // A table with both entries dark makes everything black.
    image.setColorTable({0xFF000000u, 0xFF202020u});
    MonoBitmap black(11, 2);
    black.Fill(true);
    EXPECT_EQ(MonoFromQImage(image), black);
}

TEST(QtImagesTest, MonoFromQImageThresholdsGreyAtTheMiddle) {
    QImage grey(4, 1, QImage::Format_Grayscale8);
    uchar* line = grey.scanLine(0);
    line[0] = 0;
    line[1] = 127;
    line[2] = 128;
    line[3] = 255;
    const MonoBitmap bitmap = MonoFromQImage(grey);
    EXPECT_TRUE(bitmap.Black(0, 0));
    EXPECT_TRUE(bitmap.Black(1, 0));
    EXPECT_FALSE(bitmap.Black(2, 0));
    EXPECT_FALSE(bitmap.Black(3, 0));

    // Colour goes by brightness, and transparent pixels are paper.
    QImage colour(4, 1, QImage::Format_ARGB32);
    colour.setPixel(0, 0, qRgb(0, 0, 255));       // dark blue
    colour.setPixel(1, 0, qRgb(255, 255, 0));     // bright yellow
    colour.setPixel(2, 0, qRgba(0, 0, 0, 0));     // transparent
    colour.setPixel(3, 0, qRgba(0, 0, 0, 255));   // black
    const MonoBitmap fromColour = MonoFromQImage(colour);
    EXPECT_TRUE(fromColour.Black(0, 0));
    EXPECT_FALSE(fromColour.Black(1, 0));
    EXPECT_FALSE(fromColour.Black(2, 0));
    EXPECT_TRUE(fromColour.Black(3, 0));

    EXPECT_TRUE(MonoFromQImage(QImage()).Empty());
}

TEST(QtImagesTest, ColorFromQImageDropsAlpha) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x12, 0x34, 0x56, 0xFF));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    image.setPixel(2, 0, qRgba(0xFF, 0, 0, 0xFF));
    image.setPixel(0, 1, qRgb(0, 0, 0));
    image.setPixel(1, 1, qRgb(0xFF, 0xFF, 0xFF));
    image.setPixel(2, 1, qRgb(0, 0x80, 0));
    const ColorBitmap bitmap = ColorFromQImage(image);
    ASSERT_EQ(bitmap.width, 3);
    ASSERT_EQ(bitmap.height, 2);
    ASSERT_EQ(bitmap.pixels.size(), 6u);
    EXPECT_EQ(bitmap.At(0, 0), 0x123456u);
    EXPECT_EQ(bitmap.At(1, 0), 0xFFFFFFu);
    EXPECT_EQ(bitmap.At(2, 0), 0xFF0000u);
    EXPECT_EQ(bitmap.At(0, 1), 0x000000u);
    EXPECT_EQ(bitmap.At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(bitmap.At(2, 1), 0x008000u);

    // Indexed and one-bit images come out as their colours.
    const ColorBitmap fromMono = ColorFromQImage(ToQImage(Pattern(9, 2)));
    EXPECT_EQ(fromMono.At(8, 0), 0x000000u);
    EXPECT_EQ(fromMono.At(1, 0), 0xFFFFFFu);
}

}  // namespace
}  // namespace vl::gfx
