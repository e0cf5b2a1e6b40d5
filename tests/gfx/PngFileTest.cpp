#include "gfx/PngFile.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "base/ErrorCodes.h"
#include "gfx/QtImages.h"

namespace vl::gfx {
namespace {

QImage Decode(const std::string& file) {
    return QImage::fromData(QByteArray(file.data(), static_cast<qsizetype>(file.size())), "PNG");
}

TEST(PngFileTest, RoundTripKeepsEveryPixel) {
    MonoBitmap bitmap(37, 5);
    for (int y = 0; y < 5; ++y) {
        bitmap.SetBlack(y, y, true);
        bitmap.SetBlack(36, y, true);
    }
    std::string file;
    ASSERT_EQ(EncodePng(bitmap, file), 0);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    // One bit per pixel, colour type 3 (palette).
    EXPECT_EQ(file[24], 1);
    EXPECT_EQ(file[25], 3);

    const QImage image = Decode(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(MonoFromQImage(image), bitmap);
    EXPECT_EQ(qGray(image.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(image.pixel(1, 0)), 255);
}

TEST(PngFileTest, EmptyBitmapIsRefused) {
    std::string file = "untouched";
    EXPECT_EQ(EncodePng(MonoBitmap(), file), base::ecCantMakeBitmap);
    EXPECT_EQ(EncodePng(MonoBitmap(0, 10), file), base::ecCantMakeBitmap);
    EXPECT_EQ(file, "untouched");
}

}  // namespace
}  // namespace vl::gfx
