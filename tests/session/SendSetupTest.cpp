// The send window's summary, the dial wait taken from the init string, and
// the page header line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/SendSetup.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using session::BuildHeader;
using session::DialWaitFromInit;

TEST(DialWaitTest, RegisterS7AtOrAbove75IsTaken)
{
    EXPECT_EQ(DialWaitFromInit("ATS7=90"), 90);
    EXPECT_EQ(DialWaitFromInit("at&f s7=120 m0"), 120);
    EXPECT_EQ(DialWaitFromInit("ATS7=75"), 75);
    // At most three digits are read.
    EXPECT_EQ(DialWaitFromInit("ATS7=1000"), 100);
    // Trailing letters are dropped before the digits are read.
    EXPECT_EQ(DialWaitFromInit("ATS7=99L"), 99);
}

TEST(DialWaitTest, EverythingElseWaits75Seconds)
{
    EXPECT_EQ(DialWaitFromInit(""), 75);
    EXPECT_EQ(DialWaitFromInit("AT&F"), 75);
    EXPECT_EQ(DialWaitFromInit("ATS7=30"), 75);
    EXPECT_EQ(DialWaitFromInit("ATS7=0"), 75);
    EXPECT_EQ(DialWaitFromInit("ATS7="), 75);
    EXPECT_EQ(DialWaitFromInit("ATS7=M1"), 75);
    EXPECT_EQ(DialWaitFromInit("ATS7=9M5"), 75);
    EXPECT_EQ(DialWaitFromInit("ATS17=90"), 75);
}

const std::string kStation = std::string(9, ' ') + "$I" + std::string(10, ' ');
const std::string kTail = std::string(11, ' ') + "12/31/24" + std::string(4, ' ') + "13:45:00" +
                          std::string(14, ' ') + "Page $P of $N";

TEST(BuildHeaderTest, NameAndFaxNumberEachAddTheirPart)
{
    EXPECT_EQ(BuildHeader("Ann Lee", "555 0100", "12/31/24", "13:45:00"), "Sent by: Ann Lee    " + kStation + kTail);
    EXPECT_EQ(BuildHeader("Ann Lee", "", "12/31/24", "13:45:00"), "Sent by: Ann Lee    " + kTail);
    EXPECT_EQ(BuildHeader("", "555 0100", "12/31/24", "13:45:00"), "Sent by" + kStation + kTail);
    EXPECT_EQ(BuildHeader("", "", "12/31/24", "13:45:00"), "Sent" + kTail);
    // Blanks alone are no name and no number.
    EXPECT_EQ(BuildHeader("   ", "  ", "12/31/24", "13:45:00"), "Sent" + kTail);
}

TEST(BuildHeaderTest, ANameHoldingADollarIsLeftToTheSenderTag)
{
    EXPECT_EQ(BuildHeader("Cash$Flow", "", "12/31/24", "13:45:00"), "Sent by: $F    " + kTail);
}

TEST(SetupSummaryTest, ListsTheSettingsAndOnlyTheOptionsThatAreOn)
{
    app::Settings s;
    s.ComPort = 1;
    s.FaxClass = 0;
    s.MaximumBPS = 14400;
    s.ToneOrPulse = 1;
    s.InitString = "AT&F";
    s.String = "ATZ";
    s.AfterString = "ATH";
    s.Fax = "555 0100";
    s.DialAttempts = 2;
    s.RetryWait = 30;
    TempDir dir;
    const std::string ini = dir.folder() + "VL.INI";
    const std::vector<std::string> base{"Communications Port: COM2 (/dev/ttyUSB0)", "Fax Class: Autodetect",
                                        "Transfer Rate: 14400",      "Dialing with: Pulse",
                                        "Modem Init String: AT&F",   "Modem Reset String: ATZ",
                                        "Post Reset String: ATH",    "Station ID (Fax #): 555 0100",
                                        "Dial Attempts: 2",          "Retry in: 30 seconds"};
    EXPECT_EQ(session::SetupSummary(s, ini), base);
    // The port line names the device the settings file maps the port to.
    WriteFile(ini, "[Ports]\nCOM2=/dev/ttyACM7\n");
    EXPECT_EQ(session::SetupSummary(s, ini)[0], "Communications Port: COM2 (/dev/ttyACM7)");

    s.ToneOrPulse = 0;
    s.FaxClass = 3;
    s.BlindDial = s.IgnoreBusy = s.ECM = true;
    const std::vector<std::string> lines = session::SetupSummary(s, ini);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[1], "Fax Class: Class 2.0");
    EXPECT_EQ(lines[3], "Dialing with: Tone");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.end()),
              (std::vector<std::string>{"Blind Dial is ACTIVE", "Ignore Busy is ACTIVE", "Using Error Correction"}));
}

}  // namespace
}  // namespace vl::test
