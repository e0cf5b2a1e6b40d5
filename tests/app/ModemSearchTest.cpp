// Finding the modem on COM1..COM6 mapped to scripted modems, missing devices
// and devices that refuse the open in the ways a serial port can.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ComPortFixture.h"
#include "LockFiles.h"
#include "MemoryDevice.h"
#include "app/ModemSearch.h"
#include "base/ErrorCodes.h"
#include "base/MessageTable.h"
#include "serial/UucpLock.h"

namespace vl::test {
namespace {

const std::string kFoundFive = "A modem was found on Com Port 5. We suggest setting the Port as Com 5.";
const std::string kNoneBusy =
    "No modem found. Please make sure that all communication programs (internet, AOL, etc) are closed, and then "
    "try again. If you know which Com port your modem uses, you can also just set the Port to that setting";
const std::string kNone =
    "No modem found. If you know which Com port your modem uses, you can also just set the Port to that setting. "
    "Please note that Velloradoes not work with CABLE, DSL or ISDN connections.";

FakeModemScript Silent()
{
    FakeModemScript script;
    script.silent = true;
    return script;
}

class ModemSearchTest : public ::testing::Test, public ComPortFixture {
protected:
    ModemSearchTest()
    {
        for (int n = app::ModemSearch::kFirstPort; n <= app::ModemSearch::kLastPort; ++n)
            MapCom(n, "");
    }
    // Another program holds `device` by its lock file.
    void Hold(const std::string& device) const
    {
        WriteFile(dir.folder() + serial::LockFileName(device), LockText(getppid()));
    }
    // COM`com` opens an in-memory device that refuses with `code`.
    void Refuse(int com, int code)
    {
        MapCom(com, "/dev/refusing");
        port->SetDispatcherFactory([this, com, code, tty = Factory()](
                                       base::MessageLoop& l) -> std::unique_ptr<serial::VlBaseDispatcher> {
            if (port->ComNumber() != com)
                return tty(l);
            auto device = std::make_unique<MemoryDevice>();
            device->FailOpenWith(code);
            return std::make_unique<serial::VlBaseDispatcher>(std::move(device), l);
        });
    }
};

TEST_F(ModemSearchTest, TheFirstModemIsSuggestedAndEveryPortTellsItsOutcome)
{
    FakeModem held(OkScript());
    FakeModem silent(Silent());
    FakeModem second(OkScript());
    const std::string missing = dir.folder() + "no-such-tty";
    MapCom(2, missing);
    MapCom(3, held.SlavePath());
    Hold(held.SlavePath());
    MapCom(4, silent.SlavePath());
    MapCom(5, modem.SlavePath());
    MapCom(6, second.SlavePath());

    app::ModemSearch search(*port, "");
    std::vector<std::pair<std::string, bool>> events;
    search.OnLine = [&events](int, const std::string& line, bool final) { events.emplace_back(line, final); };
    EXPECT_EQ(search.Run(), 5);

    const std::vector<std::string> lines = {
        "Com 1: Port does not exist",
        "Com 2 (" + missing + "): Port does not exist",
        "Com 3 (" + held.SlavePath() + "): Port is already open (could be modem)",
        "Com 4 (" + silent.SlavePath() + "): Unknown",
        "Com 5 (" + modem.SlavePath() + "): MODEM",
        "Com 6 (" + second.SlavePath() + "): MODEM",
    };
    EXPECT_EQ(search.Lines(), lines);
    ASSERT_EQ(events.size(), 2 * lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string start = lines[i].substr(0, lines[i].find(": ") + 2);
        EXPECT_EQ(events[2 * i], std::make_pair(start + "TESTING", false));
        EXPECT_EQ(events[2 * i + 1], std::make_pair(lines[i], true));
    }
    EXPECT_TRUE(search.PortBusy());
    EXPECT_EQ(search.Summary(), kFoundFive);
    EXPECT_TRUE(held.Commands().empty());
    EXPECT_EQ(second.Commands(), std::vector<std::string>{"AT"});
    EXPECT_EQ(port->ComNumber(), kModemCom);
    EXPECT_FALSE(port->Open());
}

struct NoModemCase {
    const char* name;
    int com;
    int deviceCode;
    std::string outcome;  // the refusing port's line after "Com n (/dev/refusing): "
    bool busy;
    std::size_t lines;  // an error the search cannot place ends it
};

class ModemSearchNoModemTest : public ModemSearchTest, public ::testing::WithParamInterface<NoModemCase> {};

TEST_P(ModemSearchNoModemTest, TheRefusalIsNamedAndTheSummaryFits)
{
    const NoModemCase& c = GetParam();
    Refuse(c.com, c.deviceCode);
    app::ModemSearch search(*port, "");
    EXPECT_EQ(search.Run(), -1);
    ASSERT_EQ(search.Lines().size(), c.lines);
    EXPECT_EQ(search.Lines()[static_cast<std::size_t>(c.com - 1)],
              "Com " + std::to_string(c.com) + " (/dev/refusing): " + c.outcome);
    EXPECT_EQ(search.PortBusy(), c.busy);
    EXPECT_EQ(search.Summary(), c.busy ? kNoneBusy : kNone);
    EXPECT_FALSE(port->Open());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ModemSearchNoModemTest,
    ::testing::Values(
        NoModemCase{"AlreadyOpen", 4, base::ecAccessDenied, "Port is already open (could be modem)", true, 6},
        NoModemCase{"InUse", 1, base::ecPortInUse, "Port is already open (could be modem)", true, 6},
        NoModemCase{"PermissionDenied", 3, base::ecPermissionDenied,
                    "Permission denied: add your user to the dialout group (sudo usermod -aG dialout $USER) and "
                    "log in again",
                    false, 6},
        NoModemCase{"OtherCode", 6, base::ecPortSettingsFailed, base::ErrorText(base::ecPortSettingsFailed), false, 6},
        NoModemCase{"NoCode", 2, base::ecDiskRead, "Unknown Error", false, 2}),
    [](const ::testing::TestParamInfo<NoModemCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vl::test
