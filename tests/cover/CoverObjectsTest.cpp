#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "cover/CoverObjects.h"
#include "cover/DesignFile.h"
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

TEST(CoverObjects, AClonedObjectKeepsEveryPropertyAndItsZoom) {
    CoverObjects objects;
    for (int kind = 0; kind <= static_cast<int>(RecordKind::Message); ++kind) {
        std::unique_ptr<GraphicControl> object = MakeCoverObject(static_cast<RecordKind>(kind));
        object->SetBounds(kind, 2 * kind, 30 + kind, 40 + kind);
        object->name = "Special" + std::to_string(kind);
        object->hint = "a hint";
        object->locked = kind % 2 == 0;
        ASSERT_EQ(object->SetZoom(1.3F), base::ecOK);
        if (FaxCoverBaseLabel* text = AsText(object.get())) text->caption = "caption " + std::to_string(kind);
        objects.push_back(std::move(object));
    }
    static_cast<FaxCoverLine&>(*objects[3]).pen.width = 7;
    const CoverObjects copies = CloneCoverObjects(objects);
    ASSERT_EQ(copies.size(), objects.size());
    EXPECT_EQ(WriteDesignFile(copies), WriteDesignFile(objects));
    for (std::size_t i = 0; i < copies.size(); ++i) {
        EXPECT_NE(copies[i].get(), objects[i].get());
        EXPECT_EQ(copies[i]->Kind(), objects[i]->Kind());
        EXPECT_EQ(copies[i]->Zoom(), 1.3F);
    }
    EXPECT_EQ(AsText(objects[2].get()), nullptr);
    EXPECT_EQ(AsText(objects[3].get()), nullptr);
    EXPECT_EQ(AsText(nullptr), nullptr);
}

}  // namespace
}  // namespace vl::cover
