#include "cover/CoverRenderer.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "base/ErrorCodes.h"
#include "cover/RenderFile.h"
#include "gfx/TextDrawing.h"
#include "support/RenderRecordSamples.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

int BlackIn(const gfx::MonoBitmap& page, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += page.Black(x, y) ? 1 : 0;
    return count;
}

int BlackOnPage(const gfx::MonoBitmap& page) { return BlackIn(page, 0, 0, page.Width(), page.Height()); }

using test::ShapeRecord;

gfx::MonoBitmap Rendered(const std::vector<RenderRecord>& records, const CoverValues& values,
                         const std::vector<std::string>& message = {}, CoverSize size = CoverSize::FaxPage) {
    gfx::MonoBitmap page;
    EXPECT_EQ(CoverRenderer().Render(records, values, message, size, page), base::ecOK);
    return page;
}

TEST(CoverRendererTest, PagesHaveTheirSizesAndTheDesignSitsNinetyEightPixelsIn) {
    const struct {
        CoverSize size;
        int width;
        int height;
        int boxSide;  // a 40 x 40 design box
    } cases[] = {{CoverSize::FaxPage, 1728, 2156, 40}, {CoverSize::Preview, 816, 1056, 20}};
    for (const auto& c : cases) {
        const gfx::MonoBitmap page = Rendered({ShapeRecord(0, 2, 0, 0, 40, 40)}, {}, {}, c.size);
        EXPECT_EQ(page.Width(), c.width);
        EXPECT_EQ(page.Height(), c.height);
        EXPECT_EQ(BlackOnPage(page), c.boxSide * c.boxSide);
        EXPECT_EQ(BlackIn(page, 98, 98, 98 + c.boxSide, 98 + c.boxSide), c.boxSide * c.boxSide);
    }
}

TEST(CoverRendererTest, ObjectsAtTheDesignPagesFarCornerStayOnTheFaxPage) {
    // The design page is 768 x 960 at double size.
    const gfx::MonoBitmap page = Rendered({ShapeRecord(4, 2, 1536 - 100, 1920 - 100, 100, 100)}, {});
    EXPECT_TRUE(page.Black(98 + 1536 - 50, 98 + 1920 - 50));
    EXPECT_EQ(BlackIn(page, 98 + 1536, 0, 1728, 2156), 0);
    EXPECT_EQ(BlackIn(page, 0, 98 + 1920, 1728, 2156), 0);
}

TEST(CoverRendererTest, FieldsShowTheirValueAtTheRecordsPlaceAndSize) {
    CoverValues values;
    values.recipient = "Jane Receiver";
    values.senderPhone = "555 0100";
    const struct {
        int fieldType;
        const char* shown;
    } cases[] = {{3, "Jane Receiver"}, {8, "555 0100"}, {9, ""}, {-1, ""}};
    for (const auto& c : cases) {
        const RenderRecord field = test::FieldRecord(c.fieldType, 200, 300, 400, 60, 24);
        gfx::MonoBitmap expected(1728, 2156);
        gfx::FontSpec font;
        font.points = 24;
        gfx::DrawText(expected, 298, 398, c.shown, font);
        EXPECT_EQ(Rendered({field}, values), expected) << c.fieldType;
    }
}

TEST(CoverRendererTest, ThePreviewHalvesPositionsAndFontSizes) {
    CoverValues values;
    values.regarding = "Quarterly figures";
    const RenderRecord field = test::FieldRecord(2, 200, 300, 400, 60, 24);
    gfx::MonoBitmap expected(816, 1056);
    gfx::FontSpec font;
    font.points = 12;
    gfx::DrawText(expected, 198, 248, "Quarterly figures", font);
    EXPECT_EQ(Rendered({field}, values, {}, CoverSize::Preview), expected);
}

TEST(CoverRendererTest, TheImportanceLineShowsOnlyWithAFlagAndMarksTheSetOnes) {
    const RenderRecord line = test::TextRecord(RecordKind::Importance, 0, 0, 1400, 40, 24);
    EXPECT_EQ(BlackOnPage(Rendered({line}, {})), 0);

    gfx::FontSpec font;
    font.points = 24;
    const int urgentBox0 = 98 + gfx::MeasureText(font, "[").width;
    const int urgentBox1 = 98 + gfx::MeasureText(font, "[  ").width;
    const int height = gfx::MeasureText(font, "X").height;
    const struct {
        ImportanceFlag flag;
        bool urgentMarked;
    } cases[] = {{kUrgent, true}, {kForReview, false}, {kPleaseRecycle, false}};
    for (const auto& c : cases) {
        CoverValues values;
        values.flags[c.flag] = true;
        const gfx::MonoBitmap page = Rendered({line}, values);
        EXPECT_GT(BlackOnPage(page), 0);
        EXPECT_EQ(BlackIn(page, urgentBox0, 98, urgentBox1, 98 + height) > 0, c.urgentMarked) << c.flag;
    }
    // Every mark adds ink: all five flags ink more than one.
    CoverValues one;
    one.flags[kUrgent] = true;
    CoverValues all;
    all.flags.fill(true);
    EXPECT_GT(BlackOnPage(Rendered({line}, all)), BlackOnPage(Rendered({line}, one)));
}

TEST(CoverRendererTest, TheMessageIsWrappedInItsBoxAndCutAtItsBottom) {
    const std::vector<std::string> message(40, "Please find the signed contract attached to this fax.");
    const RenderRecord box = test::TextRecord(RecordKind::Message, 100, 200, 600, 300, 24);
    const gfx::MonoBitmap page = Rendered({box}, {}, message);
    const int x0 = 198, y0 = 298, x1 = 798, y1 = 598;
    EXPECT_EQ(BlackOnPage(page), BlackIn(page, x0, y0, x1, y1));
    EXPECT_GT(BlackIn(page, x0, y1 - 20, x1, y1), 0);
}

TEST(CoverRendererTest, ShapesAndLinesFollowTheirStyle) {
    const RenderRecord diagonal = test::LineRecord(2, 0, 0, 100, 100);  // bottom left to top right
    const gfx::MonoBitmap line = Rendered({diagonal}, {});
    EXPECT_TRUE(line.Black(98 + 50, 98 + 50));
    EXPECT_FALSE(line.Black(98 + 2, 98 + 2));
    EXPECT_TRUE(line.Black(98, 98 + 100));

    // A white-filled shape erases what lies under it; an unknown shape draws nothing.
    const gfx::MonoBitmap covered =
        Rendered({ShapeRecord(0, 2, 0, 0, 100, 100), ShapeRecord(2, 1, 20, 20, 60, 60), ShapeRecord(6, 2, 0, 0, 400, 400)}, {});
    EXPECT_FALSE(covered.Black(98 + 50, 98 + 50));
    EXPECT_TRUE(covered.Black(98 + 10, 98 + 10));
    EXPECT_FALSE(covered.Black(98 + 200, 98 + 200));
}

TEST(CoverRendererTest, AYieldCodeStopsTheRendering) {
    CoverRenderer renderer;
    int turns = 0;
    renderer.SetYield([&turns] { return ++turns == 1 ? base::ecGotQuitMsg : base::ecOK; });
    gfx::MonoBitmap page;
    EXPECT_EQ(renderer.Render({ShapeRecord(0, 2, 0, 0, 10, 10), ShapeRecord(0, 2, 100, 100, 10, 10)}, {}, {},
                              CoverSize::FaxPage, page),
              base::ecGotQuitMsg);
    EXPECT_EQ(turns, 1);
    EXPECT_EQ(BlackOnPage(page), 100);
}

TEST(CoverRendererTest, ExtremeNumbersInATemplateDrawWithoutFault) {
    const std::int32_t extremes[] = {INT32_MIN, -1, INT32_MAX};
    const RecordKind kinds[] = {RecordKind::Label,      RecordKind::Shape, RecordKind::Line,
                                RecordKind::Importance, RecordKind::Field, RecordKind::Message};
    CoverValues values;
    values.flags.fill(true);
    for (const std::int32_t n : extremes) {
        for (const RecordKind kind : kinds) {
            // Extreme everywhere, and extreme sizes from the page's corner.
            for (const std::int32_t at : {n, 0}) {
                RenderRecord record = test::TextRecord(kind, at, at, n, n, n);
                record.text = "x";
                record.valueA = 2;
                record.valueB = 2;
                record.valueC = n;
                record.valueD = 3;
                record.valueE = n;
                record.valueF = n;
                gfx::MonoBitmap page;
                EXPECT_EQ(CoverRenderer().Render({record}, values, {"message"}, CoverSize::Preview, page), base::ecOK);
            }
        }
    }
}

TEST(CoverRendererTest, ADamagedRenderFileDrawsTheObjectsBeforeTheDamage) {
    const std::vector<RenderRecord> records = {ShapeRecord(0, 2, 0, 0, 10, 10), ShapeRecord(0, 2, 100, 0, 10, 10),
                                               ShapeRecord(0, 2, 200, 0, 10, 10)};
    const std::vector<std::uint8_t> whole = WriteRenderFile(records);
    const std::vector<std::uint8_t> two = WriteRenderFile({records[0], records[1]});
    test::TempDir dir;
    // Cut inside the third record.
    test::WriteFile(dir.path() / "cut.fct", std::string(whole.begin(), whole.begin() + (two.size() + whole.size()) / 2));
    gfx::MonoBitmap page;
    EXPECT_EQ(CoverRenderer().RenderFile((dir.path() / "cut.fct").string(), {}, {}, CoverSize::FaxPage, page),
              base::ecOK);
    EXPECT_EQ(page, Rendered({records[0], records[1]}, {}));
    EXPECT_EQ(BlackOnPage(page), 200);

    EXPECT_EQ(CoverRenderer().RenderFile((dir.path() / "missing.fct").string(), {}, {}, CoverSize::Preview, page),
              base::ecOK);
    EXPECT_EQ(page.Width(), 816);
    EXPECT_EQ(BlackOnPage(page), 0);
}

}  // namespace
}  // namespace vl::cover
