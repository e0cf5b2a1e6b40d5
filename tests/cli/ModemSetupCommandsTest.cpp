// vellora-cli modem find and modem class against scripted modems on ptys that
// the settings map to COM numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeModem.h"
#include "base/IniFile.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

FakeModemScript ClassOneAndTwo()
{
    FakeModemScript script;
    script.replies["AT"] = "\r\nOK\r\n";
    script.replies["AT&F"] = "\r\nOK\r\n";
    script.replies["AT+FCLASS=?"] = "\r\n+FCLASS: 0,1,2\r\n\r\nOK\r\n";
    return script;
}

// COM1..COM6 map to the given devices ("" for none).
void MapPorts(const TempDir& home, const std::vector<std::string>& devices)
{
    base::IniFile ini = base::IniFile::Load(home.folder() + "VL.INI");
    for (std::size_t i = 0; i < devices.size(); ++i)
        ini.WriteString("Ports", "COM" + std::to_string(i + 1), devices[i]);
    ini.Save();
}

TEST(ModemSetupCommands, FindPrintsEachPortAndSuggestsTheModem)
{
    TempDir home;
    FakeModem modem(ClassOneAndTwo());
    const std::string missing = home.folder() + "no-such-tty";
    MapPorts(home, {"", missing, modem.SlavePath(), "", "", ""});
    const RunResult r = RunCli(home.folder(), {"modem", "find"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Com 1: Port does not exist\n"
                     "Com 2 (" + missing + "): Port does not exist\n"
                     "Com 3 (" + modem.SlavePath() + "): MODEM\n"
                     "Com 4: Port does not exist\n"
                     "Com 5: Port does not exist\n"
                     "Com 6: Port does not exist\n"
                     "A modem was found on Com Port 3. We suggest setting the Port as Com 3.\n");
}

TEST(ModemSetupCommands, ClassPrintsTheLinesAndTheRecommendation)
{
    TempDir home;
    FakeModem modem(ClassOneAndTwo());
    MapPorts(home, {"", "", "", modem.SlavePath()});
    const RunResult r = RunCli(home.folder(), {"modem", "class", "--port", "com4"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Class 1   : Supported (recommended)\n"
                     "Class 2   : Supported\n"
                     "Class 2.0 : Not Supported\n"
                     "Try using the recommended Fax Class (Class 1). \n\n"
                     "If you experience problems, try other supported classes or auto detect.\n");
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT", "AT&F", "AT+FCLASS=?"}));

    const RunResult none = RunCli(home.folder(), {"modem", "class", "--port", "1"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out.substr(0, 20), "Class 1   : unknown\n");
}

TEST(ModemSetupCommands, BadArgumentsAreRefused)
{
    TempDir home;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"modem", "find", "COM1"},
             {"modem", "class"},
             {"modem", "class", "--port", "/dev/ttyS0"},
             {"modem", "class", "--port", "COM1", "extra"}})
        EXPECT_EQ(RunCli(home.folder(), args).status, 2) << args.back();
}

}  // namespace
}  // namespace vl::test
