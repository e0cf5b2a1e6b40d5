#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

#include <QScreen>

#include "base/IniFile.h"
#include "support/TestSupport.h"
#include "ui/AboutForm.h"

namespace vl::ui {

namespace {

// Any window class of the program will do; the section is named after it.
using PlacementProbe = AboutForm;

class WindowPlacementTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string ini = dir.folder() + "VL.INI";
};

TEST_F(WindowPlacementTest, ARectangleIsStoredUnderTheClassAndComesBack)
{
    PlacementProbe saved;
    saved.setGeometry(40, 30, 500, 400);
    SavePlacement(saved, ini);
    const auto file = base::IniFile::Load(ini);
    EXPECT_EQ(file.ReadInteger("AboutForm_Placement", "Left", -1), 40);
    EXPECT_EQ(file.ReadInteger("AboutForm_Placement", "Bottom", -1), 430);
    EXPECT_FALSE(file.ReadBool("AboutForm_Placement", "Maximized", true));

    PlacementProbe restored;
    RestorePlacement(restored, ini);
    EXPECT_EQ(restored.geometry(), QRect(40, 30, 500, 400));
    EXPECT_FALSE(restored.isMaximized());
}

TEST_F(WindowPlacementTest, AMaximisedWindowComesBackMaximised)
{
    PlacementProbe saved;
    saved.showMaximized();
    SavePlacement(saved, ini);
    PlacementProbe restored;
    RestorePlacement(restored, ini);
    EXPECT_TRUE(restored.windowState() & Qt::WindowMaximized);
}

TEST_F(WindowPlacementTest, NothingStoredCentresAndAnOversizedPlaceIsPulledOnScreen)
{
    PlacementProbe first;
    first.resize(500, 400);
    RestorePlacement(first, ini);
    const QRect screen = first.screen()->geometry();
    EXPECT_EQ(first.geometry(),
              QRect((screen.width() - 500) / 2, (screen.height() - 400) / 2, 500, 400));

    test::WriteFile(ini, "[AboutForm_Placement]\nLeft=-50\nTop=10\nRight=" +
                             std::to_string(screen.width() + 100) + "\nBottom=110\n");
    PlacementProbe wide;
    RestorePlacement(wide, ini);
    // Moved left by 100 to end at the screen's edge, which leaves it starting
    // at -150, so it is moved on to start at 1.
    EXPECT_EQ(wide.x(), 1);
    EXPECT_EQ(wide.width(), screen.width() + 150);
}

}  // namespace
}  // namespace vl::ui
