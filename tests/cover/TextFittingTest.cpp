#include <gtest/gtest.h>

#include <cmath>

#include "base/ErrorCodes.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLabel.h"
#include "cover/FaxCoverSymbol.h"
#include "cover/TextFitting.h"

namespace vl::cover {
namespace {

TEST(TextFitting, ALabelGrowsToItsCaptionAndABlankButNeverShrinks) {
    FaxCoverLabel label;
    label.SetBounds(7, 9, 1, 1);
    label.caption = "A caption that is wide";
    FitText(label);
    const gfx::TextExtent extent = gfx::MeasureText(ZoomedFont(label), label.caption + " ");
    EXPECT_EQ(label.Width(), extent.width);
    EXPECT_EQ(label.Height(), extent.height);
    EXPECT_EQ(label.Left(), 7);
    EXPECT_GT(extent.width, gfx::MeasureText(ZoomedFont(label), label.caption).width);

    label.caption = "A";
    FitText(label);
    EXPECT_EQ(label.Width(), extent.width);
}

TEST(TextFitting, TheFontIsMeasuredAtTheZoom) {
    FaxCoverField field;
    field.SetFieldType(CoverFieldType::SenderCompany);
    ASSERT_EQ(field.SetZoom(2.5F), base::ecOK);
    EXPECT_EQ(ZoomedFont(field).points, 25);
    field.font.SetPoints(9);
    EXPECT_EQ(ZoomedFont(field).points, 22);
    field.SetBounds(0, 0, 1, 1);
    FitText(field);
    EXPECT_EQ(field.Width(), gfx::MeasureText(ZoomedFont(field), "[Sender Company] ").width);
}

TEST(TextFitting, ASymbolTakesATenthMoreThanItsCharacter) {
    FaxCoverSymbol symbol;
    symbol.font.name = "Arial";
    symbol.caption = "W";
    FitText(symbol);
    const gfx::TextExtent extent = gfx::MeasureText(ZoomedFont(symbol), "W");
    EXPECT_EQ(symbol.Width(), static_cast<int>(std::trunc(1.1 * extent.width)));
    EXPECT_EQ(symbol.Height(), static_cast<int>(std::trunc(1.1 * extent.height)));
    EXPECT_LT(symbol.Width(), kTextObjectWidth);
}

}  // namespace
}  // namespace vl::cover
