#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "base/ErrorCodes.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLabel.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverSymbol.h"

namespace vl::cover {
namespace {

struct Box {
    std::int32_t left, top, width, height;
    bool operator==(const Box&) const = default;
};

Box BoxOf(const GraphicControl& object) { return {object.Left(), object.Top(), object.Width(), object.Height()}; }

TEST(CoverObjects, ZoomRoundsHalvesToTheEvenNeighbour) {
    struct Case {
        float zoom;
        Box from, to;
    };
    const std::vector<Case> cases = {
        {0.5F, {5, 7, 9, 11}, {2, 4, 4, 6}},
        {1.5F, {1, 3, 5, 7}, {2, 4, 8, 10}},
        {2.0F, {-3, 0, 100, 1}, {-6, 0, 200, 2}},
    };
    for (const Case& c : cases) {
        FaxCoverLine line;
        line.SetBounds(c.from.left, c.from.top, c.from.width, c.from.height);
        EXPECT_EQ(line.SetZoom(c.zoom), base::ecOK);
        EXPECT_EQ(BoxOf(line), c.to) << c.zoom;
    }
}

TEST(CoverObjects, ZoomScalesFromTheCurrentZoom) {
    FaxCoverLine line;
    line.SetBounds(10, 20, 30, 40);
    ASSERT_EQ(line.SetZoom(2.0F), base::ecOK);
    ASSERT_EQ(line.SetZoom(0.5F), base::ecOK);
    EXPECT_EQ(BoxOf(line), (Box{5, 10, 15, 20}));
    EXPECT_EQ(line.Zoom(), 0.5F);
    for (float bad : {0.0F, -1.0F, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(line.SetZoom(bad), base::ecBadArgument);
    EXPECT_EQ(BoxOf(line), (Box{5, 10, 15, 20}));
}

TEST(CoverObjects, TextObjectsNeverShrinkBelowOnePixel) {
    FaxCoverLabel label;
    label.SetBounds(4, 4, 0, -5);
    EXPECT_EQ(BoxOf(label), (Box{4, 4, 1, 1}));
    label.SetBounds(4, 4, 1, 1);
    ASSERT_EQ(label.SetZoom(0.25F), base::ecOK);
    EXPECT_EQ(BoxOf(label), (Box{1, 1, 1, 1}));

    FaxCoverLine line;
    line.SetBounds(4, 4, 1, 0);
    ASSERT_EQ(line.SetZoom(0.25F), base::ecOK);
    EXPECT_EQ(BoxOf(line), (Box{1, 1, 0, 0}));
}

TEST(CoverObjects, FontColourIsBlackUnlessWhite) {
    for (std::uint32_t picked : {0x000000u, 0xFFFFFFu, 0x0000FFu, 0xFEFFFFu, 0x01000000u}) {
        FaxCoverLabel label;
        CoverFont font;
        font.color = picked;
        font.name = "Courier";
        label.PickFont(font);
        EXPECT_EQ(label.font.color, picked == 0xFFFFFF ? kColorWhite : kColorBlack) << picked;
        EXPECT_EQ(label.font.name, "Courier");
    }
}

TEST(CoverObjects, FontSizeAndHeightConvert) {
    struct Case {
        int points;
        std::int32_t height;
    };
    for (const Case& c : std::vector<Case>{{10, -13}, {24, -32}, {8, -11}, {9, -12}, {72, -96}}) {
        CoverFont font;
        font.SetPoints(c.points);
        EXPECT_EQ(font.height, c.height) << c.points;
        EXPECT_EQ(font.Points(), c.points) << c.points;
    }
    EXPECT_EQ(FaxCoverSymbol().font.height, -32);
}

TEST(CoverObjects, ChoosingAFieldTypeSetsItsCaption) {
    FaxCoverField field;
    EXPECT_EQ(field.caption, "[Date]");
    field.SetFieldType(CoverFieldType::SenderVoice);
    EXPECT_EQ(field.caption, "[Sender Phone]");
    field.SetFieldType(CoverFieldType::RecipientFax);
    EXPECT_EQ(field.caption, "[Recipient Fax]");
    EXPECT_EQ(field.FieldType(), CoverFieldType::RecipientFax);
}

}  // namespace
}  // namespace vl::cover
