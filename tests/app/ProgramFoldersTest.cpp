#include "app/ProgramFolders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "app/ColumnLayout.h"
#include "app/FaxFolderFiles.h"
#include "app/PrinterDriverLink.h"
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

// A data folder copied from a system that does not tell letter cases apart.
TEST(ProgramFolders, ACopiedDataFolderIsUsedWhateverItsLetterCase) {
    TempDir dir;
    const std::string home = dir.folder();
    for (const char* folder : {"send", "Receive", "COVERS"}) std::filesystem::create_directories(dir.path() / folder);
    for (const char* file : {"vl.ini", "VlPd.Ini", "out.GCO", "OUT.gcs", "send/fax00001.apf", "send/fax00001.FCD",
                             "Receive/rec00002.APF"})
        test::WriteFile(dir.path() / file, "x");
    EnvVar vh("VELLORA_HOME", home);
    EXPECT_EQ(SendFolder(), home + "send/");
    EXPECT_EQ(ReceiveFolder(), home + "Receive/");
    EXPECT_EQ(CoversFolder(), home + "COVERS/");
    EXPECT_EQ(SettingsFileName(), home + "vl.ini");
    EXPECT_EQ(PrinterDriverLinkFileName(), home + "VlPd.Ini");
    EXPECT_EQ(ColumnOrderFile(home), home + "out.GCO");
    EXPECT_EQ(ColumnWidthFile(home), home + "OUT.gcs");
    EXPECT_EQ(FaxFolderPath(home, FaxFolder::Send), home + "send/");
    EXPECT_EQ(ExistingFaxFile(home, FaxFolder::Send, "FAX00001.APF"), home + "send/fax00001.apf");
    EXPECT_EQ(ExistingFaxFile(home, FaxFolder::Send, CoverDataName("FAX00001.APF")), home + "send/fax00001.FCD");
    EXPECT_EQ(ExistingFaxFile(home, FaxFolder::Receive, "REC00002.APF"), home + "Receive/rec00002.APF");
    EXPECT_EQ(ProgramFile("Lastrec.log"), home + "Lastrec.log");  // none yet: the program's spelling
    EnsureFaxFolders();
    for (const char* made : {"SEND", "RECEIVE"}) EXPECT_FALSE(std::filesystem::exists(dir.path() / made)) << made;
}

}  // namespace
}  // namespace vl::app
