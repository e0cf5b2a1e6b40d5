#include "cover/CoverPreview.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/ErrorCodes.h"
#include "cover/RenderFile.h"
#include "support/RenderRecordSamples.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

TEST(CoverPreviewTest, ThePictureLiesBesideTheTemplateAndShowsTheSampleValues) {
    const RenderRecord sender = test::FieldRecord(5, 0, 0, 400, 40, 24);
    RenderRecord flags = sender;
    flags.kind = RecordKind::Importance;
    flags.top = 100;
    test::TempDir dir;
    const std::vector<std::uint8_t> bytes = WriteRenderFile({sender, flags});
    test::WriteFile(dir.path() / "mine.FCT", std::string(bytes.begin(), bytes.end()));

    std::tm when{};
    when.tm_year = 126;
    when.tm_mday = 9;
    const std::string picture = dir.folder() + "mine.bmp";
    ASSERT_EQ(MakePreviewPicture(dir.folder() + "mine.FCT", picture, when), base::ecOK);

    // netpbm reads it back: the preview size, with "Your Name" in the first
    // field's rows (98 + 0 .. 98 + 20) and the Urgent line below.
    const test::RunResult pbm = test::Run("/usr/bin/bmptopnm", {picture});
    ASSERT_EQ(pbm.status, 0) << pbm.err;
    ASSERT_EQ(pbm.out.rfind("P4\n816 1056\n", 0), 0u) << pbm.out.substr(0, 20);
    const std::string bits = pbm.out.substr(std::string("P4\n816 1056\n").size());
    const auto inked = [&bits](int y0, int y1) {
        return bits.substr(static_cast<std::size_t>(y0) * 102, static_cast<std::size_t>(y1 - y0) * 102)
                   .find_first_not_of('\0') != std::string::npos;
    };
    EXPECT_FALSE(inked(0, 98));
    EXPECT_TRUE(inked(98, 118));
    EXPECT_TRUE(inked(148, 168));
    EXPECT_FALSE(inked(200, 1056));
}

TEST(CoverPreviewTest, AnUnwritableFolderAnswersACode) {
    test::TempDir dir;
    EXPECT_EQ(MakePreviewPicture(dir.folder() + "t.fct", dir.folder() + "no/such/t.bmp", {}), base::ecCantWriteFile);
}

}  // namespace
}  // namespace vl::cover
