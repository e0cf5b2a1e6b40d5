#include "app/PrinterDriverLink.h"

#include <gtest/gtest.h>

#include "base/IniFile.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"

namespace vl::app {
namespace {

using test::TempDir;

TEST(PrinterDriverLink, MissingKeysReadAsNotFound) {
    TempDir dir;
    PrinterDriverLink link = ReadPrinterDriverLink(dir.folder() + "VLPD.INI");
    EXPECT_EQ(link.VLOutPath, "not found");
    EXPECT_EQ(link.VLExecutable, "not found");
    test::WriteFile(dir.path() / "VLPD.INI", "[location]\nvloutpath=/x/SEND/\n");
    link = ReadPrinterDriverLink(dir.folder() + "VLPD.INI");
    EXPECT_EQ(link.VLOutPath, "/x/SEND/");
    EXPECT_EQ(link.VLExecutable, "not found");
}

TEST(PrinterDriverLink, WritesTheSendFolderAndTheDesktopProgramBesideThisOne) {
    TempDir dir;
    test::EnvVar home("VELLORA_HOME", dir.folder());
    test::WriteFile(dir.path() / "VLPD.INI", "[Driver]\nPaper=A4\n[Location]\nVLOutPath=/old/\n");
    WritePrinterDriverLink();
    PrinterDriverLink link = ReadPrinterDriverLink();
    EXPECT_EQ(link.VLOutPath, dir.folder() + "SEND/");
    EXPECT_EQ(link.VLExecutable, ExecutableFolder() + "vellora");
    EXPECT_EQ(base::IniFile::Load(dir.folder() + "VLPD.INI").ReadString("Driver", "Paper", ""), "A4");
}

TEST(PrinterDriverLink, AFailedWriteThrows) {
    TempDir dir;
    test::WriteFile(dir.path() / "file", "");
    EXPECT_THROW(WritePrinterDriverLink(dir.folder() + "file/VLPD.INI", {"/a/", "/b"}), base::EIniWriteError);
}

}  // namespace
}  // namespace vl::app
