#include "cover/CoverFaxFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/ErrorCodes.h"
#include "cover/CoverRenderer.h"
#include "cover/RenderFile.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/Unpacker.h"
#include "support/RenderRecordSamples.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

// A cover with ink near every edge of the design page: text, a field, a frame and a diagonal.
std::vector<RenderRecord> BusyTemplate() {
    RenderRecord label = test::TextRecord(RecordKind::Label, 0, 0, 600, 60, 28);
    label.text = "FAX COVER";
    return {test::ShapeRecord(2, 0, 0, 0, 1536, 1920, 4, 5), label, test::FieldRecord(3, 100, 200, 600, 60, 28),
            test::LineRecord(3, 0, 400, 1536, 1000, 4)};
}

// The decoder keeps a page only as wide as its longest coded line; the rest is white.
gfx::MonoBitmap PageOf(const faxdoc::PageImage& image, int width) {
    gfx::MonoBitmap page(width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) page.SetBlack(x, y, image.Black(x, y));
    return page;
}

TEST(CoverFaxFileTest, TheFaxFileDecodesBackToTheRenderedPage) {
    CoverValues values;
    values.recipient = "Jane Receiver";
    gfx::MonoBitmap page;
    ASSERT_EQ(CoverRenderer().Render(BusyTemplate(), values, {}, CoverSize::FaxPage, page), base::ecOK);
    test::TempDir dir;
    const std::string apf = dir.folder() + "COVER.APF";
    ASSERT_EQ(WriteCoverFax(page, apf), base::ecOK);

    faxdoc::ApfFileHeader header;
    faxdoc::ApfPageHeader pageHeader;
    ASSERT_EQ(faxdoc::ApfFindPage(apf, 1, header, pageHeader), base::ecOK);
    EXPECT_EQ(header.pageCount, 1);
    EXPECT_TRUE(pageHeader.HighResolution());
    faxdoc::PageImage image;
    ASSERT_EQ(faxdoc::UnpackApfPage(apf, 1, {}, image), base::ecOK);
    ASSERT_LE(image.width, page.Width());
    EXPECT_EQ(image.height, page.Height());
    EXPECT_TRUE(PageOf(image, page.Width()) == page);
}

TEST(CoverFaxFileTest, AMissingTemplateStillGivesABlankCover) {
    test::TempDir dir;
    const std::string target = dir.folder() + "COV00000.APF";
    ASSERT_EQ(MakeCoverFile(dir.folder() + "none.fct", {}, {}, target), base::ecOK);
    EXPECT_TRUE(std::filesystem::exists(target));
}

TEST(CoverFaxFileTest, AnUnwritableTargetAnswersACodeAndAYieldCodeStopsTheWork) {
    gfx::MonoBitmap page(1728, 2156);
    test::TempDir dir;
    EXPECT_LT(WriteCoverFax(page, dir.folder() + "no/such/folder/C.APF"), 0);

    const std::string renderFile = dir.folder() + "busy.fct";
    const std::vector<std::uint8_t> bytes = WriteRenderFile(BusyTemplate());
    test::WriteFile(renderFile, std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(MakeCoverFile(renderFile, {}, {}, dir.folder() + "COV00000.APF", [] { return base::ecGotQuitMsg; }),
              base::ecGotQuitMsg);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "COV00000.APF"));
}

}  // namespace
}  // namespace vl::cover
