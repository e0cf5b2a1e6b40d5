// The shipped cover templates copied into the user's covers folder.
#include "app/DefaultTemplates.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

namespace fs = std::filesystem;

class DefaultTemplates : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(shipped_.path() / "Covers");
        for (const char* name : {"vl0001", "vl0002"})
            for (const char* extension : {".fcs", ".fct", ".des", ".bmp"})
                WriteFile(shipped_.path() / "Covers" / (std::string(name) + extension), std::string(name) + extension);
        WriteFile(shipped_.path() / "Covers" / "README.txt", "not a template");
    }

    std::string Shipped() const { return shipped_.folder() + "Covers/"; }

    TempDir shipped_;
    TempDir covers_;
};

TEST_F(DefaultTemplates, AMissingTemplateIsCopiedWholeAndAPresentOneIsNeverTouched)
{
    // The user's own version of the second, in other letter case and without
    // its other files.
    WriteFile(covers_.path() / "VL0002.FCT", "mine");
    ASSERT_EQ(app::CopyMissingTemplates(Shipped(), covers_.folder()), 0);
    for (const char* extension : {".fcs", ".fct", ".des", ".bmp"})
        EXPECT_EQ(ReadFile(covers_.path() / (std::string("vl0001") + extension)), std::string("vl0001") + extension);
    EXPECT_EQ(ReadFile(covers_.path() / "VL0002.FCT"), "mine");
    EXPECT_FALSE(fs::exists(covers_.path() / "vl0002.fcs"));
    EXPECT_FALSE(fs::exists(covers_.path() / "README.txt"));

    // The next start keeps what the user changed.
    WriteFile(covers_.path() / "vl0001.des", "My business cover\n");
    ASSERT_EQ(app::CopyMissingTemplates(Shipped(), covers_.folder()), 0);
    EXPECT_EQ(ReadFile(covers_.path() / "vl0001.des"), "My business cover\n");
}

TEST_F(DefaultTemplates, ACopyCutShortIsTakenUpAtTheNextStart)
{
    // A folder where the first template's picture goes cannot be replaced.
    fs::create_directories(covers_.path() / "vl0001.bmp" / "inside");
    EXPECT_LT(app::CopyMissingTemplates(Shipped(), covers_.folder()), 0);
    EXPECT_FALSE(fs::exists(covers_.path() / "vl0001.fct"));
    EXPECT_TRUE(fs::exists(covers_.path() / "vl0002.fct"));

    fs::remove_all(covers_.path() / "vl0001.bmp");
    ASSERT_EQ(app::CopyMissingTemplates(Shipped(), covers_.folder()), 0);
    EXPECT_EQ(ReadFile(covers_.path() / "vl0001.bmp"), "vl0001.bmp");
    EXPECT_EQ(ReadFile(covers_.path() / "vl0001.fct"), "vl0001.fct");

    EXPECT_LT(app::CopyMissingTemplates(shipped_.folder() + "none/", covers_.folder()), 0);
}

}  // namespace
}  // namespace vl::test
