// The designer's recent files: their order, their limit, and their keys in
// the settings file.
#include "app/RecentFiles.h"

#include <gtest/gtest.h>

#include "base/IniFile.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using app::RecentFiles;
using Paths = std::vector<std::string>;

TEST(RecentFiles, NewestFirstRepeatsMoveUpAndTheOldestDropsOffAfterFive)
{
    RecentFiles recent;
    for (const char* path : {"/c/1.FCS", "/c/2.FCS", "/c/3.FCS"})
        recent.Add(path);
    recent.Add("/c/1.FCS");
    EXPECT_EQ(recent.Files(), (Paths{"/c/1.FCS", "/c/3.FCS", "/c/2.FCS"}));
    // Another spelling is another file here.
    recent.Add("/c/1.fcs");
    for (const char* path : {"/c/4.FCS", "/c/5.FCS"})
        recent.Add(path);
    EXPECT_EQ(recent.Files(), (Paths{"/c/5.FCS", "/c/4.FCS", "/c/1.fcs", "/c/1.FCS", "/c/3.FCS"}));
    recent.Remove("/c/1.FCS");
    recent.Remove("/c/missing.FCS");
    EXPECT_EQ(recent.Files(), (Paths{"/c/5.FCS", "/c/4.FCS", "/c/1.fcs", "/c/3.FCS"}));
    // An entry of the list itself, as the designer passes the last file
    // when it reopens it.
    recent.Add(recent.Files()[2]);
    recent.Add(recent.Files().front());
    EXPECT_EQ(recent.Files(), (Paths{"/c/1.fcs", "/c/5.FCS", "/c/4.FCS", "/c/3.FCS"}));
    recent.Remove(recent.Files().back());
    EXPECT_EQ(recent.Files(), (Paths{"/c/1.fcs", "/c/5.FCS", "/c/4.FCS"}));
}

TEST(RecentFiles, StoringRewritesTheSectionAndLoadingReadsItBack)
{
    base::IniFile ini = base::IniFile::Parse("[cdmru]\nF0=/old/a.FCS\nF1=/old/b.FCS\nF2=/old/c.FCS\nF3=/old/d.FCS\n"
                                             "[Other]\nF0=kept\n");
    RecentFiles recent;
    recent.Load(ini);
    EXPECT_EQ(recent.Files(), (Paths{"/old/a.FCS", "/old/b.FCS", "/old/c.FCS", "/old/d.FCS"}));
    recent.Remove("/old/b.FCS");
    recent.Remove("/old/d.FCS");
    recent.Add(" /new/with blanks & more.FCS ");
    recent.Add("/bad\nline.FCS");
    recent.Store(ini);
    EXPECT_FALSE(ini.HasKey("CDMRU", "F3"));
    EXPECT_FALSE(ini.HasKey("CDMRU", "F4"));
    EXPECT_EQ(ini.ReadString("Other", "F0", ""), "kept");

    RecentFiles reloaded;
    reloaded.Load(ini);
    EXPECT_EQ(reloaded.Files(), (Paths{" /new/with blanks & more.FCS ", "/old/a.FCS", "/old/c.FCS"}));
}

TEST(RecentFiles, LoadingSkipsEmptiesAndRepeatsAndStopsAtTheMaximum)
{
    const base::IniFile ini = base::IniFile::Parse("[CDMRU]\nF0=/a\nF1=\nF2=/a\nF3=/b\nF4=/c\nF5=/d\nF6=/e\nF7=/f\n");
    RecentFiles recent;
    recent.Add("/before");
    recent.Load(ini);
    EXPECT_EQ(recent.Files(), (Paths{"/a", "/b", "/c", "/d", "/e"}));
}

TEST(RecentFiles, TheSettingsFileKeepsItsOtherSections)
{
    TempDir dir;
    const std::string file = dir.folder() + "VL.INI";
    WriteFile(file, "[User]\nName=Someone\n");
    RecentFiles recent;
    recent.Add("/c/VL0001.FCS");
    recent.Store(file);
    RecentFiles reloaded;
    reloaded.Load(file);
    EXPECT_EQ(reloaded.Files(), (Paths{"/c/VL0001.FCS"}));
    EXPECT_EQ(base::IniFile::Load(file).ReadString("User", "Name", ""), "Someone");
}

TEST(RecentFiles, MenuCaptionsNumberFromOneAndShowAmpersands)
{
    EXPECT_EQ(RecentFiles::MenuCaption(0, "/c/VL0001.FCS"), "&1 /c/VL0001.FCS");
    EXPECT_EQ(RecentFiles::MenuCaption(4, "/c/R&D.FCS"), "&5 /c/R&&D.FCS");
}

}  // namespace
}  // namespace vl::test
