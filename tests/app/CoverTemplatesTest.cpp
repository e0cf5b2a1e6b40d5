// The templates a folder offers, found in any letter case, with their
// previews and descriptions.
#include "app/CoverTemplates.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

TEST(CoverTemplates, RenderFilesInAnyLetterCaseWithTheirPicturesAndDescriptions)
{
    TempDir dir;
    const std::string folder = dir.folder();
    for (const char* name : {"vl0002.fct", "VL0001.FCT", "Plain.Fct", "vl0001.fcs", "notes.txt", "VL0001.BMP"})
        WriteFile(folder + name, "");
    std::filesystem::create_directory(folder + "folder.fct");
    WriteFile(folder + "vl0001.des", "Business cover\r\nsecond line\r\n");
    WriteFile(folder + "vl0002.DES", "");
    WriteFile(folder + "plain.des", "Gr\xFC\xDF" "e\n");

    EXPECT_EQ(app::CoverTemplateNames(folder), (std::vector<std::string>{"Plain.Fct", "VL0001.FCT", "vl0002.fct"}));
    EXPECT_EQ(app::CoverPreviewFile(folder, "VL0001.FCT"), folder + "VL0001.BMP");
    EXPECT_EQ(app::CoverPreviewFile(folder, "vl0002.fct"), "");
    EXPECT_EQ(app::CoverDescription(folder, "VL0001.FCT"), "Business cover");
    EXPECT_EQ(app::CoverDescription(folder, "vl0002.fct"), "");
    EXPECT_EQ(app::CoverDescription(folder, "Plain.Fct"), "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_EQ(app::CoverDescription(folder, "missing.fct"), "");
    EXPECT_TRUE(app::CoverTemplateNames(folder + "no-such-folder/").empty());
}

}  // namespace
}  // namespace vl::test
