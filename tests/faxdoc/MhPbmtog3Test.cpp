// Pages coded by netpbm's pbmtog3 decode to the pixels of the image it coded,
// and the decoded page exported as PBM is that image again.
#include <gtest/gtest.h>

#include "FaxTestPages.h"
#include "MhDecodeHarness.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/MhDecoder.h"
#include "faxdoc/PageExport.h"
#include "faxdoc/Unpacker.h"
#include "support/TestSupport.h"

namespace vl::faxtest {
namespace {

using faxdoc::PageImage;

PageImage FullBlackRows(int width) {
    PageImage page = BlankRaster(width, 12);
    for (int y : {0, 5, 6, 11}) {
        for (int x = 0; x < width; ++x) SetPixel(page, x, y);
    }
    for (int x = 0; x < width; x += 2) SetPixel(page, x, 8);  // the shortest runs there are
    SetPixel(page, width - 1, 3);
    return page;
}

TEST(MhPbmtog3, DecodedLinesAreTheImageRows) {
    for (int width : {1728, 2048}) {
        const PageImage rasters[] = {TextLikeRaster(width, 200, 21), NoiseRaster(width, 30, 22, 0.5),
                                     NoiseRaster(width, 30, 23, 0.03), FullBlackRows(width),
                                     BlankRaster(width, 5)};
        for (const PageImage& raster : rasters) {
            const Decoded d = DecodeWith<faxdoc::MhDecoder>(Pbmtog3(raster));
            EXPECT_EQ(d.badCodes, 0);
            EXPECT_TRUE(d.ended);
            EXPECT_TRUE(d.lines == RowsOf(raster)) << "width " << width;
        }
    }
}

TEST(MhPbmtog3, PbmExportOfTheDecodedPageIsTheOriginalImage) {
    test::TempDir dir;
    for (int width : {1728, 2048}) {
        const PageImage raster = FullBlackRows(width);  // black up to the last byte: full width kept
        std::string original;
        ASSERT_EQ(faxdoc::EncodePbm(raster, original), 0);
        faxdoc::UnpackOptions options;
        options.aspect = faxdoc::AspectMode::None;
        PageImage page;
        ASSERT_EQ(faxdoc::UnpackPage(Pbmtog3(raster), faxdoc::ifHighResolution, options, page), 0);
        std::string exported;
        ASSERT_EQ(faxdoc::EncodePbm(page, exported), 0);
        EXPECT_TRUE(exported == original);
        // netpbm reads it back unchanged.
        test::WriteFile(dir.path() / "page.pbm", exported);
        const test::RunResult r = test::Run("/usr/bin/pamtopnm", {(dir.path() / "page.pbm").string()});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out == original);
    }
}

}  // namespace
}  // namespace vl::faxtest
