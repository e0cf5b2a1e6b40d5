// Finding the modem on COM1..COM6 mapped to scripted modems, missing devices
// and devices that refuse the open in the ways a serial port can.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ComPortFixture.h"
#include "LockFiles.h"
#include "MemoryDevice.h"
#include "app/ModemSearch.h"
#include "base/ErrorCodes.h"
#include "serial/UucpLock.h"

namespace vl::test {
namespace {

class ModemSearchTest : public ::testing::Test, public ComPortFixture {
protected:
    ModemSearchTest()
    {
        for (int n = 1; n <= 6; ++n)
            MapCom(n, "");
    }
};

TEST_F(ModemSearchTest, TheFirstModemIsSuggestedAndEveryPortTellsItsOutcome)
{
    FakeModem held(OkScript());
    FakeModemScript quiet;
    quiet.silent = true;
    FakeModem silent(quiet);
    FakeModem second(OkScript());
    const std::string missing = dir.folder() + "no-such-tty";
    const std::vector<std::string> devices = {"", missing, held.SlavePath(), silent.SlavePath(), modem.SlavePath(),
                                              second.SlavePath()};
    for (int n = 2; n <= 6; ++n)
        MapCom(n, devices[static_cast<std::size_t>(n - 1)]);
    WriteFile(dir.folder() + serial::LockFileName(held.SlavePath()), LockText(getppid()));

    app::ModemSearch search(*port, "");
    std::vector<std::string> events;
    search.OnLine = [&events](int, const std::string& line, bool final) {
        events.push_back(line + (final ? "" : "?"));
    };
    EXPECT_EQ(search.Run(), 5);

    const std::vector<std::string> outcomes = {"Port does not exist", "Port does not exist",
                                               "Port is already open (could be modem)", "Unknown", "MODEM", "MODEM"};
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::string start =
            "Com " + std::to_string(i + 1) + (devices[i].empty() ? "" : " (" + devices[i] + ")") + ": ";
        expected.insert(expected.end(), {start + "TESTING?", start + outcomes[i]});
        EXPECT_EQ(search.Lines().at(i), start + outcomes[i]);
    }
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(search.PortBusy());
    EXPECT_EQ(search.Summary(), "A modem was found on Com Port 5. We suggest setting the Port as Com 5.");
    EXPECT_TRUE(held.Commands().empty());
    EXPECT_EQ(second.Commands(), std::vector<std::string>{"AT"});
    EXPECT_EQ(port->ComNumber(), kModemCom);
    EXPECT_FALSE(port->Open());
}

// A modem that answers is still no good for faxing while another program
// holds it; ModemManager gets the way to keep it off. A pseudo terminal's
// holder is the simulated modem itself.
TEST_F(ModemSearchTest, APortAnotherProgramHoldsSaysWhich)
{
    const std::string managed = dir.folder() + "ttyACM9";
    const std::string minicom = dir.folder() + "ttyUSB9";
    // Files, not devices: what the port makes of them does not matter here.
    WriteFile(managed, "");
    WriteFile(minicom, "");
    const std::vector<std::string> devices = {modem.SlavePath(), managed, minicom};
    const std::vector<std::string> programs = {"linesim", "ModemManager", "minicom"};
    const std::string proc = dir.folder() + "proc/";
    for (std::size_t i = 0; i < devices.size(); ++i) {
        MapCom(static_cast<int>(i + 1), devices[i]);
        const std::string process = proc + std::to_string(4711 + i);
        std::filesystem::create_directories(process + "/fd");
        WriteFile(process + "/comm", programs[i] + "\n");
        std::filesystem::create_symlink(devices[i], process + "/fd/5");
    }
    app::ModemSearch search(*port, "");
    search.SetProcFolder(proc);
    EXPECT_EQ(search.Run(), 1);
    const auto endsWith = [](const std::string& line, const std::string& end) {
        return line.size() >= end.size() && line.compare(line.size() - end.size(), end.size(), end) == 0;
    };
    EXPECT_EQ(search.Lines().at(0), "Com 1 (" + modem.SlavePath() + "): MODEM");
    EXPECT_TRUE(endsWith(search.Lines().at(1),
                         " - ModemManager has it open: a udev rule setting ID_MM_DEVICE_IGNORE keeps it off a fax "
                         "modem (Configuration Information shows the rule)"))
        << search.Lines().at(1);
    EXPECT_TRUE(endsWith(search.Lines().at(2), " - minicom (process 4713) has it open")) << search.Lines().at(2);
}

struct NoModemCase {
    int com;
    int deviceCode;
    const char* outcome;  // of the refusing port
    bool busy;
    std::size_t lines;    // an error that is no port error ends the search
};

class ModemSearchNoModemTest : public ModemSearchTest, public ::testing::WithParamInterface<NoModemCase> {};

TEST_P(ModemSearchNoModemTest, TheRefusalIsNamedAndTheSummaryFits)
{
    const NoModemCase& c = GetParam();
    MapCom(c.com, "/dev/refusing");
    port->SetDispatcherFactory([this, c, tty = Factory()](base::MessageLoop& l) {
        if (port->ComNumber() != c.com)
            return tty(l);
        auto device = std::make_unique<MemoryDevice>();
        device->FailOpenWith(c.deviceCode);
        return std::unique_ptr<serial::VlBaseDispatcher>(new serial::VlBaseDispatcher(std::move(device), l));
    });
    app::ModemSearch search(*port, "");
    EXPECT_EQ(search.Run(), -1);
    ASSERT_EQ(search.Lines().size(), c.lines);
    EXPECT_EQ(search.Lines()[static_cast<std::size_t>(c.com - 1)],
              "Com " + std::to_string(c.com) + " (/dev/refusing): " + c.outcome);
    EXPECT_EQ(search.Summary(),
              c.busy ? "No modem found. Please make sure that all communication programs (internet, AOL, etc) are "
                       "closed, and then try again. If you know which Com port your modem uses, you can also just "
                       "set the Port to that setting"
                     : "No modem found. If you know which Com port your modem uses, you can also just set the Port "
                       "to that setting. Please note that Velloradoes not work with CABLE, DSL or ISDN connections.");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ModemSearchNoModemTest,
    ::testing::Values(NoModemCase{4, base::ecAccessDenied, "Port is already open (could be modem)", true, 6},
                      NoModemCase{3, base::ecPermissionDenied,
                                  "Permission denied: add your user to the dialout group (sudo usermod -aG dialout "
                                  "$USER) and log in again",
                                  false, 6},
                      NoModemCase{2, base::ecDiskRead, "Unknown Error", false, 2}));

}  // namespace
}  // namespace vl::test
