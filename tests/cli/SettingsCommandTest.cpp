#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Get(const TempDir& home, const std::string& section, const std::string& key) {
    RunResult r = RunCli(home.folder(), {"settings", "get", section, key});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

void Set(const TempDir& home, const std::string& section, const std::string& key, const std::string& value) {
    RunResult r = RunCli(home.folder(), {"settings", "set", section, key, value});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(SettingsCommand, DumpListsEveryKeyInFileOrderWithDefaults) {
    TempDir home;
    RunResult r = RunCli(home.folder(), {"settings", "dump"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 45u);
    EXPECT_EQ(lines.front(), "User\tName\t");
    EXPECT_EQ(lines[15], "Modem\tComPort\t-1");
    EXPECT_EQ(lines[30], "Receive\tPrintOnReceiptPrinter\tDefault Windows Printer");
    EXPECT_EQ(lines[40], "Printing\tMultiPage\t0");
    EXPECT_EQ(lines.back(), "Version\tVersion\t2.9y");
    EXPECT_FALSE(std::filesystem::exists(home.path() / "VL.INI"));  // reading writes nothing
}

TEST(SettingsCommand, GetShowsTheValueTheProgramWouldUse) {
    TempDir home;
    WriteFile(home.path() / "VL.INI", "[MODEM]\r\nfaxclass=0x3\r\n[Dialing]\nRetryWait=soon\n");
    EXPECT_EQ(Get(home, "modem", "FAXCLASS"), "3\n");
    EXPECT_EQ(Get(home, "Modem", "FaxClassReceive"), "3\n");
    EXPECT_EQ(Get(home, "Dialing", "RetryWait"), "60\n");
    EXPECT_EQ(Get(home, "version", "version"), "2.9y\n");
    RunResult r = RunCli(home.folder(), {"settings", "get", "Ports", "COM1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err, "");
}

TEST(SettingsCommand, SetStoresNormalisedValuesAndKeepsTheRestOfTheFile) {
    TempDir home;
    WriteFile(home.path() / "VL.INI", "; mine\n[Ports]\nCOM1=/dev/ttyUSB4\n[Dialing]\nDialAttempts=3\n");
    Set(home, "dialing", "dialattempts", "0x10");
    Set(home, "Hints", "On", "0");
    Set(home, "Receive", "AtStartup", "-4");
    Set(home, "User", "Name", "  Ann  ");
    Set(home, "Receive", "PrintOnReceiptPrinter", "vellora fax");
    EXPECT_EQ(ReadFile(home.path() / "VL.INI"),
              "; mine\n[Ports]\nCOM1=/dev/ttyUSB4\n[Dialing]\nDialAttempts=16\n\n"
              "[Hints]\nOn=0\n\n[Receive]\nAtStartup=1\nPrintOnReceiptPrinter=Default Windows Printer\n\n"
              "[User]\nName=\"  Ann  \"\n");
    EXPECT_EQ(Get(home, "User", "Name"), "  Ann  \n");
}

TEST(SettingsCommand, BadInputChangesNothing) {
    TempDir home;
    const std::string original = "[Modem]\nComPort=2\n";
    WriteFile(home.path() / "VL.INI", original);
    const std::vector<std::vector<std::string>> bad = {
        {"settings", "set", "Modem", "ComPort", "two"},
        {"settings", "set", "Modem", "ComPort", ""},
        {"settings", "set", "Hints", "On", "yes"},
        {"settings", "set", "User", "Name", "two\nlines"},
        {"settings", "set", "Modem", "NoSuchKey", "1"},
        {"settings", "set", "Ports", "COM1", "/dev/ttyS9"},
        {"settings", "set", "Version", "Version", "3.0"},
        {"settings", "set", "Modem", "ComPort"},
        {"settings", "get", "Modem"},
        {"settings", "dump", "extra"},
        {"settings", "frobnicate"},
        {"settings"},
    };
    for (const auto& args : bad) {
        RunResult r = RunCli(home.folder(), args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err, "") << args.back();
        EXPECT_EQ(r.out, "") << args.back();
    }
    EXPECT_EQ(ReadFile(home.path() / "VL.INI"), original);
}

TEST(SettingsCommand, SetCreatesAMissingDataFolder) {
    TempDir dir;
    RunResult r = RunCli(dir.folder() + "new/home", {"settings", "set", "Modem", "ComPort", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.path() / "new/home/VL.INI"), "[Modem]\nComPort=1\n");
}

TEST(SettingsCommand, AWriteThatFailsIsReportedWithTheFileName) {
    TempDir dir;
    WriteFile(dir.path() / "home", "not a folder");
    RunResult r = RunCli(dir.folder() + "home", {"settings", "set", "Modem", "ComPort", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(dir.folder() + "home/VL.INI"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vl::test
