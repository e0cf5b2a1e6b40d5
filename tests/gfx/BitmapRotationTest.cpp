// Quarter turns of a page bitmap: where every pixel goes, the white rows that
// round a turned side up to whole bytes, and turns that undo each other.
#include "gfx/BitmapRotation.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vl::gfx {
namespace {

using Picture = std::vector<std::string>;

MonoBitmap FromPicture(const Picture& rows) {
    MonoBitmap bitmap(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetBlack(x, y, rows[y][x] == '#');
    return bitmap;
}

Picture ToPicture(const MonoBitmap& bitmap) {
    Picture rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) row += bitmap.Black(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// No symmetry: every turn and mirror of it looks different.
const Picture kL = {
    "#...",
    "##..",
    "#..#",
};

TEST(BitmapRotationTest, EachTurnPlacesEveryPixel) {
    const struct {
        int turns;
        Picture expected;
    } cases[] = {
        {0, kL},
        {1, {"###", ".#.", "...", "#..", "...", "...", "...", "..."}},
        {2, {"#..#", "..##", "...#"}},
        {3, {"..#", "...", ".#.", "###", "...", "...", "...", "..."}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToPicture(RotateClockwise(FromPicture(kL), c.turns)), c.expected) << c.turns << " turns";
}

TEST(BitmapRotationTest, AQuarterTurnAndItsOppositeGiveTheOriginalBack) {
    // 13 wide and 10 tall: both turned sides are padded and pixels cross bytes.
    MonoBitmap page(13, 10);
    for (int i = 0; i < 10; ++i) page.SetBlack((i * 5) % 13, i, true);
    page.SetBlack(12, 9, true);

    const MonoBitmap back = RotateClockwise(RotateClockwise(page, 1), 3);
    ASSERT_EQ(back.Width(), 16);
    ASSERT_EQ(back.Height(), 16);
    for (int y = 0; y < back.Height(); ++y)
        for (int x = 0; x < back.Width(); ++x) EXPECT_EQ(back.Black(x, y), page.Black(x, y)) << x << "," << y;
    EXPECT_EQ(RotateClockwise(RotateClockwise(page, 2), 2), page);
}

TEST(BitmapRotationTest, EmptyBitmapsTurnAndOtherCountsAreRefused) {
    EXPECT_TRUE(RotateClockwise(MonoBitmap(), 1).Empty());
    EXPECT_EQ(RotateClockwise(MonoBitmap(0, 3), 1).Width(), 3);
    EXPECT_THROW(RotateClockwise(FromPicture(kL), 4), std::invalid_argument);
    EXPECT_THROW(RotateClockwise(FromPicture(kL), -1), std::invalid_argument);
}

}  // namespace
}  // namespace vl::gfx
