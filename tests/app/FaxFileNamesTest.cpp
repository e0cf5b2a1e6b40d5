#include "app/FaxFileNames.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/ProgramFolders.h"
#include "support/EnvVar.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace vl::app {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

void Touch(const std::string& file) { WriteFile(file, ""); }

TEST(NextFaxFileName, TheFirstFreeNumberFromZero) {
    TempDir dir;
    const std::string f = dir.folder();
    EXPECT_EQ(NextFreeFaxFileName(f, "FAX"), f + "FAX00000.APF");
    Touch(f + "FAX00001.APF");
    EXPECT_EQ(NextFreeFaxFileName(f, "FAX"), f + "FAX00000.APF");
    Touch(f + "FAX00000.APF");
    EXPECT_EQ(NextFreeFaxFileName(f, "FAX"), f + "FAX00002.APF");
    // Other prefixes and other extensions do not take the number.
    Touch(f + "COV00000.APF");
    Touch(f + "FAX00002.KQD");
    EXPECT_EQ(NextFreeFaxFileName(f, "FAX"), f + "FAX00002.APF");
    EXPECT_EQ(NextFreeFaxFileName(f, "COV"), f + "COV00001.APF");
    EXPECT_EQ(NextFreeFaxFileName(f + "missing/", "FAX"), f + "missing/FAX00000.APF");
}

TEST(NextFaxFileName, ANameInAnyLetterCaseIsTaken) {
    TempDir dir;
    const std::string f = dir.folder();
    Touch(f + "fax00000.apf");
    Touch(f + "Fax00001.Apf");
    std::filesystem::create_directory(f + "FAX00002.APF");
    EXPECT_EQ(NextFreeFaxFileName(f, "FAX"), f + "FAX00003.APF");
    EXPECT_EQ(NextFreeFaxFileName(f, "fax"), f + "fax00003.APF");
}

TEST(NextFaxFileName, WhenEveryNumberIsTakenTheLastIsReturned) {
    EXPECT_EQ(FirstFreeFaxNumber([](int n) { return n < 99998; }), 99998);
    EXPECT_EQ(FirstFreeFaxNumber([](int n) { return n < 99999; }), 99999);
    int asked = 0;
    EXPECT_EQ(FirstFreeFaxNumber([&](int) { return ++asked > 0; }), 99999);
    EXPECT_EQ(asked, 99999);  // 99999 itself is never looked at
    EXPECT_EQ(FirstFreeFaxNumber([](int n) { return n < 50000 && n != 12345; }), 12345);
}

TEST(NextFaxFileName, SendAndProgramFolders) {
    TempDir dir;
    test::EnvVar home("VELLORA_HOME", dir.folder());
    std::filesystem::create_directory(dir.path() / "SEND");
    Touch(dir.folder() + "SEND/FWD00000.APF");
    EXPECT_EQ(NextSendFileName("FWD"), dir.folder() + "SEND/FWD00001.APF");
    EXPECT_EQ(NextProgramFileName("Temp"), dir.folder() + "Temp00000.APF");
}

TEST(CopyFaxFile, CopiesWholeFilesOfAnyLength) {
    TempDir dir;
    for (size_t size : {size_t{0}, size_t{1}, size_t{2048}, size_t{2049}, size_t{10000}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
        WriteFile(dir.path() / "src", bytes);
        WriteFile(dir.path() / "dst", std::string(20000, 'z'));  // longer than any source
        EXPECT_TRUE(CopyFaxFile(dir.folder() + "src", dir.folder() + "dst"));
        EXPECT_EQ(ReadFile(dir.path() / "dst"), bytes) << size;
    }
}

TEST(CopyFaxFile, NeverCopiesAFileOntoItself) {
    TempDir dir;
    WriteFile(dir.path() / "a.apf", "page data");
    EXPECT_FALSE(CopyFaxFile(dir.folder() + "a.apf", dir.folder() + "a.apf"));
    EXPECT_FALSE(CopyFaxFile(dir.folder() + "a.apf", dir.folder() + "./a.apf"));
    std::filesystem::create_symlink(dir.path() / "a.apf", dir.path() / "link.apf");
    EXPECT_FALSE(CopyFaxFile(dir.folder() + "link.apf", dir.folder() + "a.apf"));
    EXPECT_EQ(ReadFile(dir.path() / "a.apf"), "page data");
}

TEST(CopyFaxFile, FilesThatCannotBeOpenedGiveFalse) {
    TempDir dir;
    EXPECT_FALSE(CopyFaxFile(dir.folder() + "missing", dir.folder() + "out"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));
    WriteFile(dir.path() / "src", "x");
    EXPECT_FALSE(CopyFaxFile(dir.folder() + "src", dir.folder() + "no/such/folder/out"));
    EXPECT_FALSE(CopyFaxFile(dir.folder(), dir.folder() + "out"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));
}

TEST(CopyFaxFile, ACopyThatFailsPartWayLeavesNoTruncatedFile) {
    TempDir dir;
    WriteFile(dir.path() / "src", std::string(10000, 'p'));
    {
        test::FileSizeLimit limit(4096);
        EXPECT_FALSE(CopyFaxFile(dir.folder() + "src", dir.folder() + "dst"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "dst"));
    EXPECT_EQ(ReadFile(dir.path() / "src"), std::string(10000, 'p'));
}

}  // namespace
}  // namespace vl::app
