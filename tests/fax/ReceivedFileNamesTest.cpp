#include "fax/ReceivedFileNames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/TestSupport.h"

namespace vl::fax {
namespace {

std::tm Day(int month, int day) {
    std::tm t{};
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

TEST(ReceivedFileNames, FirstFreeNameInEachMode) {
    const std::tm today = Day(12, 8);
    std::set<std::string> present;
    auto exists = [&](const std::string& name) { return present.count(name) > 0; };
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, "", "APF", today, exists), "FAX0001.APF");
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Date, "", "APF", today, exists), "12080001.APF");
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Date, "", "APF", Day(3, 1), exists), "03010001.APF");
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, "/in", "FAX", today, exists), "/in/FAX0001.FAX");
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, "/in/", "APF", today, exists), "/in/FAX0001.APF");

    present = {"/in/FAX0001.APF", "/in/FAX0002.APF", "/in/FAX0004.APF"};
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, "/in", "APF", today, exists), "/in/FAX0003.APF");
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, "/in", "apf", today, exists), "/in/FAX0001.apf");
}

TEST(ReceivedFileNames, AllNumbersTakenGivesNoname) {
    int asked = 0;
    auto all = [&](const std::string&) { return ++asked > 0; };
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, "/in", "APF", Day(1, 1), all), "/in/NONAME.APF");
    EXPECT_EQ(asked, kLastReceiveNumber);
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Date, "", "TIF", Day(1, 1), all), "NONAME.APF");
    auto allButLast = [](const std::string& name) { return name != "FAX9999.APF"; };
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, "", "APF", Day(1, 1), allButLast), "FAX9999.APF");
}

TEST(ReceivedFileNames, FileSystemDecidesWhatIsTaken) {
    test::TempDir dir;
    const std::string folder = dir.path().string();  // without the trailing "/"
    test::WriteFile(dir.path() / "FAX0001.APF", "x");
    std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "FAX0002.APF");
    std::filesystem::create_directory(dir.path() / "FAX0003.APF");
    EXPECT_EQ(ReceivedFileName(ReceiveNaming::Counter, folder, "APF", Day(5, 6)), folder + "/FAX0004.APF");
}

}  // namespace
}  // namespace vl::fax
