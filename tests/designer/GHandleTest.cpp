#include <gtest/gtest.h>

#include "cover/GHandle.h"

namespace vl::cover {
namespace {

constexpr int kPageWidth = 768;
constexpr int kPageHeight = 960;

TEST(GHandle, ZonesReachEightPixelsFromCornersAndSixFromEdgeMiddles) {
    const DesignRect frame{100, 100, 200, 100};  // right 300, bottom 200, middles 200 and 150
    struct Case {
        int x, y;
        FrameZone zone;
    };
    const Case cases[] = {
        {92, 92, FrameZone::TopLeft},      {91, 100, FrameZone::Move},        {308, 92, FrameZone::TopRight},
        {309, 92, FrameZone::Move},        {92, 208, FrameZone::BottomLeft},  {300, 208, FrameZone::BottomRight},
        {194, 106, FrameZone::Top},        {193, 100, FrameZone::Move},       {200, 107, FrameZone::Move},
        {94, 144, FrameZone::Left},        {100, 157, FrameZone::Move},       {206, 194, FrameZone::Bottom},
        {306, 156, FrameZone::Right},      {307, 150, FrameZone::Move},       {150, 150, FrameZone::Move},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GHandle::ZoneAt(frame, c.x, c.y, true), c.zone) << c.x << "," << c.y;
        EXPECT_EQ(GHandle::ZoneAt(frame, c.x, c.y, false), FrameZone::Move) << c.x << "," << c.y;
    }
}

TEST(GHandle, TheGridStepIsOneWithoutSnappingAndAtMostThirtyTwo) {
    GHandle handle;
    EXPECT_EQ(handle.GridX(), 1);
    handle.SetSnap(true, 8);
    EXPECT_EQ(handle.GridX(), 8);
    EXPECT_EQ(handle.GridY(), 8);
    handle.SetSnap(true, 64);
    EXPECT_EQ(handle.GridX(), GHandle::kMaxGrid);
    handle.SetSnap(false, 8);
    EXPECT_EQ(handle.GridY(), 1);
}

struct DragCase {
    const char* what;
    int grid;
    DesignRect start;
    FrameZone zone;
    int dx, dy;
    DesignRect expected;
};

TEST(GHandle, DraggingClampsToThePageSnapsAndKeepsTheSmallestSize) {
    const DragCase cases[] = {
        {"move", 1, {10, 20, 50, 40}, FrameZone::Move, 7, -3, {17, 17, 50, 40}},
        {"move past the bottom right", 1, {700, 900, 50, 40}, FrameZone::Move, 100, 100, {718, 920, 50, 40}},
        {"move past the top left", 1, {10, 20, 50, 40}, FrameZone::Move, -100, -100, {0, 0, 50, 40}},
        {"a move snaps only the position", 8, {10, 20, 50, 41}, FrameZone::Move, 5, 3, {8, 16, 50, 41}},
        {"corner", 1, {10, 20, 50, 40}, FrameZone::BottomRight, 7, 3, {10, 20, 57, 43}},
        {"snapped corner", 4, {10, 20, 50, 40}, FrameZone::BottomRight, 7, 3, {10, 20, 56, 40}},
        {"snapped top left", 4, {10, 20, 50, 40}, FrameZone::TopLeft, 3, 5, {12, 24, 44, 32}},
        {"right edge to the page", 1, {700, 20, 50, 40}, FrameZone::Right, 500, 9, {700, 20, 68, 40}},
        {"left edge to the page", 1, {10, 20, 50, 40}, FrameZone::Left, -500, 9, {0, 20, 60, 40}},
        {"top edge past the bottom", 1, {10, 20, 50, 40}, FrameZone::Top, 9, 500, {10, 55, 50, 5}},
        {"bottom edge past the top", 1, {10, 20, 50, 40}, FrameZone::Bottom, 0, -500, {10, 20, 50, 5}},
        {"snapping never goes below five", 8, {10, 20, 50, 40}, FrameZone::TopRight, -500, 500, {10, 48, 5, 5}},
        {"bottom edge to the page", 1, {10, 900, 50, 40}, FrameZone::BottomLeft, 0, 100, {10, 900, 50, 60}},
    };
    for (const DragCase& c : cases) {
        GHandle handle;
        handle.SetSnap(c.grid > 1, c.grid);
        EXPECT_EQ(handle.Dragged(c.start, c.zone, c.dx, c.dy, kPageWidth, kPageHeight), c.expected) << c.what;
    }
}

TEST(GHandle, ArrowKeysMoveOrResizeOnePixelWithinThePage) {
    using Arrow = GHandle::Arrow;
    struct Case {
        DesignRect rect;
        Arrow arrow;
        bool resize;
        DesignRect expected;
    };
    const Case cases[] = {
        {{5, 5, 20, 20}, Arrow::Left, false, {4, 5, 20, 20}},
        {{0, 0, 20, 20}, Arrow::Left, false, {0, 0, 20, 20}},
        {{0, 0, 20, 20}, Arrow::Up, false, {0, 0, 20, 20}},
        {{747, 5, 20, 20}, Arrow::Right, false, {748, 5, 20, 20}},
        {{748, 5, 20, 20}, Arrow::Right, false, {748, 5, 20, 20}},
        {{5, 940, 20, 20}, Arrow::Down, false, {5, 940, 20, 20}},
        {{5, 5, 11, 11}, Arrow::Left, true, {5, 5, 10, 11}},
        {{5, 5, 10, 10}, Arrow::Left, true, {5, 5, 10, 10}},
        {{5, 5, 10, 10}, Arrow::Up, true, {5, 5, 10, 10}},
        {{5, 5, 10, 10}, Arrow::Down, true, {5, 5, 10, 11}},
        {{748, 5, 20, 20}, Arrow::Right, true, {748, 5, 20, 20}},
        {{0, 939, 20, 20}, Arrow::Down, true, {0, 939, 20, 21}},
        {{0, 940, 20, 20}, Arrow::Down, true, {0, 940, 20, 20}},
    };
    for (const Case& c : cases) {
        const DesignRect keyed = GHandle::Keyed(c.rect, c.arrow, c.resize, kPageWidth, kPageHeight);
        EXPECT_EQ(keyed, c.expected) << c.rect.left << "," << c.rect.top << " arrow " << static_cast<int>(c.arrow)
                                     << (c.resize ? " resize" : " move");
    }
}

TEST(GHandle, SquaresSitOnTheBoundsEnlargedByTwo) {
    const DesignRect bounds{100, 50, 40, 20};
    const std::vector<DesignRect> corners = GHandle::Squares(bounds, false);
    ASSERT_EQ(corners.size(), 4U);
    EXPECT_EQ(corners[0], (DesignRect{98, 48, 5, 5}));
    EXPECT_EQ(corners[3], (DesignRect{137, 67, 5, 5}));
    const std::vector<DesignRect> all = GHandle::Squares(bounds, true);
    ASSERT_EQ(all.size(), 8U);
    EXPECT_EQ(all[4], (DesignRect{118, 48, 5, 5}));  // top middle
    EXPECT_EQ(all[7], (DesignRect{137, 58, 5, 5}));  // right middle
}

}  // namespace
}  // namespace vl::cover
