// vellora-cli send and receive: what they refuse before touching the modem,
// and how a call that cannot go through ends, against a scripted modem.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "FakeModem.h"
#include "base/IniFile.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

// An APF file made by the CLI's own converter.
std::string MakeApf(const TempDir& home, const std::string& name)
{
    WriteFile(home.path() / (name + ".txt"), "Hello fax\n");
    const std::string apf = home.folder() + name + ".APF";
    const RunResult r = RunCli(home.folder(), {"convert", home.folder() + name + ".txt", "-o", apf});
    EXPECT_EQ(r.status, 0) << r.err;
    return apf;
}

std::string LastLine(const std::string& out)
{
    const std::size_t end = out.size() && out.back() == '\n' ? out.size() - 1 : out.size();
    const std::size_t start = out.rfind('\n', end ? end - 1 : 0);
    return out.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

TEST(FaxCommands, BadArgumentsAreRefusedAndTheModemHearsNothing)
{
    TempDir home;
    FakeModem modem;
    const std::string port = modem.SlavePath();
    const std::string apf = MakeApf(home, "DOC");
    WriteFile(home.path() / "BAD.APF", std::string(100, 'x'));
    const std::vector<std::vector<std::string>> cases = {
        {"send", "--number", "5550100", apf},
        {"send", "--port", port, apf},
        {"send", "--port", port, "--number", "5550100"},
        {"send", "--port", port, "--number"},
        {"send", "--port", port, "--number", "5550100", "--class", "3", apf},
        {"send", "--port", port, "--number", "5550100", "--bps", "fast", apf},
        {"send", "--port", port, "--number", "5550100", "--coding", "jbig", apf},
        {"send", "--port", port, "--number", "5550100", "--coding", apf},
        {"send", "--port", port, "--number", "5550100", "--attempts", "-1", apf},
        {"send", "--port", port, "--number", "5550100", "--speed", "9600", apf},
        {"send", "--port", port, "--number", "5550100", home.folder() + "MISSING.APF"},
        {"send", "--port", port, "--number", "5550100", home.folder() + "BAD.APF"},
        {"send", "--port", port, "--number", "5550100", "--cover", home.folder() + "BAD.APF", apf},
        {"send", "--port", "COM0", "--number", "5550100", apf},
        {"receive"},
        {"receive", "--port", port, "extra"},
        {"receive", "--port", port, "--naming", "3"},
        {"receive", "--port", port, "--rings", "0"},
        {"receive", "--port", port, "--class", "2.1"},
        {"receive", "--port", port, "--coding", "MMR"},
        {"receive", "--port", "printer"},
    };
    for (const auto& args : cases) {
        const RunResult r = RunCli(home.folder(), args);
        std::string line;
        for (const auto& a : args)
            line += a + " ";
        EXPECT_EQ(r.status, 2) << line << "\n" << r.out << r.err;
        EXPECT_NE(r.err.find("vellora-cli " + args[0] + ": "), std::string::npos) << line << r.err;
    }
    EXPECT_TRUE(modem.Commands().empty());
}

TEST(FaxCommands, APortThatCannotBeOpenedFails)
{
    TempDir home;
    const std::string apf = MakeApf(home, "DOC");
    const RunResult r = RunCli(home.folder(), {"send", "--port", home.folder() + "no-such-tty", "--number", "1", apf});
    EXPECT_EQ(r.status, 1) << r.err;
}

// A Class 1 modem that answers every command but the dial, which is busy.
// It takes the ATE0 of the init string: no echo.
FakeModemScript BusyLine()
{
    FakeModemScript script;
    script.echo = false;
    script.responder = [](const std::string& command) -> std::string {
        if (command.find("FCLASS=?") != std::string::npos)
            return "\r\n0,1\r\n\r\nOK\r\n";
        if (command.find("FTM=?") != std::string::npos || command.find("FRM=?") != std::string::npos)
            return "\r\n24,48,72,96,97,98,121,122,145,146\r\n\r\nOK\r\n";
        if (command.rfind("ATD", 0) == 0)
            return "\r\nBUSY\r\n";
        return "\r\nOK\r\n";
    };
    return script;
}

TEST(FaxCommands, ABusyNumberEndsWithTheErrorTextAndTheSettingsDial)
{
    TempDir home;
    FakeModem modem(BusyLine());
    const std::string apf = MakeApf(home, "DOC");
    base::IniFile ini = base::IniFile::Load(home.folder() + "VL.INI");
    ini.WriteString("Dialing", "DialPrefix", "9W");
    ini.WriteString("Dialing", "DialSuffix", "#");
    ini.WriteString("Dialing", "DialAttempts", "1");
    ini.Save();
    const RunResult r =
        RunCli(home.folder(), {"send", "--port", modem.SlavePath(), "--number", "5550100", "--pulse", apf});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(LastLine(r.out), "Called fax number was busy") << r.out;
    EXPECT_NE(r.out.find("Dialing\n"), std::string::npos) << r.out;
    bool dialled = false;
    for (const std::string& command : modem.Commands())
        dialled = dialled || command == "ATDP9W5550100#";
    EXPECT_TRUE(dialled) << modem.Received();
    // The history went to the data folder.
    const std::string history = ReadFile(home.path() / "ZERVFAX.HIS");
    EXPECT_NE(history.find("Transmit " + apf + " to 5550100# started at "), std::string::npos) << history;
    EXPECT_NE(history.find("(Called fax number was busy)"), std::string::npos) << history;
}

TEST(FaxCommands, AnInterruptedReceiveHangsUpAndEnds)
{
    TempDir home;
    FakeModem modem(BusyLine());
    // The shell interrupts the waiting receiver once it has been set up.
    const std::string script =
        "\"$0\" receive --port \"$1\" --dir \"$2\" & pid=$!; sleep 3; kill -TERM $pid; wait $pid";
    const RunResult r = vl::test::Run("/bin/sh", {"-c", script, VL_CLI_PATH, modem.SlavePath(), home.folder() + "rx"},
                                      {{"VELLORA_HOME", home.folder()}});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(LastLine(r.out), "Cancel requested") << r.out;
    const std::vector<std::string> commands = modem.Commands();
    ASSERT_FALSE(commands.empty());
    // The escape "+++" has no CR of its own: the modem sees it before ATH.
    EXPECT_TRUE(commands.back().ends_with("ATH")) << modem.Received();
}

}  // namespace
}  // namespace vl::test
