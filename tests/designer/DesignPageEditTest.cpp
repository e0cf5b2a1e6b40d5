#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "base/ErrorCodes.h"
#include "cover/DesignPage.h"
#include "cover/FaxCoverBaseLabel.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

DesignRect BoundsOf(const GraphicControl* object) {
    return {object->Left(), object->Top(), object->Width(), object->Height()};
}

std::vector<DesignRect> AllBounds(const DesignPage& page) {
    std::vector<DesignRect> bounds;
    for (const auto& object : page.Objects()) bounds.push_back(BoundsOf(object.get()));
    return bounds;
}

class DesignPageEdit : public ::testing::Test {
protected:
    void SetUp() override {
        page.SetChangeEvent([this] { ++changes; });
        a = Box({10, 20, 30, 40});
        b = Box({100, 50, 25, 15});
        c = Box({300, 400, 61, 33});
        changes = 0;
    }
    GraphicControl* Box(const DesignRect& rect) { return page.Place(PanelState::Rectangle, rect, CoverFont{}); }
    // Undo and redo put copies in place of the objects.
    void Refetch() {
        a = page.Objects()[0].get();
        b = page.Objects()[1].get();
        c = page.Objects()[2].get();
    }

    DesignPage page;
    int changes = 0;
    GraphicControl* a = nullptr;
    GraphicControl* b = nullptr;
    GraphicControl* c = nullptr;
};

TEST_F(DesignPageEdit, AlignmentTakesTheOutermostEdge) {
    struct Case {
        AlignEdge edge;
        DesignRect a, c;
    };
    const Case cases[] = {
        {AlignEdge::Left, {10, 20, 30, 40}, {10, 400, 61, 33}},
        {AlignEdge::Right, {331, 20, 30, 40}, {300, 400, 61, 33}},
        {AlignEdge::Tops, {10, 20, 30, 40}, {300, 20, 61, 33}},
        {AlignEdge::Bottoms, {10, 393, 30, 40}, {300, 400, 61, 33}},
    };
    for (const Case& k : cases) {
        page.Align({a, c}, k.edge);
        EXPECT_EQ(BoundsOf(a), k.a) << static_cast<int>(k.edge);
        EXPECT_EQ(BoundsOf(c), k.c) << static_cast<int>(k.edge);
        EXPECT_EQ(BoundsOf(b), (DesignRect{100, 50, 25, 15}));
        page.Undo();
        Refetch();
    }
    page.Align({}, AlignEdge::Left);
    page.Align({a}, AlignEdge::Right);  // alone it stays
    EXPECT_EQ(changes, 8);  // each alignment and its undo, nothing for the two that changed nothing
}

TEST_F(DesignPageEdit, CentringHalvesRoundTowardZero) {
    page.CenterVertically({b, c});
    EXPECT_EQ(BoundsOf(b), (DesignRect{100, 473, 25, 15}));  // 480 - 7
    EXPECT_EQ(BoundsOf(c), (DesignRect{300, 464, 61, 33}));
    page.CenterHorizontally({b, c});
    EXPECT_EQ(b->Left(), 372);  // 384 - 12
    EXPECT_EQ(c->Left(), 354);
    page.ZoomIn();  // a page 845 wide
    page.CenterHorizontally({b});
    EXPECT_EQ(b->Left(), 422 - 14);  // b is 28 wide now
}

TEST_F(DesignPageEdit, LockedObjectsKeepTheirBoundsWhenTheFrameMoves) {
    page.SelectAll();
    page.ToggleLocked(b);
    const DesignRect frame = page.FrameBounds();
    EXPECT_EQ(frame, (DesignRect{10, 20, 351, 413}));
    page.ApplyFrame(frame, {frame.left + 5, frame.top - 3, frame.width + 2, frame.height + 1});
    EXPECT_EQ(BoundsOf(a), (DesignRect{15, 17, 32, 41}));
    EXPECT_EQ(BoundsOf(b), (DesignRect{100, 50, 25, 15}));
    EXPECT_EQ(BoundsOf(c), (DesignRect{305, 397, 63, 34}));
    EXPECT_EQ(changes, 2);
    page.ApplyFrame(frame, frame);
    page.SetAllLocked(true);
    const int before = changes;
    page.ApplyFrame(frame, {0, 0, 9, 9});
    EXPECT_EQ(changes, before);
    EXPECT_EQ(BoundsOf(a), (DesignRect{15, 17, 32, 41}));
}

TEST_F(DesignPageEdit, FrontAndBackFollowTheSelectionOrder) {
    page.Click(b, false);
    page.Click(a, true);
    page.BringToFront(page.Selection());
    EXPECT_EQ(page.Objects()[1].get(), b);
    EXPECT_EQ(page.Objects()[2].get(), a);
    page.SendToBack({c, b});
    EXPECT_EQ(page.Objects()[0].get(), b);
    EXPECT_EQ(page.Objects()[1].get(), c);
    EXPECT_TRUE(page.Selection().empty());
    page.BringToFront({a});  // already on top
    EXPECT_EQ(changes, 2);
}

TEST_F(DesignPageEdit, UndoAndRedoPutBackMovesResizesAndDeletions) {
    const std::vector<DesignRect> start = AllBounds(page);
    page.Click(b, false);
    page.ApplyFrame({100, 50, 25, 15}, {140, 90, 25, 15});
    const std::vector<DesignRect> moved = AllBounds(page);
    page.ApplyFrame({140, 90, 25, 15}, {140, 90, 60, 70});
    const std::vector<DesignRect> resized = AllBounds(page);
    page.Delete({a, c});
    EXPECT_EQ(page.Objects().size(), 1U);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{b}));

    ASSERT_TRUE(page.Undo());
    EXPECT_EQ(AllBounds(page), resized);
    EXPECT_TRUE(page.Selection().empty());
    ASSERT_TRUE(page.Undo());
    EXPECT_EQ(AllBounds(page), moved);
    ASSERT_TRUE(page.Undo());
    EXPECT_EQ(AllBounds(page), start);
    ASSERT_TRUE(page.Undo());  // the placing of the third box
    EXPECT_EQ(page.Objects().size(), 2U);
    ASSERT_TRUE(page.Redo());
    ASSERT_TRUE(page.Redo());
    EXPECT_EQ(AllBounds(page), moved);
    ASSERT_TRUE(page.Redo());
    ASSERT_TRUE(page.Redo());
    EXPECT_EQ(page.Objects().size(), 1U);
    EXPECT_EQ(BoundsOf(page.Objects()[0].get()), resized[1]);
    EXPECT_FALSE(page.Redo());
    EXPECT_EQ(changes, 3 + 8);

    page.Undo();
    page.SetAllLocked(true);  // a new edit: nothing left to redo
    EXPECT_FALSE(page.CanRedo());
    EXPECT_TRUE(page.CanUndo());
    page.Clear();
    EXPECT_FALSE(page.CanUndo());
    EXPECT_FALSE(page.Undo());
}

TEST_F(DesignPageEdit, UndoAfterAZoomChangeGivesObjectsAtTheNewZoom) {
    page.Delete({c});
    page.ZoomIn();
    page.ZoomIn();
    ASSERT_TRUE(page.Undo());
    ASSERT_EQ(page.Objects().size(), 3U);
    for (const auto& object : page.Objects()) EXPECT_FLOAT_EQ(object->Zoom(), 1.2F);
    EXPECT_EQ(BoundsOf(page.Objects()[2].get()), (DesignRect{360, 480, 73, 40}));
}

TEST_F(DesignPageEdit, PastingTwiceWithinASecondAddsOnce) {
    test::TempDir dir;
    const std::string clipboard = dir.folder() + "Clipbrd.tmp";
    EXPECT_EQ(page.Paste(clipboard, 0), base::ecFileNotFound);
    page.SelectAll();
    // Copied in z-order, whatever the selection's order.
    ASSERT_EQ(page.Copy({c, a}, clipboard), base::ecOK);
    page.ClearSelection();
    struct Step {
        std::int64_t nowMs;
        std::size_t count;
    };
    const Step steps[] = {{0, 5}, {999, 5}, {1000, 7}, {1500, 7}, {2100, 9}};
    for (const Step& step : steps) {
        EXPECT_EQ(page.Paste(clipboard, step.nowMs), base::ecOK);
        EXPECT_EQ(page.Objects().size(), step.count) << step.nowMs;
    }
    EXPECT_EQ(BoundsOf(page.Objects()[3].get()), (DesignRect{25, 35, 30, 40}));
    EXPECT_EQ(BoundsOf(page.Objects()[4].get()), (DesignRect{315, 415, 61, 33}));
    EXPECT_EQ(page.Objects()[3]->name, "Component0");
    EXPECT_EQ(page.Objects()[8]->name, "Component5");
    EXPECT_EQ(changes, 3);
}

TEST_F(DesignPageEdit, APasteAfterAZoomChangeKeepsTheRealSize) {
    test::TempDir dir;
    const std::string clipboard = dir.folder() + "Clipbrd.tmp";
    ASSERT_EQ(page.Cut({a}, clipboard), base::ecOK);
    EXPECT_EQ(page.Objects().size(), 2U);
    page.ZoomIn();
    page.ZoomIn();
    ASSERT_EQ(page.Paste(clipboard, 0), base::ecOK);
    EXPECT_EQ(BoundsOf(page.Objects().back().get()), (DesignRect{12 + 15, 24 + 15, 36, 48}));
    EXPECT_FLOAT_EQ(page.Objects().back()->Zoom(), 1.2F);
    EXPECT_TRUE(std::filesystem::exists(clipboard));
}

TEST_F(DesignPageEdit, AClonesLandsLowerOnTopAndTakesTheSelection) {
    for (int i = 0; i < 3; ++i) page.ZoomIn();
    page.Click(a, false);
    page.Click(c, true);
    page.SetRounding(a, 70);
    GraphicControl* copy = page.Clone(a);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(page.Objects().back().get(), copy);
    EXPECT_EQ(BoundsOf(copy), (DesignRect{a->Left(), a->Top() + 25, a->Width(), a->Height()}));
    EXPECT_EQ(static_cast<FaxCoverShapes*>(copy)->roundPercent, 70);
    EXPECT_FLOAT_EQ(copy->Zoom(), 1.3F);
    EXPECT_EQ(copy->name, "Component0");
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{copy, c}));
    EXPECT_EQ(page.Clone(nullptr), nullptr);
}

TEST_F(DesignPageEdit, ObjectMenusChangeOnlyWhatTheyMayAndFit) {
    GraphicControl* line = page.Place(PanelState::Line, {50, 60, 40, 300}, CoverFont{});
    page.StretchToEdges(line);
    EXPECT_EQ(BoundsOf(line), (DesignRect{50, 0, 40, 960}));
    page.SetLineStyle(line, LineStyle::Horizontal);
    page.StretchToEdges(line);
    EXPECT_EQ(BoundsOf(line), (DesignRect{0, 0, 768, 960}));
    page.SetLineStyle(line, LineStyle::AngleSlopingUp);
    page.Undo();
    page.Undo();
    Refetch();
    line = page.Objects().back().get();
    EXPECT_EQ(static_cast<FaxCoverLine*>(line)->lineStyle, LineStyle::Horizontal);
    EXPECT_EQ(BoundsOf(line), (DesignRect{50, 0, 40, 960}));

    changes = 0;
    for (int bad : {0, 11}) page.SetPenWidth(line, bad);
    page.SetRounding(a, 19);
    page.SetRounding(a, 81);
    page.SetLineStyle(a, LineStyle::Vertical);
    page.SetCaption(a, "shapes have none");
    EXPECT_EQ(changes, 0);
    page.SetPenWidth(line, 10);
    page.SetFill(a, ShapeFillType::FilledBlack);
    EXPECT_EQ(static_cast<FaxCoverLine*>(line)->pen.width, 10);
    EXPECT_EQ(static_cast<FaxCoverShapes*>(a)->fillType, ShapeFillType::FilledBlack);
    EXPECT_EQ(changes, 2);

    auto* field = static_cast<FaxCoverField*>(page.Place(PanelState::Field, {10, 10, 25, 15}, CoverFont{}));
    const int dateWidth = field->Width();
    page.SetFieldType(field, CoverFieldType::SenderCompany);
    EXPECT_EQ(field->caption, "[Sender Company]");
    EXPECT_EQ(field->FieldType(), CoverFieldType::SenderCompany);
    EXPECT_GT(field->Width(), dateWidth);
    CoverFont white;
    white.color = kColorWhite;
    page.SetObjectFont(field, white);
    EXPECT_EQ(field->font.color, kColorWhite);
    CoverFont green;
    green.name = "DejaVu Sans";
    green.color = 0x00FF00;
    page.SetFont({field, a}, green);
    EXPECT_EQ(field->font.color, kColorBlack);
    EXPECT_EQ(field->font.name, "DejaVu Sans");

    auto* symbol = AsText(page.Place(PanelState::SymbolLabel, {10, 10, 25, 15}, CoverFont{}));
    page.SetSymbol(symbol, CoverFont{}, 0xE9);
    EXPECT_EQ(symbol->caption, "\xC3\xA9");
    EXPECT_EQ(symbol->font.name, "Arial");
    page.SetFont({symbol}, green);
    EXPECT_EQ(symbol->font.name, "Arial");  // symbols keep their font
    page.SetSymbol(symbol, CoverFont{}, 31);
    EXPECT_EQ(symbol->caption, "\xC3\xA9");
}

}  // namespace
}  // namespace vl::cover
