// Doubling, halving and centring decisions at their edges.
#include <gtest/gtest.h>

#include "faxdoc/ImageFit.h"

namespace vl::faxdoc {
namespace {

FitRequest Request(bool normal, int margin = 0) {
    FitRequest r;
    r.normalResolution = normal;
    r.leftMargin = margin;
    r.doubleWidth = true;
    r.halfHeight = true;
    return r;
}

TEST(ImageFitTest, DoublingNeedsNormalResolutionAndRoom) {
    EXPECT_TRUE(FitImage(Request(true), 864, FitRule::File).doubleWidth);
    EXPECT_FALSE(FitImage(Request(false), 864, FitRule::File).doubleWidth);
    EXPECT_FALSE(FitImage(Request(true), 865, FitRule::File).doubleWidth);
    // Files count the margin once, bitmaps twice.
    EXPECT_TRUE(FitImage(Request(true, 8), 860, FitRule::File).doubleWidth);
    EXPECT_FALSE(FitImage(Request(true, 8), 860, FitRule::Bitmap).doubleWidth);
    EXPECT_TRUE(FitImage(Request(true, 8), 856, FitRule::Bitmap).doubleWidth);
    FitRequest off = Request(true);
    off.doubleWidth = false;
    EXPECT_FALSE(FitImage(off, 100, FitRule::File).doubleWidth);
}

TEST(ImageFitTest, HalvingOnlyWhenNotDoubledAtNormalResolution) {
    EXPECT_FALSE(FitImage(Request(true), 864, FitRule::File).halfHeight);
    EXPECT_TRUE(FitImage(Request(true), 1000, FitRule::File).halfHeight);
    EXPECT_FALSE(FitImage(Request(false), 1000, FitRule::File).halfHeight);
    FitRequest off = Request(true);
    off.halfHeight = false;
    EXPECT_FALSE(FitImage(off, 1000, FitRule::File).halfHeight);
}

TEST(ImageFitTest, CentringOffsets) {
    FitRequest r;
    r.centerImage = true;
    EXPECT_EQ(FitImage(r, 1700, FitRule::File).offsetBytes, 1);  // 28 / 16
    EXPECT_EQ(FitImage(r, 1713, FitRule::File).offsetBytes, 0);  // 15 pixels spare: left alone
    EXPECT_EQ(FitImage(r, 1696, FitRule::File).offsetBytes, 2);
    EXPECT_EQ(FitImage(r, 2000, FitRule::File).offsetBytes, 0);  // wider than the page
    r.leftMargin = 50;
    EXPECT_EQ(FitImage(r, 1700, FitRule::Bitmap).offsetBytes, 0);  // -22 / 16 taken as 0
    EXPECT_EQ(FitImage(r, 1000, FitRule::Bitmap).offsetBytes, (1728 - 1000 - 50) / 16);
    r.pageWidth = 2048;
    r.leftMargin = 0;
    EXPECT_EQ(FitImage(r, 1728, FitRule::File).offsetBytes, 20);
    r.centerImage = false;
    EXPECT_EQ(FitImage(r, 100, FitRule::File).offsetBytes, 0);
}

TEST(ImageFitTest, DoubledImagesCentreOnTheirDoubledWidth) {
    FitRequest r = Request(true, 16);
    r.centerImage = true;
    EXPECT_EQ(FitImage(r, 600, FitRule::File).offsetBytes, (1728 - 1200) / 32);
    EXPECT_EQ(FitImage(r, 600, FitRule::Bitmap).offsetBytes, (1728 - 2 * 616) / 32);
}

}  // namespace
}  // namespace vl::faxdoc
