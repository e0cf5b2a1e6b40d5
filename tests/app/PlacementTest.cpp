#include "app/Placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace vl::app {
namespace {

StoredPlacement Stored(int left, int top, int right, int bottom, bool maximized = false) {
    return {{left, top, right, bottom}, maximized};
}

const Rect kCentred{100, 50, 500, 350};

TEST(CenterRect, HalvesRoundTowardZero) {
    EXPECT_EQ(CenterRect(50, 50, {0, 0, 101, 101}), (Rect{25, 25, 75, 75}));
    EXPECT_EQ(CenterRect(400, 300, {10, 20, 1034, 788}), (Rect{322, 254, 722, 554}));
    // Larger than the area: -51 / 2 is -25, not -26.
    EXPECT_EQ(CenterRect(151, 151, {0, 0, 100, 100}), (Rect{-25, -25, 126, 126}));
    EXPECT_EQ(CenterRect(0, 0, {0, 0, 0, 0}), (Rect{0, 0, 0, 0}));
}

TEST(FitPlacement, MaximisedOrNothingStored) {
    EXPECT_TRUE(FitPlacement(Stored(10, 10, 20, 20, true), kCentred, 1024, 768).Maximize);
    PlacementResult none = FitPlacement(Stored(10, 10, 300, 0), kCentred, 1024, 768);
    EXPECT_FALSE(none.Maximize);
    EXPECT_EQ(none.Bounds, kCentred);
}

TEST(FitPlacement, AWindowThatFitsStaysPut) {
    EXPECT_EQ(FitPlacement(Stored(0, 0, 1024, 768), kCentred, 1024, 768).Bounds, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(FitPlacement(Stored(5, 6, 70, 80), kCentred, 1024, 768).Bounds, (Rect{5, 6, 70, 80}));
}

TEST(FitPlacement, PartlyOffASmallerScreenIsPulledBack) {
    // Stored on a 1600x1200 screen, shown on 1024x768.
    EXPECT_EQ(FitPlacement(Stored(900, 600, 1300, 900), kCentred, 1024, 768).Bounds,
              (Rect{624, 468, 1024, 768}));
}

TEST(FitPlacement, ANegativeStartBecomesOneNotZero) {
    EXPECT_EQ(FitPlacement(Stored(-50, -8, 350, 292), kCentred, 1024, 768).Bounds, (Rect{1, 1, 401, 301}));
    // Wider and taller than the screen: pulled back, then pushed to start at 1.
    EXPECT_EQ(FitPlacement(Stored(0, 0, 1200, 900), kCentred, 1024, 768).Bounds, (Rect{1, 1, 1201, 901}));
    // A centred rectangle larger than the screen is fitted the same way.
    EXPECT_EQ(FitPlacement(Stored(0, 0, 0, 0), {-25, -25, 126, 126}, 100, 100).Bounds, (Rect{1, 1, 152, 152}));
}

TEST(FitPlacement, AbsurdStoredNumbersDoNotOverflow) {
    PlacementResult r = FitPlacement(Stored(INT_MIN, INT_MIN, INT_MAX, INT_MAX), kCentred, 1024, 768);
    EXPECT_EQ(r.Bounds.Left, 1);
    EXPECT_EQ(r.Bounds.Top, 1);
    EXPECT_EQ(r.Bounds.Right, INT_MAX);
    EXPECT_EQ(CenterRect(INT_MAX, INT_MAX, {INT_MIN, 0, INT_MAX, 10}),
              (Rect{-1073741824, -1073741818, 1073741823, 1073741829}));
}

TEST(PlacementSection, EachResolutionAbove96HasItsOwn) {
    EXPECT_EQ(PlacementSection("MainScreen", 96), "MainScreen_Placement");
    EXPECT_EQ(PlacementSection("MainScreen", 72), "MainScreen_Placement");
    EXPECT_EQ(PlacementSection("MainScreen", 120), "MainScreen_Placement120");
    EXPECT_EQ(PlacementSection("FaxViewer", 144), "FaxViewer_Placement144");
}

TEST(PlacementKeys, StoredAt96NotUsedAt120AndTheReverse) {
    base::IniFile ini;
    WritePlacement(ini, PlacementSection("MainScreen", 96), Stored(10, 20, 810, 620, true));
    WritePlacement(ini, PlacementSection("MainScreen", 120), Stored(30, 40, 530, 440));
    ini = base::IniFile::Parse(ini.Serialize());

    StoredPlacement at96 = ReadPlacement(ini, PlacementSection("MainScreen", 96), false);
    EXPECT_EQ(at96.Normal, (Rect{10, 20, 810, 620}));
    EXPECT_TRUE(at96.Maximized);
    StoredPlacement at120 = ReadPlacement(ini, PlacementSection("MainScreen", 120), true);
    EXPECT_EQ(at120.Normal, (Rect{30, 40, 530, 440}));
    EXPECT_FALSE(at120.Maximized);

    StoredPlacement at144 = ReadPlacement(ini, PlacementSection("MainScreen", 144), true);
    EXPECT_EQ(at144.Normal, (Rect{0, 0, 0, 0}));
    EXPECT_TRUE(at144.Maximized);  // follows the window when nothing is stored
    EXPECT_FALSE(ReadPlacement(ini, PlacementSection("MainScreen", 144), false).Maximized);
    EXPECT_EQ(FitPlacement(ReadPlacement(ini, "Other_Placement", false), kCentred, 1024, 768).Bounds, kCentred);
}

}  // namespace
}  // namespace vl::app
