#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "ApfTestFiles.h"
#include "ComPortFixture.h"
#include "Waiting.h"
#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "fax/FaxCodes.h"
#include "fax/VlReceiveFax.h"
#include "fax/VlSendFax.h"
#include "serial/ComPortTypes.h"
#include "support/TestSupport.h"

namespace vl::fax {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::intptr_t SendToWindow(VlAbstractFax& fax, std::uint32_t msg, std::intptr_t wParam = 0)
{
    return fax.Window().Send({msg, static_cast<std::uintptr_t>(wParam), 0}, 1000ms);
}

// A fax component on a port whose modem refuses every command but AT, so a
// session ends in its prepare step: enough to watch what the component does
// around the engine.
class FaxComponentTest : public ::testing::Test {
protected:
    void Link(VlAbstractFax& fax)
    {
        fax.SetComPort(rig.port.get());
        rig.port->SetOpen(true);
        fax.OnFaxFinish = [this](VlAbstractFax&, int code) {
            finished = true;
            finishCode = code;
        };
    }
    bool WaitFinish() { return rig.PumpUntil([this] { return finished; }, 20s); }
    std::string Apf(const std::string& name, int pages)
    {
        std::vector<test::TestPage> list(pages, test::TestPage{0, {0x00, 0x80}});
        const std::string file = rig.dir.folder() + name;
        test::WriteApf(file, list);
        return file;
    }

    vl::test::ComPortFixture rig;
    bool finished = false;
    int finishCode = 1;
};

TEST_F(FaxComponentTest, LinkingAPortSetsWhatFaxSessionsNeed)
{
    VlSendFax fax(rig.loop);
    serial::VlComPort& port = *rig.port;
    port.SetBaud(2400);
    port.SetParity(serial::pEven);
    port.SetDataBits(7);
    port.SetOutSize(1024);
    fax.SetComPort(&port);
    EXPECT_EQ(port.Baud(), 19200);
    EXPECT_EQ(port.Parity(), serial::pNone);
    EXPECT_EQ(port.DataBits(), 8);
    EXPECT_EQ(port.StopBits(), 1);
    EXPECT_EQ(port.InSize(), 8192);
    EXPECT_EQ(port.OutSize(), 8192);
    EXPECT_EQ(port.HWFlowOptions(), serial::hwfUseRTS | serial::hwfRequireCTS);
}

TEST_F(FaxComponentTest, PortProblemsRaiseBeforeTheModemHearsAnything)
{
    VlSendFax sender(rig.loop);
    sender.SetFaxFile(Apf("ONE.APF", 1));
    EXPECT_THROW(sender.StartTransmit(), base::EPortNotAssigned);
    VlReceiveFax receiver(rig.loop);
    EXPECT_THROW(receiver.StartReceive(), base::EPortNotAssigned);
    EXPECT_THROW(receiver.ModemClasses(), base::EPortNotAssigned);

    Link(sender);
    rig.port->SetOutSize(8191);
    EXPECT_THROW(sender.StartTransmit(), base::EOutputBufferTooSmall);
    receiver.SetComPort(rig.port.get());
    rig.port->SetOutSize(4096);
    EXPECT_THROW(receiver.StartReceive(), base::EOutputBufferTooSmall);
    EXPECT_TRUE(rig.modem.Commands().empty());
}

TEST_F(FaxComponentTest, ThreeFilesAreJoinedForTheCallAndTheJoinedFileGoesAtTheFinish)
{
    VlSendFax fax(rig.loop);
    Link(fax);
    fax.FaxFileList = {Apf("A.APF", 1), Apf("B.APF", 2), Apf("C.APF", 3)};
    fax.PhoneNumber = "5550100";
    fax.StartTransmit();
    const std::string joined = fax.JoinedFile();
    ASSERT_FALSE(joined.empty());
    EXPECT_EQ(fs::path(joined).filename().string().substr(0, 3), "~VL");
    ASSERT_TRUE(fs::exists(joined));
    // The engine is handed the joined file, once.
    EXPECT_EQ(SendToWindow(fax, kMsgNextFile), 1);
    EXPECT_EQ(SendToWindow(fax, kMsgNextFile), 0);
    ASSERT_TRUE(WaitFinish());
    EXPECT_NE(finishCode, 0);
    EXPECT_FALSE(fs::exists(joined));
    EXPECT_TRUE(fax.JoinedFile().empty());
    EXPECT_EQ(fax.FaxFileList.size(), 3u);
}

TEST_F(FaxComponentTest, OneFileOrANextFaxHandlerMakesNoJoinedFile)
{
    VlSendFax fax(rig.loop);
    Link(fax);
    fax.FaxFileList = {Apf("A.APF", 1)};
    fax.StartTransmit();
    EXPECT_TRUE(fax.JoinedFile().empty());
    ASSERT_TRUE(WaitFinish());

    // With the handler every fax comes from it, and its file becomes FaxFile.
    fax.FaxFileList = {Apf("A.APF", 1), Apf("B.APF", 1)};
    int asked = 0;
    fax.OnFaxNext = [&asked, this](VlSendFax&, std::string& number, std::string& file, std::string& cover) {
        EXPECT_TRUE(number.empty() && file.empty() && cover.empty());
        if (++asked == 1) {
            number = "5550100";
            file = rig.dir.folder() + "B.APF";
        }
    };
    finished = false;
    fax.StartTransmit();
    EXPECT_TRUE(fax.JoinedFile().empty());
    EXPECT_EQ(SendToWindow(fax, kMsgNextFile), 1);
    EXPECT_EQ(fax.FaxFileList, std::vector<std::string>{rig.dir.folder() + "B.APF"});
    EXPECT_EQ(SendToWindow(fax, kMsgNextFile), 0);
    ASSERT_TRUE(WaitFinish());
}

TEST_F(FaxComponentTest, ABadFileAmongSeveralSendsNothing)
{
    VlSendFax fax(rig.loop);
    Link(fax);
    const std::string bad = rig.dir.folder() + "BAD.APF";
    vl::test::WriteFile(bad, std::string(64, 'x'));
    fax.FaxFileList = {Apf("A.APF", 1), bad};
    EXPECT_THROW(fax.StartTransmit(), base::EFaxBadFormat);
    EXPECT_TRUE(fax.JoinedFile().empty());
    EXPECT_FALSE(fax.Running());
    EXPECT_TRUE(rig.modem.Commands().empty());
}

TEST(VlAbstractFax, TheModemClassQueryAnswersABitSet)
{
    vl::test::FakeModemScript script;
    script.replies["AT+FCLASS=?"] = "\r\n0,1,2\r\n\r\nOK\r\n";
    vl::test::ComPortFixture rig(script);
    VlReceiveFax fax(rig.loop);
    fax.SetComPort(rig.port.get());
    rig.port->SetOpen(true);
    EXPECT_EQ(fax.ModemClasses(), 4 | 8);
    rig.modem.SetReply("AT+FCLASS=?", "\r\n+FCLASS: 0,1,2.0\r\n\r\nOK\r\n");
    EXPECT_EQ(fax.ModemClasses(), 4 | 16);
    rig.modem.SetReply("AT+FCLASS=?", "\r\nERROR\r\n");
    EXPECT_EQ(fax.ModemClasses(), 0);
}

// A Class 1 modem whose every dial meets a busy line.
vl::test::FakeModemScript BusyClass1Modem()
{
    vl::test::FakeModemScript script;
    script.echo = false;
    script.responder = [](const std::string& command) -> std::string {
        if (command.rfind("ATD", 0) == 0)
            return "\r\nBUSY\r\n";
        if (command == "AT+FCLASS=?")
            return "\r\n0,1\r\n\r\nOK\r\n";
        if (command == "AT+FTM=?")
            return "\r\n24,48,72,96\r\n\r\nOK\r\n";
        return "\r\nOK\r\n";
    };
    return script;
}

// A sender on the busy modem with one fax to send, run to its finish.
class BusySendTest : public ::testing::Test {
protected:
    BusySendTest() : rig(BusyClass1Modem()), fax(rig.loop)
    {
        fax.SetComPort(rig.port.get());
        rig.port->SetOpen(true);
        const std::string file = rig.dir.folder() + "ONE.APF";
        test::WriteApf(file, {test::TestPage{0, {0x00, 0x80}}});
        fax.SetFaxFile(file);
        fax.PhoneNumber = "5550100";
        fax.DialAttempts = 1;
        fax.OnFaxFinish = [this](VlAbstractFax&, int) { finished = true; };
    }
    bool Send()
    {
        fax.StartTransmit();
        return rig.PumpUntil([this] { return finished; }, 20s);
    }
    // The line speed when `command` reached the modem, looking from the
    // `from`th command on; 0 when it never did.
    int SpeedOf(const std::string& command, std::size_t from = 0) const
    {
        const auto commands = rig.modem.Commands();
        const auto speeds = rig.modem.CommandSpeeds();
        for (std::size_t i = from; i < commands.size() && i < speeds.size(); ++i)
            if (commands[i] == command)
                return speeds[i];
        return 0;
    }

    vl::test::ComPortFixture rig;
    VlSendFax fax;
    bool finished = false;
};

// The status display reads the attempt under way: the first dial is attempt 1.
TEST_F(BusySendTest, DialAttemptCountsFromOne)
{
    fax.DialAttempts = 2;
    fax.DialRetryWait = 1;
    std::vector<int> dialling;
    fax.OnFaxStatus = [&dialling](VlAbstractFax& f, bool, bool) {
        const int attempt = static_cast<VlSendFax&>(f).DialAttempt();
        if (f.Progress().progress == base::fpDialing && (dialling.empty() || dialling.back() != attempt))
            dialling.push_back(attempt);
    };
    ASSERT_TRUE(Send());
    EXPECT_EQ(dialling, (std::vector<int>{1, 2}));
    EXPECT_EQ(fax.DialAttempt(), 2);  // the last attempt, not one past it
}

struct PortSpeeds {
    int initBaud;
    int normalBaud;
    int settingUp;  // while the modem is initialised
    int dialling;   // during the fax
    int after;      // when the session has finished
};

class SendPortSpeeds : public BusySendTest, public ::testing::WithParamInterface<PortSpeeds> {};

// The port waits and sets the modem up at InitBaud, runs the fax at
// NormalBaud (the port's rate when that is 0) and returns to InitBaud; with
// InitBaud 0 it stays at 19200 bit/s throughout. A second session does the
// same.
TEST_P(SendPortSpeeds, InitRateAroundTheSessionNormalRateForTheFax)
{
    const PortSpeeds& p = GetParam();
    fax.InitBaud = p.initBaud;
    fax.NormalBaud = p.normalBaud;
    for (int session = 1; session <= 2; ++session) {
        const std::size_t before = rig.modem.Commands().size();
        finished = false;
        ASSERT_TRUE(Send()) << session;
        EXPECT_EQ(SpeedOf("AT+FCLASS=?", before), p.settingUp) << session;
        EXPECT_EQ(SpeedOf("ATDT5550100", before), p.dialling) << session;
        EXPECT_EQ(rig.modem.LineSpeed(), p.after) << session;
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, SendPortSpeeds,
                         ::testing::Values(PortSpeeds{38400, 57600, 38400, 57600, 38400},
                                           PortSpeeds{38400, 0, 38400, 19200, 38400},
                                           PortSpeeds{0, 57600, 19200, 19200, 19200}));

TEST(VlSendFax, FaxFileIsTheFirstEntryAndSettingItLeavesOnlyThatFile)
{
    base::MessageLoop loop;
    VlSendFax fax(loop);
    EXPECT_EQ(fax.FaxFile(), "");
    fax.FaxFileList = {"a.apf", "b.apf", "c.apf"};
    EXPECT_EQ(fax.FaxFile(), "a.apf");
    fax.SetFaxFile("d.apf");
    EXPECT_EQ(fax.FaxFileList, std::vector<std::string>{"d.apf"});
}

TEST(VlReceiveFax, DestinationDirGetsOneTrailingSeparator)
{
    base::MessageLoop loop;
    VlReceiveFax fax(loop);
    const struct {
        const char* given;
        const char* stored;
    } cases[] = {
        {"/var/fax", "/var/fax/"},
        {"/var/fax/", "/var/fax/"},
        {"\"/var/my fax\"", "\"/var/my fax/\""},
        {"\"/var/my fax/\"", "\"/var/my fax/\""},
        {"", ""},
        {"\"\"", "\"\""},
    };
    for (const auto& c : cases) {
        fax.SetDestinationDir(c.given);
        EXPECT_EQ(fax.DestinationDir(), c.stored) << c.given;
    }
}

TEST(VlReceiveFax, AcceptingNamingAndTheLogOfASkippedCall)
{
    vl::test::TempDir dir;
    base::MessageLoop loop;
    VlReceiveFax fax(loop);
    VlFaxLog history;
    history.FaxHistoryName = dir.folder() + "ZERVFAX.HIS";
    fax.SetFaxLog(&history);
    fax.SetDestinationDir("\"" + dir.path().string() + "\"");

    EXPECT_EQ(SendToWindow(fax, kMsgAccept), 1);  // no handler: every call
    SendToWindow(fax, kMsgName);
    EXPECT_EQ(fax.FaxFile(), dir.folder() + "FAX0001.APF");
    fax.NamingMode = 3;
    SendToWindow(fax, kMsgName);
    EXPECT_EQ(fax.FaxFile(), dir.folder() + "noname.apf");
    fax.OnFaxName = [](VlReceiveFax&, std::string& name) { name = "/elsewhere/x.apf"; };
    SendToWindow(fax, kMsgName);
    EXPECT_EQ(fax.FaxFile(), "/elsewhere/x.apf");

    std::vector<int> logged;
    fax.OnFaxLog = [&logged](VlAbstractFax& f, int code) {
        logged.push_back(code);
        EXPECT_EQ(f.FaxFile(), "/elsewhere/x.apf");  // cleared only after the event
    };
    fax.OnFaxAccept = [](VlReceiveFax&, bool& accept) {
        EXPECT_TRUE(accept);
        accept = false;
    };
    EXPECT_EQ(SendToWindow(fax, kMsgAccept), 0);
    SendToWindow(fax, kMsgLog, kLogReceiveSkipped);
    EXPECT_EQ(logged, std::vector<int>{kLogReceiveSkipped});
    EXPECT_EQ(fax.FaxFile(), "");
    const std::string text = vl::test::ReadFile(history.FaxHistoryName);
    EXPECT_EQ(text.rfind("Receive skipped at ", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
}

TEST(VlAbstractFax, ErrorTextIgnoresTheSign)
{
    EXPECT_EQ(VlAbstractFax::ErrorText(base::ecFaxBusy), "Called fax number was busy");
    EXPECT_EQ(VlAbstractFax::ErrorText(-base::ecFaxBusy), "Called fax number was busy");
    EXPECT_EQ(VlAbstractFax::ProgressText(base::fpFinished), "Finished");
    EXPECT_EQ(VlAbstractFax::ProgressText(4800), "");
}

TEST(VlAbstractFax, TheStatusDisplaysCancelButtonIsLinkedAndUnlinked)
{
    base::MessageLoop loop;
    FaxStatusModel display;
    {
        VlSendFax fax(loop);
        fax.SetStatusDisplay(&display);
        ASSERT_TRUE(display.OnCancel);
        display.Cancel();  // no session: nothing to cancel
    }
    EXPECT_FALSE(display.OnCancel);
}

}  // namespace
}  // namespace vl::fax
