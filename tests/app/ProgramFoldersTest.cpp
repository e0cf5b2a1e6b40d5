#include "app/ProgramFolders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/EnvVar.h"
#include "support/TestSupport.h"

namespace vl::app {
namespace {

using test::EnvVar;
using test::TempDir;

TEST(ProgramFolders, TheDataFolderComesFromTheEnvironment) {
    EnvVar data("XDG_DATA_HOME", "/xdg/data");
    EnvVar home("HOME", "/home/ann");
    {
        EnvVar vh("VELLORA_HOME", "/srv/fax");
        EXPECT_EQ(ProgramFolder(), "/srv/fax/");
        EXPECT_EQ(SendFolder(), "/srv/fax/SEND/");
        EXPECT_EQ(ReceiveFolder(), "/srv/fax/RECEIVE/");
        EXPECT_EQ(CoversFolder(), "/srv/fax/Covers/");
        EXPECT_EQ(SettingsFileName(), "/srv/fax/VL.INI");
    }
    {
        EnvVar vh("VELLORA_HOME", "/srv/fax/");
        EXPECT_EQ(ProgramFolder(), "/srv/fax/");
    }
    {
        // A relative folder is fixed when read, so a later change of the
        // current directory does not move the data.
        EnvVar vh("VELLORA_HOME", "rel/fax");
        EXPECT_EQ(ProgramFolder(), std::filesystem::current_path().string() + "/rel/fax/");
    }
    EnvVar vh("VELLORA_HOME", "");
    EXPECT_EQ(ProgramFolder(), "/xdg/data/vellora/");
    {
        EnvVar relative("XDG_DATA_HOME", "not/absolute");
        EXPECT_EQ(ProgramFolder(), "/home/ann/.local/share/vellora/");
    }
    EnvVar noData("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(ProgramFolder(), "/home/ann/.local/share/vellora/");
}

TEST(ProgramFolders, ExecutableFolderHoldsThisProgram) {
    std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "app_tests"));
}

TEST(ProgramFolders, ForceFoldersCreatesEveryMissingParent) {
    TempDir dir;
    const std::string deep = dir.folder() + "a/b/c/";
    EXPECT_TRUE(ForceFolders(deep));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_TRUE(ForceFolders(deep));                     // already there
    EXPECT_TRUE(ForceFolders(dir.folder() + "a/b/d"));  // no trailing slash
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "a/b/d"));
    EXPECT_TRUE(ForceFolders("/"));
    test::WriteFile(dir.path() / "file", "");
    EXPECT_FALSE(ForceFolders(dir.folder() + "file/sub/"));
    EXPECT_FALSE(ForceFolders(dir.folder() + "file"));
}

TEST(ProgramFolders, EnsureFaxFoldersCreatesTheDataFolderAndIgnoresFailures) {
    TempDir dir;
    {
        EnvVar vh("VELLORA_HOME", dir.folder() + "new/home");
        EnsureFaxFolders();
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "new/home/SEND"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "new/home/RECEIVE"));
    test::WriteFile(dir.path() / "blocked", "");
    EnvVar vh("VELLORA_HOME", dir.folder() + "blocked");
    EXPECT_NO_THROW(EnsureFaxFolders());
}

}  // namespace
}  // namespace vl::app
