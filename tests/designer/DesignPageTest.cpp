#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "cover/DesignFile.h"
#include "cover/DesignPage.h"
#include "cover/FaxCoverBaseLabel.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "support/CoverObjectSamples.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

DesignRect BoundsOf(const GraphicControl* object) {
    return {object->Left(), object->Top(), object->Width(), object->Height()};
}

GraphicControl* PlaceBox(DesignPage& page, const DesignRect& rect) {
    return page.Place(PanelState::Rectangle, rect, CoverFont{});
}

TEST(DesignPagePlacing, SmallDragsTakeTheSmallestPlacedSize) {
    struct Case {
        DesignRect dragged;
        DesignRect placed;
    };
    const Case cases[] = {
        {{40, 60, 3, 3}, {40, 60, 50, 15}},
        {{40, 60, 24, 14}, {40, 60, 50, 15}},
        {{40, 60, 25, 15}, {40, 60, 25, 15}},
        {{40, 60, 120, 10}, {40, 60, 120, 15}},
        {{40, 60, -30, -20}, {10, 40, 30, 20}},
    };
    for (const Case& c : cases) {
        DesignPage page;
        EXPECT_EQ(BoundsOf(PlaceBox(page, c.dragged)), c.placed) << c.dragged.width << "x" << c.dragged.height;
    }
}

TEST(DesignPagePlacing, EachToolPlacesItsObjectNamedWithTheSmallestFreeNumber) {
    DesignPage page;
    CoverFont font;
    font.name = "DejaVu Sans";
    font.color = 0x0000FF;
    int changes = 0;
    page.SetChangeEvent([&changes] { ++changes; });
    EXPECT_EQ(page.Place(PanelState::Pointing, {0, 0, 50, 50}, font), nullptr);

    auto* label = AsText(page.Place(PanelState::Label, {10, 10, 100, 30}, font));
    EXPECT_EQ(label->caption, "<text>");
    EXPECT_EQ(label->font.name, "DejaVu Sans");
    EXPECT_EQ(label->font.color, kColorBlack);
    EXPECT_EQ(label->name, "Special1");
    auto* line = static_cast<FaxCoverLine*>(page.Place(PanelState::Line, {10, 10, 100, 30}, font));
    EXPECT_EQ(line->lineStyle, LineStyle::Vertical);
    auto* ellipse = static_cast<FaxCoverShapes*>(page.Place(PanelState::Ellipse, {10, 10, 100, 30}, font));
    EXPECT_EQ(ellipse->shape, ShapeType::Ellipse);
    EXPECT_EQ(static_cast<FaxCoverShapes*>(page.Place(PanelState::RoundRectangle, {0, 0, 30, 30}, font))->shape,
              ShapeType::RoundRect);
    auto* symbol = AsText(page.Place(PanelState::SymbolLabel, {10, 10, 300, 300}, font));
    EXPECT_EQ(symbol->font.name, "WingDings");
    EXPECT_LT(symbol->Width(), 300);  // fitted to its character
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(page.Objects().size(), 5U);

    page.Delete({label});
    EXPECT_EQ(page.Place(PanelState::Message, {10, 10, 100, 30}, font)->name, "Special1");
    EXPECT_EQ(page.Place(PanelState::Field, {10, 10, 30, 15}, font)->name, "Special6");
}

TEST(DesignPagePlacing, APlacedObjectIsInThePagesPixelsAtItsZoom) {
    DesignPage page;
    page.ZoomIn();
    page.ZoomIn();
    GraphicControl* box = PlaceBox(page, {33, 44, 55, 66});
    EXPECT_FLOAT_EQ(box->Zoom(), 1.2F);
    EXPECT_EQ(BoundsOf(box), (DesignRect{33, 44, 55, 66}));
}

TEST(DesignPageSelecting, ClicksSelectAloneOrToggleWithShift) {
    DesignPage page;
    GraphicControl* a = PlaceBox(page, {0, 0, 50, 50});
    GraphicControl* b = PlaceBox(page, {30, 30, 50, 50});
    EXPECT_EQ(page.ObjectAt(40, 40), b);
    EXPECT_EQ(page.ObjectAt(10, 10), a);
    EXPECT_EQ(page.ObjectAt(80, 80), nullptr);  // the right and bottom edges are outside

    page.Click(a, false);
    page.Click(b, true);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{a, b}));
    EXPECT_EQ(page.FrameBounds(), (DesignRect{0, 0, 80, 80}));
    page.Click(a, true);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{b}));
    page.Click(a, false);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{a}));
    page.ClearSelection();
    EXPECT_EQ(page.FrameBounds(), DesignRect{});
}

TEST(DesignPageSelecting, AShiftBandTogglesWhatItTouches) {
    DesignPage page;
    GraphicControl* a = PlaceBox(page, {0, 0, 50, 50});
    GraphicControl* b = PlaceBox(page, {100, 0, 50, 50});
    GraphicControl* c = PlaceBox(page, {200, 0, 50, 50});
    GraphicControl* far = PlaceBox(page, {0, 500, 50, 50});
    page.Click(a, false);
    page.Click(b, true);
    page.Click(far, true);
    page.SelectBand({10, 10, 200, 10}, true);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{far, c}));

    // Without Shift the band replaces the selection; touching edges do not count.
    page.SelectBand({50, 0, 50, 60}, false);
    EXPECT_TRUE(page.Selection().empty());
    page.SelectBand({49, 49, 52, 1}, false);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{a, b}));
}

TEST(DesignPageSelecting, UnselectableObjectsAreNeverSelected) {
    DesignPage page;
    GraphicControl* a = PlaceBox(page, {0, 0, 50, 50});
    GraphicControl* b = PlaceBox(page, {100, 0, 50, 50});
    page.SelectAll();
    page.MakeUnselectable(b);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{a}));
    page.Click(b, false);
    page.Click(b, true);
    page.SelectBand({0, 0, 300, 300}, true);  // toggles a off, and b stays out
    EXPECT_TRUE(page.Selection().empty());
    page.SelectBand({0, 0, 300, 300}, false);
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{a}));
    page.SelectAll();
    EXPECT_EQ(page.Selection(), (std::vector<GraphicControl*>{a}));
    page.SetAllUnselectable(true);
    EXPECT_TRUE(page.Selection().empty());
    page.SelectAll();
    EXPECT_TRUE(page.Selection().empty());
    EXPECT_EQ(page.ObjectAt(10, 10), a);  // still found, for the window to click through
}

TEST(DesignPageZoom, StepsStopAtTheFirstValueBeyondTheLimits) {
    DesignPage page;
    EXPECT_EQ(page.ZoomLabel(), "100%");
    int steps = 0;
    while (page.ZoomIn()) ++steps;
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(page.ZoomLabel(), "160%");
    EXPECT_EQ(page.Width(), 1229);  // 768 x 1.6 = 1228.8
    EXPECT_EQ(page.Height(), 1536);
    steps = 0;
    while (page.ZoomOut()) ++steps;
    EXPECT_EQ(steps, 12);
    EXPECT_EQ(page.ZoomLabel(), "40%");
    EXPECT_FLOAT_EQ(page.Zoom(), 0.4F);
    while (page.ZoomIn()) {
    }
    while (page.ZoomOut()) {
    }
    EXPECT_EQ(page.Width(), 307);  // computed afresh, never drifting
}

TEST(DesignPageZoom, InThenOutGivesBackTheExactBounds) {
    const DesignRect typical[] = {{123, 457, 141, 33}, {0, 0, 768, 960}, {5, 7, 25, 15}, {767, 959, 31, 17}};
    DesignPage page;
    std::vector<GraphicControl*> objects;
    for (const DesignRect& rect : typical) objects.push_back(page.Place(PanelState::Message, rect, CoverFont{}));
    page.SelectAll();
    for (int in = 1; in <= 6; ++in) {
        for (int i = 0; i < in; ++i) page.ZoomIn();
        EXPECT_TRUE(page.Selection().empty());
        EXPECT_NE(BoundsOf(objects[0]), typical[0]);
        for (int i = 0; i < in; ++i) page.ZoomOut();
        for (std::size_t i = 0; i < objects.size(); ++i) EXPECT_EQ(BoundsOf(objects[i]), typical[i]) << in << " " << i;
        EXPECT_EQ(page.Width(), DesignPage::kPageWidth);
    }
}

TEST(DesignPageFiles, LoadingReadsZoomOnePixelsAtThePagesZoom) {
    CoverObjects objects;
    test::AddObject<FaxCoverShapes>(objects).SetBounds(100, 200, 50, 20);
    test::AddObject<FaxCoverLine>(objects).SetBounds(1, 2, 3, 4);
    std::vector<std::uint8_t> file = WriteDesignFile(objects);
    DesignPage page;
    page.ZoomIn();
    PlaceBox(page, {0, 0, 30, 30});
    EXPECT_TRUE(page.CanUndo());
    file.resize(file.size() - 3);  // the second object damaged
    EXPECT_EQ(page.Load(file), base::ecFaxBadFormat);
    ASSERT_EQ(page.Objects().size(), 1U);
    EXPECT_EQ(BoundsOf(page.Objects()[0].get()), (DesignRect{110, 220, 55, 22}));
    EXPECT_EQ(page.Objects()[0]->name, "Component0");
    EXPECT_FALSE(page.CanUndo());
}

TEST(DesignPageFiles, SavingDeletesObjectsOffThePageAndWritesZoomOnePixels) {
    struct Case {
        DesignRect bounds;
        bool kept;
    };
    const Case cases[] = {
        {{100, 950, 50, 50}, true},   // top = height - 10
        {{100, 951, 50, 50}, false},  // below it
        {{758, 100, 50, 50}, true},
        {{759, 100, 50, 50}, false},
        {{-500, -500, 50, 50}, true},  // off the top left is not deleted
    };
    test::TempDir dir;
    TemplateFiles files;
    ASSERT_EQ(TemplateFilesOf(dir.folder() + "Memo.FCS", files), base::ecOK);
    const std::tm when{};
    for (const Case& c : cases) {
        DesignPage page;
        GraphicControl* kept = PlaceBox(page, {10, 10, 30, 30});
        GraphicControl* tried = PlaceBox(page, {0, 0, 50, 50});
        page.Click(tried, false);
        page.ApplyFrame({0, 0, 50, 50}, c.bounds);
        ASSERT_EQ(BoundsOf(tried), c.bounds);
        EXPECT_EQ(page.Save(files, "Memo", 96, when), base::ecOK);
        EXPECT_EQ(page.Objects().size(), c.kept ? 2U : 1U) << c.bounds.left << "," << c.bounds.top;
        EXPECT_EQ(page.Objects()[0].get(), kept);
        EXPECT_TRUE(page.Selection().empty());
    }

    // A narrowed object goes too; the file holds zoom-1 pixels while the
    // page keeps its zoom.
    DesignPage page;
    for (int i = 0; i < 3; ++i) page.ZoomIn();
    GraphicControl* box = PlaceBox(page, {130, 260, 39, 39});
    page.Click(PlaceBox(page, {0, 0, 30, 30}), false);
    page.ApplyFrame({0, 0, 30, 30}, {0, 0, 0, 30});
    ASSERT_EQ(page.Save(files, "Memo", 96, when), base::ecOK);
    ASSERT_EQ(page.Objects().size(), 1U);
    EXPECT_EQ(BoundsOf(box), (DesignRect{130, 260, 39, 39}));
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(base::ReadFileBytes(files.design, bytes, 1 << 20, base::ecFaxBadFormat), base::ecOK);
    CoverObjects saved;
    ASSERT_EQ(ReadDesignFile(bytes, saved), base::ecOK);
    ASSERT_EQ(saved.size(), 1U);
    EXPECT_EQ(BoundsOf(saved[0].get()), (DesignRect{100, 200, 30, 30}));
    EXPECT_TRUE(page.Undo());  // the deletion can be taken back
    EXPECT_EQ(page.Objects().size(), 2U);
}

}  // namespace
}  // namespace vl::cover
