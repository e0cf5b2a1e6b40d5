// The design panel under the mouse and keys: placing objects with a tool,
// selecting, moving and resizing, and what it draws.
#include <QImage>
#include <algorithm>
#include <QSignalSpy>

#include "CoverPanelFixture.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"

namespace vl::test {
namespace {

using cover::DesignRect;
using cover::PanelState;

using Selection = std::vector<cover::GraphicControl*>;

struct ToolCase {
    PanelState tool;
    cover::RecordKind kind;
};

class PlacingTest : public CoverPanelTest, public ::testing::WithParamInterface<ToolCase> {};

// A tiny drag still gives an object that can be grabbed: 50 x 15 from the
// press point.
TEST_P(PlacingTest, ATinyDragPlacesAFiftyByFifteenObject)
{
    panel_.SetPanelState(GetParam().tool);
    EXPECT_EQ(panel_.cursor().shape(), Qt::DragMoveCursor);
    QSignalSpy dropped(&panel_, &ui::FaxCoverPanel::ObjectDropped);
    Drag({100, 100}, {103, 103});
    ASSERT_EQ(page_.Objects().size(), 1U);
    const cover::GraphicControl* object = page_.Objects().front().get();
    EXPECT_EQ(object->Kind(), GetParam().kind);
    EXPECT_EQ(Bounds(object), (DesignRect{100, 100, 50, 15}));
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_EQ(dropped.front().front().value<cover::GraphicControl*>(), object);
}

INSTANTIATE_TEST_SUITE_P(Tools, PlacingTest,
                         ::testing::Values(ToolCase{PanelState::Label, cover::RecordKind::Label},
                                           ToolCase{PanelState::Rectangle, cover::RecordKind::Shape},
                                           ToolCase{PanelState::Ellipse, cover::RecordKind::Shape},
                                           ToolCase{PanelState::Line, cover::RecordKind::Line},
                                           ToolCase{PanelState::Message, cover::RecordKind::Message}));

TEST_F(CoverPanelTest, ADragUpAndLeftPlacesTheNormalisedRectangle)
{
    panel_.SetPanelState(PanelState::Rectangle);
    Drag({200, 220}, {140, 150});
    ASSERT_EQ(page_.Objects().size(), 1U);
    EXPECT_EQ(Bounds(page_.Objects().front().get()), (DesignRect{140, 150, 60, 70}));
}

TEST_F(CoverPanelTest, ClicksAndBandsSelect)
{
    cover::GraphicControl* a = Add(50, 50, 40, 32);
    cover::GraphicControl* b = Add(150, 50, 40, 32);
    cover::GraphicControl* c = Add(250, 50, 40, 32);
    QSignalSpy changed(&panel_, &ui::FaxCoverPanel::SelectionChanged);

    Click({60, 60});
    EXPECT_EQ(page_.Selection(), (Selection{a}));
    Click({160, 60}, Qt::ShiftModifier);
    EXPECT_EQ(page_.Selection(), (Selection{a, b}));
    Click({60, 60}, Qt::ShiftModifier);
    EXPECT_EQ(page_.Selection(), (Selection{b}));
    Click({260, 60});
    EXPECT_EQ(page_.Selection(), (Selection{c}));
    EXPECT_EQ(changed.size(), 4);

    // A band from an empty spot takes everything it touches; with Shift it
    // toggles.
    Drag({40, 40}, {300, 100});
    EXPECT_EQ(page_.Selection().size(), 3U);
    Click({400, 400});
    EXPECT_TRUE(page_.Selection().empty());
    Click({60, 60});
    Click({160, 60}, Qt::ShiftModifier);
    Drag({40, 40}, {300, 100}, Qt::ShiftModifier);
    EXPECT_EQ(page_.Selection(), (Selection{c}));
}

TEST_F(CoverPanelTest, AnUnselectableObjectLetsAPressThroughToABand)
{
    cover::GraphicControl* a = Add(50, 50, 40, 32);
    cover::GraphicControl* b = Add(150, 50, 40, 32);
    b->unselectable = true;
    Click({160, 60});
    EXPECT_TRUE(page_.Selection().empty());
    Drag({160, 60}, {60, 70});
    EXPECT_EQ(page_.Selection(), (Selection{a}));
}

TEST_F(CoverPanelTest, DraggingTheFrameMovesTheUnlockedSelectedObjects)
{
    cover::GraphicControl* a = Add(50, 50, 40, 32);
    cover::GraphicControl* b = Add(150, 50, 40, 32);
    cover::GraphicControl* locked = Add(50, 200, 40, 32);
    locked->locked = true;
    Click({60, 60});
    Click({160, 60}, Qt::ShiftModifier);
    Click({60, 210}, Qt::ShiftModifier);
    Drag({60, 60}, {73, 67});
    EXPECT_EQ(Bounds(a), (DesignRect{63, 57, 40, 32}));
    EXPECT_EQ(Bounds(b), (DesignRect{163, 57, 40, 32}));
    EXPECT_EQ(Bounds(locked), (DesignRect{50, 200, 40, 32}));
}

TEST_F(CoverPanelTest, WithSnappingTheFrameLandsOnTheGrid)
{
    cover::GraphicControl* a = Add(52, 52, 40, 32);
    panel_.SetSnapToGrid(true);
    Click({70, 70});
    Drag({70, 70}, {83, 77});
    EXPECT_EQ(Bounds(a), (DesignRect{64, 56, 40, 32}));

    panel_.SetGridSize(8);
    Drag({80, 70}, {91, 70});
    EXPECT_EQ(Bounds(a), (DesignRect{72, 56, 40, 32}));
}

TEST_F(CoverPanelTest, ACornerDragResizesOneObject)
{
    cover::GraphicControl* a = Add(50, 50, 40, 32);
    Click({60, 60});
    Drag({89, 81}, {109, 91});
    EXPECT_EQ(Bounds(a), (DesignRect{50, 50, 60, 42}));
    Drag({50, 50}, {60, 45});
    EXPECT_EQ(Bounds(a), (DesignRect{60, 45, 50, 47}));
}

// A press that only trembles is a click unless it was held a while.
TEST_F(CoverPanelTest, AQuickPressWithoutRealMovementMovesNothing)
{
    const struct {
        int heldMs;
        DesignRect after;
    } cases[] = {{100, {50, 50, 40, 32}}, {200, {52, 51, 40, 32}}};
    for (const auto& one : cases) {
        SCOPED_TRACE(one.heldMs);
        page_.Clear();
        cover::GraphicControl* a = Add(50, 50, 40, 32);
        Click({60, 60});
        Drag({60, 60}, {62, 61}, {}, one.heldMs);
        EXPECT_EQ(Bounds(a), one.after);
    }
}

TEST_F(CoverPanelTest, ArrowKeysMoveBySinglePixelsAndShiftResizesOneObject)
{
    cover::GraphicControl* a = Add(50, 50, 40, 32);
    cover::GraphicControl* b = Add(150, 50, 40, 32);
    Click({60, 60});
    Key(Qt::Key_Right, {}, 3);
    Key(Qt::Key_Down, {}, 2);
    Key(Qt::Key_Left);
    EXPECT_EQ(Bounds(a), (DesignRect{52, 52, 40, 32}));
    Key(Qt::Key_Right, Qt::ShiftModifier, 2);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Bounds(a), (DesignRect{52, 52, 42, 31}));

    // With two objects Shift does not resize: both move.
    Click({160, 60}, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Bounds(a), (DesignRect{53, 52, 42, 31}));
    EXPECT_EQ(Bounds(b), (DesignRect{151, 50, 40, 32}));
}

TEST_F(CoverPanelTest, ClipboardKeysCopyPasteCutAndDelete)
{
    Add(50, 50, 40, 32);
    Click({60, 60});
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(page_.Objects().size(), 2U);
    EXPECT_EQ(Bounds(page_.Objects().back().get()), (DesignRect{65, 65, 40, 32}));
    // A second paste at once is a repeated key.
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page_.Objects().size(), 2U);

    Click({60, 60});
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(page_.Objects().size(), 1U);
    Click({70, 70});
    Key(Qt::Key_Delete);
    EXPECT_TRUE(page_.Objects().empty());
    EXPECT_TRUE(page_.Selection().empty());
}

TEST_F(CoverPanelTest, ScrollAndZoomKeysGoToTheWindow)
{
    QSignalSpy keys(&panel_, &ui::FaxCoverPanel::WindowKeyPressed);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Home);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    Key(Qt::Key_Plus);
    ASSERT_EQ(keys.size(), 3);
    EXPECT_EQ(keys[0][0].value<ui::FaxCoverPanel::WindowKey>(), ui::FaxCoverPanel::WindowKey::LineDown);
    EXPECT_EQ(keys[1][0].value<ui::FaxCoverPanel::WindowKey>(), ui::FaxCoverPanel::WindowKey::Top);
    EXPECT_EQ(keys[2][0].value<ui::FaxCoverPanel::WindowKey>(), ui::FaxCoverPanel::WindowKey::ZoomIn);
}

bool IsBlack(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::black);
}

bool IsWhite(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::white);
}

TEST_F(CoverPanelTest, AFilledRectangleAndLinesPaintInsideTheirBounds)
{
    auto* box = static_cast<cover::FaxCoverShapes*>(Add(100, 100, 40, 20));
    box->fillType = cover::ShapeFillType::FilledBlack;
    auto* thin = static_cast<cover::FaxCoverLine*>(Add(200, 300, 50, 10, PanelState::Line));
    thin->lineStyle = cover::LineStyle::Horizontal;
    auto* thick = static_cast<cover::FaxCoverLine*>(Add(200, 400, 50, 10, PanelState::Line));
    thick->lineStyle = cover::LineStyle::Horizontal;
    thick->pen.width = 3;
    panel_.SetDrawOutline(false);
    const QImage image = panel_.grab().toImage();
    ASSERT_EQ(image.size(), QSize(768, 960));

    EXPECT_TRUE(IsBlack(image, 100, 100));
    EXPECT_TRUE(IsBlack(image, 120, 110));
    EXPECT_TRUE(IsBlack(image, 139, 119));
    EXPECT_TRUE(IsWhite(image, 99, 110));
    EXPECT_TRUE(IsWhite(image, 140, 110));
    EXPECT_TRUE(IsWhite(image, 120, 120));

    EXPECT_TRUE(IsBlack(image, 200, 300));
    EXPECT_TRUE(IsBlack(image, 249, 300));
    EXPECT_TRUE(IsWhite(image, 250, 300));
    EXPECT_TRUE(IsWhite(image, 220, 301));
    EXPECT_TRUE(IsWhite(image, 220, 299));

    for (int y = 400; y < 403; ++y)
        EXPECT_TRUE(IsBlack(image, 220, y)) << y;
    EXPECT_TRUE(IsWhite(image, 220, 403));
    EXPECT_TRUE(IsWhite(image, 250, 401));
}

TEST_F(CoverPanelTest, TheGridAndTheSelectionSquaresAreDrawn)
{
    Add(100, 100, 40, 20);
    Add(300, 100, 40, 20);
    panel_.SetShowGrid(true);
    QImage image = panel_.grab().toImage();
    EXPECT_EQ(image.pixelColor(8, 12), QColor(0x00, 0x80, 0x00));
    EXPECT_TRUE(IsWhite(image, 9, 12));
    EXPECT_TRUE(IsWhite(image, 8, 13));
    panel_.SetGridSize(8);
    image = panel_.grab().toImage();
    EXPECT_TRUE(IsWhite(image, 12, 12));
    EXPECT_EQ(image.pixelColor(16, 24), QColor(0x00, 0x80, 0x00));

    // Squares in black around one object, in grey and only at the corners
    // around several.
    panel_.SetShowGrid(false);
    const QImage plain = panel_.grab().toImage();
    Click({110, 110});
    for (const DesignRect& square : cover::GHandle::Squares({100, 100, 40, 20}, true)) {
        image = panel_.grab().toImage();
        EXPECT_TRUE(IsBlack(image, square.left + 2, square.top + 2));
    }
    Click({310, 110}, Qt::ShiftModifier);
    image = panel_.grab().toImage();
    const std::vector<DesignRect> corners = cover::GHandle::Squares({100, 100, 40, 20}, false);
    EXPECT_EQ(image.pixelColor(corners.front().left + 2, corners.front().top + 2), QColor(0x80, 0x80, 0x80));
    const std::vector<DesignRect> all = cover::GHandle::Squares({100, 100, 40, 20}, true);
    for (const DesignRect& square : all) {
        if (std::find(corners.begin(), corners.end(), square) != corners.end())
            continue;
        const QPoint middle(square.left + 2, square.top + 2);
        EXPECT_EQ(image.pixelColor(middle), plain.pixelColor(middle));
    }
}

}  // namespace
}  // namespace vl::test
