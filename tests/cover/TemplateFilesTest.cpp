#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "base/ErrorCodes.h"
#include "cover/DescriptionFile.h"
#include "cover/TemplateFiles.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

TEST(TemplateFiles, TheOtherThreeReplaceTheExtensionInItsLetterCase) {
    test::TempDir dir;
    const std::string folder = dir.folder();
    TemplateFiles files;
    ASSERT_EQ(TemplateFilesOf(folder + "Memo.FCS", files), base::ecOK);
    EXPECT_EQ(files.design, folder + "Memo.FCS");
    EXPECT_EQ(files.render, folder + "Memo.FCT");
    EXPECT_EQ(files.description, folder + "Memo.DES");
    EXPECT_EQ(files.preview, folder + "Memo.BMP");
    ASSERT_EQ(TemplateFilesOf(folder + "a.b.fcs", files), base::ecOK);
    EXPECT_EQ(files.render, folder + "a.b.fct");

    // A file that exists in another letter case is found as it is spelled.
    test::WriteFile(dir.path() / "memo.bmp", "");
    ASSERT_EQ(TemplateFilesOf(folder + "memo.Fcs", files), base::ecOK);
    EXPECT_EQ(files.preview, folder + "memo.bmp");
    EXPECT_EQ(files.render, folder + "memo.FCT");
}

TEST(TemplateFiles, ADesignFileNameMustEndInItsExtension) {
    TemplateFiles files;
    for (const char* bad : {"memo.fct", "memo", ".fcs", "dir.fcs/", "memofcs"})
        EXPECT_EQ(TemplateFilesOf(bad, files), base::ecBadArgument) << bad;
    EXPECT_EQ(TemplateFilesOf("x.fcs", files), base::ecOK);
    EXPECT_EQ(files.description, "x.des");
}

TEST(TemplateFiles, DeletingATemplateDeletesAllFourAndOnlyThem) {
    test::TempDir dir;
    TemplateFiles files;
    ASSERT_EQ(TemplateFilesOf(dir.folder() + "memo.fcs", files), base::ecOK);
    for (const std::string* path : {&files.design, &files.render, &files.preview}) test::WriteFile(*path, "x");
    test::WriteFile(dir.path() / "memo2.fcs", "x");
    EXPECT_EQ(DeleteTemplate(files), base::ecOK);
    EXPECT_FALSE(std::filesystem::exists(files.design));
    EXPECT_FALSE(std::filesystem::exists(files.render));
    EXPECT_FALSE(std::filesystem::exists(files.preview));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "memo2.fcs"));
}

TEST(TemplateFiles, ADeletionThatFailsIsReportedAfterTheRestAreGone) {
    test::TempDir dir;
    TemplateFiles files;
    ASSERT_EQ(TemplateFilesOf(dir.folder() + "memo.fcs", files), base::ecOK);
    // A folder that is not empty cannot be removed as a file.
    std::filesystem::create_directories(files.design + "/inside");
    test::WriteFile(files.preview, "x");
    EXPECT_LT(DeleteTemplate(files), 0);
    EXPECT_FALSE(std::filesystem::exists(files.preview));
}

TEST(TemplateFiles, SavingStopsAtTheFirstFileThatCannotBeWritten) {
    test::TempDir dir;
    TemplateFiles files;
    ASSERT_EQ(TemplateFilesOf(dir.folder() + "memo.fcs", files), base::ecOK);
    CoverObjects objects;
    objects.push_back(MakeCoverObject(RecordKind::Label));
    std::filesystem::create_directories(files.render + "/inside");
    EXPECT_LT(SaveTemplate(objects, files, "Memo", 96, {}), 0);
    EXPECT_TRUE(std::filesystem::exists(files.design));
    EXPECT_FALSE(std::filesystem::exists(files.preview));
    EXPECT_FALSE(std::filesystem::exists(files.description));

    std::filesystem::remove_all(files.render);
    ASSERT_EQ(SaveTemplate(objects, files, "Memo\nsecond", 96, {}), base::ecOK);
    EXPECT_EQ(test::ReadFile(files.description), "Memo\n");
    EXPECT_EQ(test::ReadFile(files.preview).substr(0, 2), "BM");
}

TEST(DescriptionFile, TheFirstLineIsTheDescription) {
    test::TempDir dir;
    const std::string path = dir.folder() + "memo.des";
    std::optional<std::string> description = "stale";
    EXPECT_EQ(ReadDescription(path, description), base::ecOK);
    EXPECT_FALSE(description.has_value());

    for (const char* text : {"Memo\r\nsecond", "Memo\nsecond", "Memo\rsecond", "Memo"}) {
        test::WriteFile(path, text);
        ASSERT_EQ(ReadDescription(path, description), base::ecOK);
        EXPECT_EQ(description, "Memo") << text;
    }
    test::WriteFile(path, "");
    ASSERT_EQ(ReadDescription(path, description), base::ecOK);
    EXPECT_EQ(description, "");

    ASSERT_EQ(WriteDescription(path, "[description]\nmore"), base::ecOK);
    EXPECT_EQ(test::ReadFile(path), "[description]\n");
    EXPECT_LT(WriteDescription(dir.folder() + "none/memo.des", "x"), 0);
}

}  // namespace
}  // namespace vl::cover
