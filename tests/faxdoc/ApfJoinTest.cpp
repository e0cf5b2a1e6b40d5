// Joining a cover and a body into one fax file.
#include "faxdoc/ApfJoin.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "faxdoc/VlFaxConverter.h"
#include "faxdoc/VlFaxUnpacker.h"
#include "support/TestSupport.h"

namespace vl::faxdoc {
namespace {

class ApfJoinTest : public ::testing::Test {
protected:
    // A one-page fine fax of `height` rows, each black to `ink` pixels.
    std::string Fax(const std::string& name, int height, int ink) {
        gfx::MonoBitmap bitmap(1728, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < ink; ++x) bitmap.SetBlack(x, y, true);
        VlFaxConverter converter;
        converter.SetOptions(0);
        converter.SetLeftMargin(0);
        converter.SetResolution(FaxResolution::frHigh);
        converter.SetOutFileName(Path(name));
        converter.ConvertBitmapToFile(bitmap);
        return Path(name);
    }
    std::string Path(const std::string& name) const { return dir.folder() + name; }

    test::TempDir dir;
};

TEST_F(ApfJoinTest, TheBodysPagesFollowTheCovers) {
    ASSERT_TRUE(JoinApfFiles(Path("T.APF"), Fax("C.APF", 30, 800), Fax("B.APF", 50, 400)));
    VlFaxUnpacker unpacker;
    unpacker.SetInFileName(Path("T.APF"));
    unpacker.SetAutoScaleMode(AutoScaleMode::asNone);
    ASSERT_EQ(unpacker.CountPages(), 2);
    EXPECT_EQ(unpacker.DecodePageToBitmap(1).Width(), 800);
    EXPECT_EQ(unpacker.DecodePageToBitmap(2).Height(), 50);
    // Three pages when the joined file is joined again.
    ASSERT_TRUE(JoinApfFiles(Path("T3.APF"), Path("T.APF"), Path("B.APF")));
    unpacker.SetInFileName(Path("T3.APF"));
    EXPECT_EQ(unpacker.CountPages(), 3);
}

TEST_F(ApfJoinTest, AFileThatIsNoFaxStopsTheJoinWhereItIsMet) {
    const std::string fax = Fax("C.APF", 10, 100);
    test::WriteFile(Path("text.APF"), std::string(100, 'x'));
    EXPECT_FALSE(JoinApfFiles(Path("T1.APF"), fax, Path("text.APF")));
    EXPECT_EQ(test::ReadFile(Path("T1.APF")), test::ReadFile(fax));
    EXPECT_FALSE(JoinApfFiles(Path("T2.APF"), Path("text.APF"), fax));
    EXPECT_EQ(test::ReadFile(Path("T2.APF")), "");
    EXPECT_FALSE(JoinApfFiles(Path("T3.APF"), fax, Path("none.APF")));
    EXPECT_FALSE(std::filesystem::exists(Path("T3.APF")));
}

}  // namespace
}  // namespace vl::faxdoc
