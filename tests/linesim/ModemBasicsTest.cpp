#include "ModemBasics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl::linesim {
namespace {

// Runs every command of a line as a modem would, stopping at the first one
// that fails; returns the text sent back including the final result code.
std::string RunLine(ModemBasics& modem, std::string_view line) {
    std::vector<AtCommand> cmds;
    if (!ParseCommandLine(line, cmds)) return modem.ResultCode(Result::Error);
    std::string reply;
    for (const auto& cmd : cmds) {
        if (modem.Apply(cmd, reply) != Handling::Done) return reply + modem.ResultCode(Result::Error);
    }
    return reply + modem.ResultCode(Result::Ok);
}

ModemBasics::Identity TestIdentity() {
    ModemBasics::Identity id;
    id[0] = "LINESIM";
    id[3] = "Line simulator 1.0";
    return id;
}

TEST(ModemBasics, Defaults) {
    const ModemBasics modem;
    EXPECT_TRUE(modem.Echo());
    EXPECT_FALSE(modem.Quiet());
    EXPECT_TRUE(modem.Verbose());
    EXPECT_EQ(modem.XLevel(), 4);
    const int expected[] = {0, 0, 43, 13, 10, 8, 2, 50, 2, 0, 14, 0};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(modem.SRegister(i), expected[i]) << "S" << i;
    EXPECT_EQ(modem.SRegister(-1), 0);
    EXPECT_EQ(modem.SRegister(100), 0);
}

TEST(ModemBasics, ResultCodesVerboseNumericQuiet) {
    ModemBasics modem;
    const std::pair<Result, const char*> codes[] = {
        {Result::Ok, "OK"},         {Result::Connect, "CONNECT"},        {Result::Ring, "RING"},
        {Result::NoCarrier, "NO CARRIER"}, {Result::Error, "ERROR"},      {Result::NoDialtone, "NO DIALTONE"},
        {Result::Busy, "BUSY"},     {Result::NoAnswer, "NO ANSWER"}};
    for (const auto& [r, text] : codes) EXPECT_EQ(modem.ResultCode(r), std::string("\r\n") + text + "\r\n");
    EXPECT_EQ(modem.InfoText("x"), "\r\nx\r\n");

    EXPECT_EQ(RunLine(modem, "ATV0"), "0\r");
    const std::pair<Result, const char*> numbers[] = {{Result::Connect, "1\r"},    {Result::Ring, "2\r"},
                                                      {Result::NoCarrier, "3\r"},  {Result::Error, "4\r"},
                                                      {Result::NoDialtone, "6\r"}, {Result::Busy, "7\r"},
                                                      {Result::NoAnswer, "8\r"}};
    for (const auto& [r, text] : numbers) EXPECT_EQ(modem.ResultCode(r), text);
    EXPECT_EQ(modem.InfoText("x"), "x\r\n");

    // Quiet silences result codes, not information text.
    EXPECT_EQ(RunLine(modem, "ATQ1"), "");
    EXPECT_EQ(modem.ResultCode(Result::Error), "");
    EXPECT_EQ(RunLine(modem, "ATS7?"), "050\r\n");
    EXPECT_EQ(RunLine(modem, "ATQ0V1"), "\r\nOK\r\n");
}

TEST(ModemBasics, SettingsAndRanges) {
    ModemBasics modem;
    EXPECT_EQ(RunLine(modem, "ATE0X3"), "\r\nOK\r\n");
    EXPECT_FALSE(modem.Echo());
    EXPECT_EQ(modem.XLevel(), 3);
    EXPECT_EQ(RunLine(modem, "ATE"), "\r\nOK\r\n");  // a missing number means 0
    EXPECT_EQ(RunLine(modem, "ATE1"), "\r\nOK\r\n");
    EXPECT_TRUE(modem.Echo());
    for (const char* bad : {"ATE2", "ATQ2", "ATV2", "ATX5", "ATZ1", "AT&F1"}) {
        EXPECT_EQ(RunLine(modem, bad), "\r\nERROR\r\n") << bad;
    }
    EXPECT_TRUE(modem.Echo());
    EXPECT_EQ(modem.XLevel(), 3);
}

TEST(ModemBasics, SRegisterSetAndRead) {
    ModemBasics modem;
    EXPECT_EQ(RunLine(modem, "ATS0=2S7?"), "\r\n050\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.SRegister(0), 2);
    EXPECT_EQ(RunLine(modem, "ATS0?"), "\r\n002\r\n\r\nOK\r\n");
    EXPECT_EQ(RunLine(modem, "ATS99=255S99?"), "\r\n255\r\n\r\nOK\r\n");
    EXPECT_EQ(RunLine(modem, "ATS100=1"), "\r\nERROR\r\n");
    EXPECT_EQ(RunLine(modem, "ATS100?"), "\r\nERROR\r\n");
    // Line-ending and backspace characters stay 7-bit.
    EXPECT_EQ(RunLine(modem, "ATS3=128"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.SRegister(3), 13);
    EXPECT_EQ(RunLine(modem, "ATS3=127"), "\r\nOK\r\n");
}

TEST(ModemBasics, ResetRestoresDefaults) {
    for (const char* reset : {"AT&F", "ATZ", "ATZ0", "AT&F0"}) {
        ModemBasics modem;
        RunLine(modem, "ATE0V0X1S0=3S7=90");
        EXPECT_EQ(RunLine(modem, reset), "\r\nOK\r\n") << reset;
        EXPECT_TRUE(modem.Echo());
        EXPECT_TRUE(modem.Verbose());
        EXPECT_EQ(modem.XLevel(), 4);
        EXPECT_EQ(modem.SRegister(0), 0);
        EXPECT_EQ(modem.SRegister(7), 50);
    }
}

TEST(ModemBasics, IdentityQueries) {
    ModemBasics modem(TestIdentity());
    EXPECT_EQ(RunLine(modem, "ATI"), "\r\nLINESIM\r\n\r\nOK\r\n");
    EXPECT_EQ(RunLine(modem, "ATI3"), "\r\nLine simulator 1.0\r\n\r\nOK\r\n");
    EXPECT_EQ(RunLine(modem, "ATI1"), "\r\nERROR\r\n");
    EXPECT_EQ(RunLine(modem, "ATI10"), "\r\nERROR\r\n");
    EXPECT_EQ(RunLine(modem, "ATV0I0"), "LINESIM\r\n0\r");
}

TEST(ModemBasics, LeavesClassCommandsAlone) {
    ModemBasics modem;
    std::vector<AtCommand> cmds;
    ASSERT_TRUE(ParseCommandLine("ATAH0&C1DT5;+FCLASS=2;+FDT", cmds));
    for (const auto& cmd : cmds) {
        std::string reply;
        EXPECT_EQ(modem.Apply(cmd, reply), Handling::NotMine);
        EXPECT_EQ(reply, "");
    }
    EXPECT_EQ(RunLine(modem, "ATV1E1ATE0"), "\r\nERROR\r\n");
}

}  // namespace
}  // namespace vl::linesim
