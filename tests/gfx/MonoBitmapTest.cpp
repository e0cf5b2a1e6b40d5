#include "gfx/MonoBitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vl::gfx {
namespace {

// Bits right of the width in every row's last byte.
bool PaddingClear(const MonoBitmap& bitmap) {
    const int used = bitmap.Width() % 8;
    if (used == 0) return true;
    const auto padding = static_cast<std::uint8_t>(0xFFu >> used);
    for (int y = 0; y < bitmap.Height(); ++y)
        if ((bitmap.Row(y).back() & padding) != 0) return false;
    return true;
}

TEST(MonoBitmapTest, SizesAndLimits) {
    const MonoBitmap none;
    EXPECT_TRUE(none.Empty());
    EXPECT_TRUE(none.Bits().empty());
    EXPECT_TRUE(MonoBitmap(0, 5).Empty());
    EXPECT_TRUE(MonoBitmap(5, 0).Empty());

    const MonoBitmap odd(13, 3);
    EXPECT_EQ(odd.BytesPerRow(), 2);
    EXPECT_EQ(odd.Bits().size(), 6u);
    EXPECT_EQ(MonoBitmap(8, 1).BytesPerRow(), 1);
    EXPECT_EQ(MonoBitmap(9, 1).BytesPerRow(), 2);
    for (auto byte : odd.Bits()) EXPECT_EQ(byte, 0);

    EXPECT_THROW(MonoBitmap(-1, 1), std::invalid_argument);
    EXPECT_THROW(MonoBitmap(1, -1), std::invalid_argument);
    EXPECT_THROW(MonoBitmap(MonoBitmap::kMaxSide + 1, 1), std::length_error);
    EXPECT_THROW(MonoBitmap(1, MonoBitmap::kMaxSide + 1), std::length_error);
    EXPECT_NO_THROW(MonoBitmap(MonoBitmap::kMaxSide, 1));
}

TEST(MonoBitmapTest, PixelsMapToBitsMostSignificantFirst) {
    MonoBitmap bitmap(13, 2);
    bitmap.SetBlack(0, 0, true);
    bitmap.SetBlack(7, 0, true);
    bitmap.SetBlack(8, 1, true);
    bitmap.SetBlack(12, 1, true);  // the last column
    EXPECT_EQ(bitmap.Row(0)[0], 0x81);
    EXPECT_EQ(bitmap.Row(0)[1], 0x00);
    EXPECT_EQ(bitmap.Row(1)[0], 0x00);
    EXPECT_EQ(bitmap.Row(1)[1], 0x88);
    EXPECT_TRUE(bitmap.Black(12, 1));
    EXPECT_FALSE(bitmap.Black(11, 1));

    bitmap.SetBlack(7, 0, false);
    EXPECT_EQ(bitmap.Row(0)[0], 0x80);
    bitmap.SetBlack(0, 0, true);  // setting twice keeps it black
    EXPECT_EQ(bitmap.Row(0)[0], 0x80);
}

TEST(MonoBitmapTest, OutsidePixelsReadWhiteAndIgnoreWrites) {
    MonoBitmap bitmap(13, 2);
    bitmap.Fill(true);
    const MonoBitmap before = bitmap;
    for (auto [x, y] : {std::pair{-1, 0}, {13, 0}, {0, -1}, {0, 2}, {16, 1}, {15, 0}}) {
        EXPECT_FALSE(bitmap.Black(x, y)) << x << "," << y;
        bitmap.SetBlack(x, y, false);
        bitmap.SetBlack(x, y, true);
    }
    EXPECT_EQ(bitmap, before);

    // Columns 13-15 exist in the bytes but not in the picture.
    MonoBitmap white(13, 1);
    white.SetBlack(13, 0, true);
    white.SetBlack(15, 0, true);
    EXPECT_EQ(white.Row(0)[1], 0x00);
}

TEST(MonoBitmapTest, FillAndInvertKeepPaddingClear) {
    for (int width : {1, 7, 8, 9, 13, 31, 32, 33}) {
        MonoBitmap bitmap(width, 3);
        bitmap.Fill(true);
        EXPECT_TRUE(PaddingClear(bitmap)) << width;
        EXPECT_TRUE(bitmap.Black(width - 1, 2)) << width;

        bitmap.Invert();
        EXPECT_TRUE(PaddingClear(bitmap)) << width;
        for (auto byte : bitmap.Bits()) EXPECT_EQ(byte, 0) << width;

        bitmap.Invert();  // white -> black must not set the padding either
        EXPECT_TRUE(PaddingClear(bitmap)) << width;
        EXPECT_EQ(bitmap.Row(1).back(), static_cast<std::uint8_t>(0xFFu << ((8 - width % 8) % 8))) << width;

        bitmap.Fill(false);
        for (auto byte : bitmap.Bits()) EXPECT_EQ(byte, 0) << width;
    }
}

TEST(MonoBitmapTest, InvertSwapsEachPixel) {
    MonoBitmap bitmap(11, 2);
    bitmap.SetBlack(3, 0, true);
    bitmap.SetBlack(10, 1, true);
    bitmap.Invert();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 11; ++x) {
            const bool wasBlack = (x == 3 && y == 0) || (x == 10 && y == 1);
            EXPECT_EQ(bitmap.Black(x, y), !wasBlack) << x << "," << y;
        }
    }
}

TEST(MonoBitmapTest, EqualityComparesSizeAndPixels) {
    MonoBitmap a(9, 2);
    MonoBitmap b(9, 2);
    EXPECT_EQ(a, b);
    b.SetBlack(8, 1, true);
    EXPECT_NE(a, b);
    // Same byte count, different shape.
    EXPECT_NE(MonoBitmap(9, 2), MonoBitmap(10, 2));
    EXPECT_NE(MonoBitmap(16, 1), MonoBitmap(8, 2));
}

}  // namespace
}  // namespace vl::gfx
