#include "base/PathNoCase.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace vl::base {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(PathNoCase, SpellsEachPartAsOnDisk) {
    TempDir dir;
    const std::string f = dir.folder();
    std::filesystem::create_directories(dir.path() / "Send");
    WriteFile(dir.path() / "Send" / "fax00001.apf", "x");
    WriteFile(dir.path() / "vlout.dbf", "x");
    WriteFile(dir.path() / "VL.INI", "x");
    WriteFile(dir.path() / "vl.ini", "x");
    WriteFile(dir.path() / "Out.GCO", "x");
    WriteFile(dir.path() / "out.gco", "x");
    const struct {
        const char* given;
        std::string found;
    } cases[] = {
        {"VLOUT.DBF", "vlout.dbf"},
        {"VL.INI", "VL.INI"},                      // the exact spelling first
        {"Vl.Ini", "VL.INI"},                      // else the first in byte order
        {"Out.gco", "Out.GCO"},
        {"SEND/", "Send/"},
        {"SEND/FAX00001.APF", "Send/fax00001.apf"},
        {"send/./FAX00001.APF", "Send/./fax00001.apf"},
        {"SEND/FAX00002.APF", "Send/FAX00002.APF"},  // missing: the program's spelling
        {"RECEIVE/", "RECEIVE/"},
        {"RECEIVE/VLOUT.DBF", "RECEIVE/VLOUT.DBF"},  // nothing is looked up below a missing folder
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PathNoCase(f, c.given), f + c.found) << c.given;
}

TEST(PathNoCase, UnreadableOrMissingFolderGivesTheNameAsIs) {
    EXPECT_EQ(PathNoCase("/nonexistent-folder-of-vellora/", "VL.INI"), "/nonexistent-folder-of-vellora/VL.INI");
}

}  // namespace
}  // namespace vl::base
