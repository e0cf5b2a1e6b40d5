#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLabel.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverMessage.h"
#include "cover/FaxCoverShapes.h"
#include "cover/RenderRecords.h"
#include "support/CoverObjectSamples.h"
#include "support/RenderRecordSamples.h"

namespace vl::cover {
namespace {

using test::AddObject;

TEST(RenderRecords, LengthsAndPenWidthsAreDoubled) {
    CoverObjects objects;
    auto& shape = AddObject<FaxCoverShapes>(objects);
    shape.SetBounds(10, 11, 12, 13);
    shape.pen.width = 3;
    shape.shape = ShapeType::Ellipse;
    shape.fillType = ShapeFillType::FilledWhite;
    shape.roundPercent = 40;
    auto& line = AddObject<FaxCoverLine>(objects);
    line.SetBounds(std::numeric_limits<std::int32_t>::max(), -4, 0, 5);
    line.pen.width = 3;
    line.lineStyle = LineStyle::AngleSlopingUp;

    const std::vector<RenderRecord> records = RenderRecords(objects, 96);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], test::ShapeRecord(4, 1, 20, 22, 24, 26, 6, 40));
    EXPECT_EQ(records[1], test::LineRecord(2, std::numeric_limits<std::int32_t>::max(), -8, 0, 10, 6));
}

TEST(RenderRecords, TheSizeCodeFollowsTheScreenResolution) {
    struct Case {
        int points, dpi, code;
    };
    for (const Case& c : std::vector<Case>{{10, 96, 20}, {10, 120, 25}, {9, 120, 22}, {24, 72, 36}}) {
        CoverObjects objects;
        AddObject<FaxCoverLabel>(objects).font.SetPoints(c.points);
        EXPECT_EQ(RenderRecords(objects, c.dpi)[0].fontSizeCode, c.code) << c.points << " pt at " << c.dpi;
    }
}

TEST(RenderRecords, OnlyLabelsAndSymbolsCarryTheirTextOnlyFieldsTheirType) {
    CoverObjects objects;
    auto& label = AddObject<FaxCoverLabel>(objects);
    label.caption = "To:";
    label.font.italic = true;
    AddObject<FaxCoverField>(objects).SetFieldType(CoverFieldType::SenderFax);
    AddObject<FaxCoverMessage>(objects);
    const std::vector<RenderRecord> records = RenderRecords(objects, 96);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].text, "To:");
    EXPECT_TRUE(records[0].italic);
    EXPECT_EQ(records[0].fontName, "Arial");
    EXPECT_EQ(records[0].valueF, -1);
    EXPECT_EQ(records[1].text, "");
    EXPECT_EQ(records[1].kind, RecordKind::Field);
    EXPECT_EQ(records[1].valueF, 7);
    EXPECT_EQ(records[2].text, "");
    EXPECT_EQ(records[2].valueF, -1);
    EXPECT_EQ(records[2].valueC, -1);
}

}  // namespace
}  // namespace vl::cover
