#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace vl::base {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFile, CreatesAndReplacesKeepingPermissions) {
    TempDir dir;
    const std::string file = dir.folder() + "a.ini";
    ReplaceFileAtomically(file, "first\n");
    EXPECT_EQ(ReadFile(file), "first\n");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ReplaceFileAtomically(file, "second\n");
    EXPECT_EQ(ReadFile(file), "second\n");
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"a.ini"});
}

TEST(AtomicFile, ASymbolicLinkStaysAndItsTargetIsReplaced) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "real");
    WriteFile(dir.path() / "real/a.ini", "old");
    std::filesystem::create_symlink("real/a.ini", dir.path() / "link.ini");
    ReplaceFileAtomically(dir.folder() + "link.ini", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.ini"));
    EXPECT_EQ(ReadFile(dir.path() / "real/a.ini"), "new");
}

TEST(AtomicFile, AWriteThatFailsPartWayLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const std::string file = dir.folder() + "a.ini";
    WriteFile(file, "old contents");
    {
        test::FileSizeLimit limit(100);
        EXPECT_THROW(ReplaceFileAtomically(file, std::string(1000, 'x')), std::system_error);
    }
    EXPECT_EQ(ReadFile(file), "old contents");
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"a.ini"});
}

}  // namespace
}  // namespace vl::base
