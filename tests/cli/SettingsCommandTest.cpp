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
    ASSERT_EQ(lines.size(), 99u);
    EXPECT_EQ(lines.front(), "User\tName\t");
    EXPECT_EQ(lines[15], "Modem\tComPort\t-1");
    EXPECT_EQ(lines[23], "Modem\tCoding\t2");
    EXPECT_EQ(lines[31], "Receive\tPrintOnReceiptPrinter\tDefault Windows Printer");
    EXPECT_EQ(lines[35], "Receive\tCommand\t");
    EXPECT_EQ(lines[44], "Printing\tMultiPage\t0");
    EXPECT_EQ(lines[48], "Ports\tCOM1\t/dev/ttyACM0");
    EXPECT_EQ(lines[53], "Ports\tCOM6\t/dev/ttyUSB1");
    EXPECT_EQ(lines[54], "Ports\tCOM7\t");
    EXPECT_EQ(lines[97], "Ports\tCOM50\t");
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
    EXPECT_EQ(Get(home, "Ports", "COM1"), "/dev/ttyACM0\n");
    RunResult r = RunCli(home.folder(), {"settings", "get", "Ports", "COM51"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err, "");
}

TEST(SettingsCommand, SetMapsAComNumberToADeviceOrToNone) {
    TempDir home;
    Set(home, "Ports", "COM2", "/dev/ttyUSB3");
    Set(home, "ports", "com50", "/dev/serial/by-id/usb-modem");
    Set(home, "Ports", "COM3", "");
    EXPECT_EQ(ReadFile(home.path() / "VL.INI"),
              "[Ports]\nCOM2=/dev/ttyUSB3\nCOM50=/dev/serial/by-id/usb-modem\nCOM3=\n");
    EXPECT_EQ(Get(home, "Ports", "COM2"), "/dev/ttyUSB3\n");
    EXPECT_EQ(Get(home, "Ports", "COM3"), "\n");
    const RunResult dump = RunCli(home.folder(), {"settings", "dump"});
    EXPECT_NE(dump.out.find("Ports\tCOM50\t/dev/serial/by-id/usb-modem\n"), std::string::npos) << dump.out;
    // The port list follows the same mapping.
    const RunResult ports = RunCli(home.folder(), {"ports"});
    EXPECT_NE(ports.out.find("COM2\t/dev/ttyUSB3\t"), std::string::npos) << ports.out;
    EXPECT_EQ(ports.out.find("COM3\t"), std::string::npos) << ports.out;
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
        {"settings", "set", "Ports", "COM1", "ttyS9"},
        {"settings", "set", "Ports", "COM51", "/dev/ttyS9"},
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
