// vellora-cli modem against a scripted modem on a pty: the modem runs in this
// process, the command line program opens the pty's slave by its path or by a
// COM number that the settings map to it.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "FakeModem.h"
#include "base/IniFile.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;

FakeModemScript Script()
{
    FakeModemScript script;
    script.replies["AT"] = "\r\nOK\r\n";
    script.replies["ATI3"] = "\r\nModem 3.1\r\nrev 7\r\n\r\nOK\r\n";
    return script;
}

void WriteSetting(const TempDir& home, const std::string& section, const std::string& key, const std::string& value)
{
    base::IniFile ini = base::IniFile::Load(home.folder() + "VL.INI");
    ini.WriteString(section, key, value);
    ini.Save();
}

TEST(ModemCommand, ProbeSaysOkWhenTheModemAnswers)
{
    TempDir home;
    FakeModem modem(Script());
    const RunResult r = RunCli(home.folder(), {"modem", "probe", "--port", modem.SlavePath()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "OK\n");
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"AT"});
}

TEST(ModemCommand, ProbeFallsBackOnTheResetStringOfTheSettings)
{
    TempDir home;
    FakeModemScript script = Script();
    script.replies["AT"] = "\r\nERROR\r\n";
    script.replies["AT&F1"] = "\r\nOK\r\n";
    FakeModem modem(script);
    WriteSetting(home, "Resetting", "String", "AT&F1");
    WriteSetting(home, "Ports", "COM12", modem.SlavePath());
    const RunResult r = RunCli(home.folder(), {"modem", "probe", "--port", "com12"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "OK\n");
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT", "AT&F1"}));
}

TEST(ModemCommand, ProbeOfASilentModemFails)
{
    TempDir home;
    FakeModemScript script;
    script.silent = true;
    FakeModem modem(script);
    const RunResult r = RunCli(home.folder(), {"modem", "probe", "--port", modem.SlavePath()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("did not answer"), std::string::npos) << r.err;
}

TEST(ModemCommand, APortThatCannotOpenGivesTheOpenText)
{
    TempDir home;
    WriteSetting(home, "Ports", "COM9", home.folder() + "no-such-tty");
    const RunResult r = RunCli(home.folder(), {"modem", "probe", "--port", "COM9"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Unable to open the specified communications port ( COM9 (" + home.folder() + "no-such-tty) )"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
}

TEST(ModemCommand, CommandPrintsTheReplyWithoutTheEcho)
{
    TempDir home;
    FakeModem modem(Script());
    const RunResult r = RunCli(home.folder(), {"modem", "command", "--port", modem.SlavePath(), "I3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Modem 3.1\nrev 7\nOK\n");
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"ATI3"});
}

TEST(ModemCommand, ARefusedCommandEndsAtErrorWithoutWaitingOut)
{
    TempDir home;
    FakeModem modem(Script());
    const auto start = std::chrono::steady_clock::now();
    const RunResult r = RunCli(home.folder(), {"modem", "command", "--port", modem.SlavePath(), "ATQ9"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR\n");
    // The full wait for "OK" would be about two seconds, on top of starting up.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1900ms);
}

TEST(ModemCommand, BadArgumentsChangeNothing)
{
    TempDir home;
    EXPECT_EQ(RunCli(home.folder(), {"modem"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"modem", "dial", "--port", "COM1"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"modem", "probe"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"modem", "probe", "--port"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"modem", "probe", "--port", "COM1", "ATZ"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"modem", "command", "--port", "COM1"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"modem", "command", "--port", "LPT1", "ATZ"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"modem", "command", "--port", "COM51", "ATZ"}).status, 2);
}

}  // namespace
}  // namespace vl::test
