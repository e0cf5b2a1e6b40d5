#include "app/ConfigurationReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/OtherPrograms.h"
#include "support/TestSupport.h"

namespace vl::app {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// A data folder and a fake system tree side by side.
struct ReportFixture : ::testing::Test {
    TempDir home, root;

    ReportSources Sources() const {
        ReportSources sources;
        sources.rootFolder = root.path().string();
        sources.programFolder = home.folder();
        sources.settingsFile = home.folder() + "VL.INI";
        return sources;
    }

    void Put(const fs::path& relative, const std::string& text) const {
        fs::create_directories((root.path() / relative).parent_path());
        test::WriteFile(root.path() / relative, text);
    }
    void Link(const fs::path& relative, const fs::path& target) const {
        fs::create_directories((root.path() / relative).parent_path());
        fs::create_symlink(target, root.path() / relative);
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static bool HasPart(const std::vector<std::string>& lines, const std::string& part) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }
};

// The lines after the block heading up to the next empty line.
std::vector<std::string> LogBlock(const std::vector<std::string>& lines, const std::string& heading) {
    auto at = std::find(lines.begin(), lines.end(), heading);
    if (lines.end() - at < 2) return {};
    std::vector<std::string> block;
    for (at += 2; at != lines.end() && !at->empty(); ++at) block.push_back(*at);
    return block;
}

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(ReportFixture, ReceiveLogIsCutAfter101LinesWithTheMarkerAndTheSendLogNever) {
    struct Case {
        int lines;
        std::size_t kept;
        bool marker;
    };
    for (const Case c : {Case{100, 100, false}, Case{101, 101, false}, Case{102, 101, true}, Case{500, 101, true}}) {
        test::WriteFile(home.path() / "Lastrec.log", NumberedLines(c.lines));
        test::WriteFile(home.path() / "Lastsend.log", NumberedLines(c.lines));
        const auto lines = ConfigurationReport(Sources()).Lines();
        const auto received = LogBlock(lines, "[Last Receive Session]");
        ASSERT_EQ(received.size(), c.kept + (c.marker ? 1 : 0)) << c.lines;
        EXPECT_EQ(received[c.kept - 1], "line " + std::to_string(c.kept));
        EXPECT_EQ(received.back() == kReceiveLogCapMarker, c.marker) << c.lines;
        EXPECT_EQ(LogBlock(lines, "[Last Send Session]").size(), static_cast<std::size_t>(c.lines));
    }
}

TEST_F(ReportFixture, MissingLogsLeaveTheirBlocksOut) {
    const auto lines = ConfigurationReport(Sources()).Lines();
    EXPECT_FALSE(Has(lines, "[Last Send Session]"));
    EXPECT_FALSE(Has(lines, "[Last Receive Session]"));
}

TEST_F(ReportFixture, SettingsAreShownUnderTheirLabelsFromTheirKeys) {
    test::WriteFile(home.path() / "VL.INI",
                    "[Modem]\nComPort=1\nFaxClass=3\nInitString=AT&F\nCoding=1\n"
                    "[Dialing]\nToneOrPulse=7\nBlindDial=1\n"
                    "[Resetting]\nString=ATZ\nAfterString=ATM0\n"
                    "[Other]\nUseMotorolaSM56Fix=1\nImposeWaitBeforePrinting=0\n"
                    "[Hints]\nOn=0\n[Printing]\nStretch=1\n[Ports]\nCOM2=/dev/ttyUSB3\n");
    const auto lines = ConfigurationReport(Sources()).Lines();
    EXPECT_TRUE(Has(lines, "[" + home.folder() + "VL.INI]"));
    for (const char* line : {
             "COM Port:             \tCOM2 (/dev/ttyUSB3)",  // the stored index plus one
             "Tone/Pulse:           \tunknown",
             "Reset String          \tATZ",
             "Post Reset String:    \tATM0",
             "Fax Class:            \tClass 2.0",
             "Blind Dial:           \tYes",
             "Coding:               \tUp to MR (two-dimensional)",
             "Ignore Busy:          \tNo",
             // The receive keys follow their sending counterparts when missing.
             "Receive Fax Class:    \tClass 2.0",
             "Receive Init String:  \tAT&F",
             "SM56 Fix              \tYes",
             "RAGE MOBILITY FIX     \tNo",
             "ShowHint:             \tNo",
             "Print Stretch         \tYes",
             "Print Multi           \tNo",
             "VLPDOUT:              \tnot found",
         })
        EXPECT_TRUE(Has(lines, line)) << line;
}

TEST_F(ReportFixture, UsbModemWithItsByIdNameAndTheProgramHoldingIt) {
    const fs::path usb = "sys/devices/pci0000:00/usb1/1-2";
    Put(usb / "idVendor", "0572\n");
    Put(usb / "idProduct", "1340\n");
    Put(usb / "manufacturer", "Conexant\n");
    Put(usb / "product", "USB Modem\n");
    Put("sys/bus/usb/drivers/cdc_acm/.keep", "");
    fs::create_directories(root.path() / usb / "1-2:1.0");
    Link("sys/class/tty/ttyACM0/device", "../../../devices/pci0000:00/usb1/1-2/1-2:1.0");
    Link(usb / "1-2:1.0/driver", "../../../../../bus/usb/drivers/cdc_acm");
    // A UART port with no chip behind it, and a console with no device.
    fs::create_directories(root.path() / "sys/devices/platform/serial8250");
    Link("sys/class/tty/ttyS0/device", "../../../devices/platform/serial8250");
    Put("sys/class/tty/ttyS0/type", "0\n");
    Put("sys/class/tty/tty1/dev", "4:1\n");
    Link("dev/serial/by-id/usb-Conexant_USB_Modem_24680246-if00", "../../ttyACM0");
    Put("dev/ttyACM0", "");
    Put("proc/4242/comm", "minicom\n");
    Link("proc/4242/fd/3", "/dev/ttyACM0");
    Link("proc/4242/fd/4", "/dev/ttyACM0");
    Put("proc/99/comm", "vellora\n");
    Link("proc/99/fd/5", "/dev/ttyACM0");
    Put("proc/5/comm", "bash\n");
    Link("proc/5/fd/0", "/dev/pts/1");

    const auto lines = ConfigurationReport(Sources()).Lines();
    for (const char* line : {
             "Port:                 \tCOM1 (/dev/ttyACM0)",
             "Driver:               \tcdc_acm",
             "Manufacturer:         \tConexant",
             "Model:                \tUSB Modem",
             "USB ID:               \t0572:1340",
             "By ID:                \t/dev/serial/by-id/usb-Conexant_USB_Modem_24680246-if00",
             "COM1 (/dev/ttyACM0)\tpresent",
             "COM2 (/dev/ttyUSB0)\tnot present",
             "minicom  (4242) holds /dev/ttyACM0",
         })
        EXPECT_TRUE(Has(lines, line)) << line;
    EXPECT_FALSE(HasPart(lines, "/dev/ttyS0\t")) << "a port without a chip";
    EXPECT_FALSE(HasPart(lines, "tty1"));
    EXPECT_FALSE(HasPart(lines, "vellora  ("));
    EXPECT_FALSE(HasPart(lines, "bash"));
    EXPECT_FALSE(HasPart(lines, "ModemManager"));
}

TEST_F(ReportFixture, RunningModemManagerBringsTheUdevRuleForEachModem) {
    fs::create_directories(root.path() / "sys/devices/platform/serial8250");
    Link("sys/class/tty/ttyS1/device", "../../../devices/platform/serial8250");
    Put("sys/class/tty/ttyS1/type", "4\n");
    Put("proc/612/comm", "ModemManager\n");
    fs::create_directories(root.path() / "proc/612/fd");

    const auto lines = ConfigurationReport(Sources()).Lines();
    EXPECT_TRUE(Has(lines, "Port:                 \tCOM4 (/dev/ttyS1)"));
    EXPECT_TRUE(Has(lines, "ModemManager  (612)"));
    EXPECT_TRUE(Has(lines, "ACTION==\"add|change\", KERNEL==\"ttyS1\", ENV{ID_MM_DEVICE_IGNORE}=\"1\""));
    // A USB modem is matched by maker and model, whichever name it gets.
    SerialDeviceInfo usb;
    usb.path = "/dev/ttyACM0";
    usb.usbId = "0572:1340";
    EXPECT_EQ(ModemManagerIgnoreRule(usb),
              "ACTION==\"add|change\", ATTRS{idVendor}==\"0572\", ATTRS{idProduct}==\"1340\", "
              "ENV{ID_MM_DEVICE_IGNORE}=\"1\"");
}

TEST(ConfigurationReport, ColorCountsOfTheDisplayDepths) {
    const std::pair<int, long long> cases[] = {{1, 2}, {4, 16}, {8, 256}, {15, 32768}, {16, 65535}, {24, 16777216},
                                               {32, 16777216}, {30, 30}};
    for (const auto& [bits, colors] : cases) EXPECT_EQ(ConfigurationReport::ColorCount(bits), colors) << bits;
}

}  // namespace
}  // namespace vl::app
