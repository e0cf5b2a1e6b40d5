// Receive mode on a scripted modem: the starts that fail, a start and stop,
// and the component's events as the component would raise them.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "SessionFixture.h"
#include "base/ErrorCodes.h"
#include "base/ExceptionDisplay.h"
#include "base/Exceptions.h"
#include "base/MessageTable.h"
#include "fax/FaxCodes.h"
#include "session/ReceiveMode.h"

namespace vl::test {
namespace {

class ReceiveModeTest : public ::testing::Test {
protected:
    void Make(FakeModemScript script = ComPortFixture::OkScript())
    {
        fx = std::make_unique<SessionFixture>(std::move(script));
        mode = std::make_unique<session::ReceiveMode>(fx->loop, fx->settings, fx->ui);
        fx->UseModem(mode->Port());
    }
    // The log's lines with their time stamps checked and taken off.
    std::vector<std::string> Unstamped(const std::vector<std::string>& lines) const
    {
        static const std::regex stamp("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  ");
        std::vector<std::string> texts;
        for (const std::string& line : lines)
            texts.push_back(std::regex_replace(line, stamp, "", std::regex_constants::format_first_only));
        return texts;
    }
    std::vector<std::string> SavedLog() const { return Unstamped(fx->FileLines("Lastrec.log")); }
    fax::FaxProgressValues Status(int code, int page = 0, const std::string& remoteId = "") const
    {
        fax::FaxProgressValues values;
        values.progress = code;
        values.currentPage = page;
        values.remoteId = remoteId;
        return values;
    }

    std::unique_ptr<SessionFixture> fx;
    std::unique_ptr<session::ReceiveMode> mode;
};

TEST_F(ReceiveModeTest, APortThatCannotOpenLeavesReceiveModeOff)
{
    Make();
    fx->MapCom(3, fx->dir.folder() + "no-such-device");
    fx->settings.ComPort = 2;
    EXPECT_FALSE(mode->Start(true));
    EXPECT_FALSE(mode->Active());
    EXPECT_FALSE(mode->Logging());
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "Error Opening Communications Port");
    const std::string& text = fx->ui.errors[0].text;
    const std::string com3 = "COM3 (" + fx->dir.folder() + "no-such-device)";
    const std::string ending = "\n\nIs the Communications Port " + com3 +
                               " correct? Please\n"
                               "click on the Find Modem button in Preferences to be sure.\n\n"
                               "Find Modem is not available in this version yet. To use another device for COM3, run\n"
                               "    vellora-cli settings set Ports COM3 DEVICE\n(DEVICE such as /dev/ttyUSB0), or set "
                               "COM3=DEVICE in the [Ports] section of " +
                               fx->dir.folder() + "VL.INI.";
    ASSERT_GT(text.size(), ending.size());
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
    EXPECT_TRUE(fx->ui.switchedToIncoming);
    EXPECT_EQ(fx->ui.statuses.front(), "Starting receive mode...");
    EXPECT_EQ(fx->ui.statuses.back(), "");

    const std::vector<std::string> raw = fx->FileLines("Lastrec.log");
    const std::vector<std::string> saved = Unstamped(raw);
    ASSERT_EQ(saved.size(), 8u);
    EXPECT_EQ(saved[0], "Start: ");
    EXPECT_NE(raw[0], saved[0]);
    EXPECT_EQ(saved[1], "Logging on");
    EXPECT_EQ(saved[2], "Buffer Size 8192");
    EXPECT_EQ(saved[3], "Opening com port: " + com3);
    EXPECT_EQ(saved[4], "Error opening com port: " + com3);
    // The message line carries no time.
    EXPECT_EQ(raw[5].rfind("  Message:Unable to open", 0), 0u);
    EXPECT_EQ(saved[6], "Error Starting Fax Receive ");
    EXPECT_EQ(saved[7], "Finish: ");
}

TEST_F(ReceiveModeTest, ASilentModemAbandonsTheStart)
{
    Make(SilentScript());
    EXPECT_FALSE(mode->Start(false));
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "No Response From Modem");
    EXPECT_TRUE(fx->ui.errors[0].withContinue);
    const std::vector<std::string> saved = SavedLog();
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved[saved.size() - 4], "Error checking for modem");
    EXPECT_EQ(saved[saved.size() - 3], "Exit - unable to find modem ");
    EXPECT_FALSE(mode->Active());
    EXPECT_FALSE(mode->Port().Open());
}

TEST_F(ReceiveModeTest, AResetStringWithoutOkAbandonsTheStart)
{
    Make();
    fx->settings.String = "ATZ9";
    EXPECT_FALSE(mode->Start(false));
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "Unable to Continue");
    EXPECT_NE(fx->ui.errors[0].text.find("reset string:   (ATZ9)"), std::string::npos);
    const std::vector<std::string> saved = SavedLog();
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved[saved.size() - 4], "Failure sending reset string: ATZ9");
    EXPECT_EQ(saved[saved.size() - 3], "Exiting modem not responding to reset");
    EXPECT_FALSE(mode->Port().Open());
}

TEST_F(ReceiveModeTest, StartsWaitsAndStops)
{
    Make(AllOkScript());
    fx->settings.FaxClassReceive = 1;
    fx->settings.InitStringReceive = "&F";
    fx->settings.ECMReceive = true;
    fx->settings.Coding = app::kCodingUpToMr;
    fx->settings.GlobalLargerReceiveBuffer = true;
    fx->settings.DisableReceivingFaxesNotification = false;
    ASSERT_TRUE(mode->Start(false));
    EXPECT_TRUE(mode->Active());
    EXPECT_TRUE(fx->ui.noticeVisible);
    EXPECT_TRUE(fx->ui.noticeReady);
    EXPECT_EQ(fx->ui.statuses.back(), "Waiting for fax...");
    EXPECT_EQ(mode->Port().InSize(), 16384);
    EXPECT_EQ(mode->Port().BufferFull(), 14746);
    EXPECT_EQ(mode->Port().BufferResume(), 1638);
    EXPECT_EQ(mode->Fax().FaxClass, fax::fcClass1);
    EXPECT_EQ(mode->Fax().ModemInit, "AT&F");
    EXPECT_EQ(mode->Fax().DesiredCoding, faxdoc::PageCoding::Mr);
    const std::vector<std::string> lines = Unstamped(mode->Log().Lines());
    const std::vector<std::string> config{"Config",
                                          "  Desired BPS: 9600",
                                          "  Desired ECM: ON",
                                          "  Coding: Up to MR (two-dimensional)",
                                          "  Fax Class: Class 1",
                                          "  User INIT String: &F",
                                          "Start Receive Mode "};
    EXPECT_NE(std::search(lines.begin(), lines.end(), config.begin(), config.end()), lines.end());

    mode->Stop();
    EXPECT_FALSE(mode->Active());
    EXPECT_FALSE(mode->Port().Open());
    EXPECT_FALSE(fx->ui.noticeVisible);
    EXPECT_EQ(fx->ui.statuses.back(), "");
    const std::vector<std::string> saved = SavedLog();
    ASSERT_GE(saved.size(), 2u);
    EXPECT_EQ(saved[saved.size() - 2], "Stopped receive mode ");
    EXPECT_TRUE(fx->ui.errors.empty());
}

std::atomic<bool> throwOnTimer{false};

void ThrowOnTimer(std::uint32_t msg, std::uintptr_t, std::intptr_t)
{
    if (msg == serial::kTriggerTimerMsg && throwOnTimer.exchange(false))
        throw base::EFaxSessionError();
}

// A handler that throws on the port's dispatcher thread while receive mode
// waits for calls: the failure is shown, and receive mode ends with its code,
// says so and logs it instead of waiting on a dead port.
TEST_F(ReceiveModeTest, AnExceptionOnThePortsThreadEndsReceiveModeWithItsError)
{
    Make(AllOkScript());
    std::vector<std::string> shown;
    const auto previous =
        base::SetExceptionDisplay([&](std::exception_ptr error) { shown.push_back(base::ExceptionText(error)); });
    ASSERT_TRUE(mode->Start(false));
    mode->Port().Dispatcher().AddProcedureHandler(ThrowOnTimer);
    throwOnTimer = true;
    const bool ended = fx->PumpUntil([&] { return !mode->Active(); }, std::chrono::seconds(10));
    base::SetExceptionDisplay(previous);
    ASSERT_TRUE(ended);
    const std::string text = base::ErrorText(base::ecFaxSessionError);
    EXPECT_EQ(shown, std::vector<std::string>{text});
    EXPECT_FALSE(mode->Port().Open());
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "Receive Mode Ended");
    EXPECT_NE(fx->ui.errors[0].text.find(text), std::string::npos);
    const std::vector<std::string> saved = SavedLog();
    EXPECT_NE(std::find(saved.begin(), saved.end(), "Fax error: " + text), saved.end());
    EXPECT_NE(std::find(saved.begin(), saved.end(), "Receive mode ended: " + text), saved.end());
}

TEST_F(ReceiveModeTest, StatusEventsLogChangesAndAlwaysRefreshTheStatusLine)
{
    Make();
    mode->StatusEvent(Status(base::fpWaitingForCall), true, false);
    mode->StatusEvent(Status(base::fpWaitingForCall), false, false);
    mode->AcceptEvent();
    EXPECT_TRUE(mode->ReceivingNow());
    mode->StatusEvent(Status(base::fpGotRemoteId, 0, " ACME "), false, false);
    fax::FaxProgressValues page = Status(base::fpGettingPage, 1, " ACME ");
    page.bytesTransferred = 1200;
    mode->StatusEvent(page, false, false);
    EXPECT_EQ(fx->ui.statuses.back(), "Receiving fax from: ACME, page 1 (1200 bytes)");
    mode->StatusEvent(Status(base::fpFinished, 1, "ACME"), false, true);
    EXPECT_FALSE(mode->ReceivingNow());

    EXPECT_EQ(Unstamped(mode->Log().Lines()), (std::vector<std::string>{"Waiting for call ", "Connected to ACME ",
                                                                        "Receiving page 1", "Finished "}));
    EXPECT_EQ(fx->ui.statuses.size(), 5u);
    EXPECT_EQ(fx->ui.statuses[0], "Waiting for incoming call");
    EXPECT_EQ(fx->ui.statuses[1], "Waiting for incoming call");
}

TEST_F(ReceiveModeTest, AReceivedFaxIsFiledAndAnnounced)
{
    Make();
    const std::string wav = fx->dir.folder() + "ring.wav";
    WriteFile(wav, "RIFF");
    fx->settings.Wav = wav;
    fx->settings.PrintOnReceipt = true;
    const std::string file = fx->dir.folder() + "FAX00001.APF";
    mode->LogEvent(fax::kLogReceiveStarted, file, Status(base::fpCallValidated));
    mode->StatusEvent(Status(base::fpGettingPageEnd, 2, "ACME"), false, false);
    mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 2, "  ACME  "));
    ASSERT_EQ(fx->ui.filed.size(), 1u);
    EXPECT_EQ(fx->ui.filed[0].stationId, "ACME");
    EXPECT_EQ(fx->ui.filed[0].pages, 2);
    EXPECT_EQ(fx->ui.filed[0].faxFile, file);
    EXPECT_EQ(fx->ui.sounds, std::vector<std::string>{wav});
    const std::vector<std::string> lines = Unstamped(mode->Log().Lines());
    EXPECT_EQ(lines[0], "Receiving a fax ");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "2 pages received from ACME"), lines.end());
    ASSERT_EQ(fx->ui.printed.size(), 1u);
    EXPECT_EQ(fx->ui.printed[0].file, file);
    const std::string& header = fx->ui.printed[0].header;
    EXPECT_EQ(header.rfind("From: ACME             Received: ", 0), 0u) << header;
    EXPECT_NE(header.find("             Fax File:        fax00001.apf"), std::string::npos) << header;

    // A sound file that has gone is not played; a printer that fails is told
    // in the log and receive mode goes on.
    fx->settings.Wav = fx->dir.folder() + "gone.wav";
    fx->ui.printFails = true;
    mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 1, ""));
    EXPECT_EQ(fx->ui.sounds.size(), 1u);
    EXPECT_EQ(fx->ui.filed.size(), 2u);
    EXPECT_EQ(Unstamped(mode->Log().Lines()).back(), "Error printing the received fax: printer out of paper");
}

TEST_F(ReceiveModeTest, TheCommandOnReceiptRunsLastWithTheFileAndTheSenderAndItsFailuresAreLogged)
{
    Make();
    fx->settings.PrintOnReceipt = true;
    fx->settings.ReceiptCommand = "'fax tool' --mail";
    const std::string file = fx->dir.folder() + "FAX00001.APF";
    mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 1, "  ACME; $(reboot)  "));
    ASSERT_EQ(fx->ui.commands.size(), 1u);
    const RecordingUi::CommandRun& run = fx->ui.commands[0];
    EXPECT_EQ(run.argv, (std::vector<std::string>{"fax tool", "--mail", file, "ACME; $(reboot)"}));
    EXPECT_EQ(run.filedBefore, 1u);
    EXPECT_EQ(run.printedBefore, 1u);
    // Its outcome comes later; receive mode only logs it, nothing is shown
    // and the fax stays filed.
    const std::string subject = "The command run on receipt of " + file;
    run.failed("exit status 3");
    EXPECT_EQ(Unstamped(mode->Log().Lines()).back(), subject + " failed: exit status 3");
    EXPECT_TRUE(fx->ui.errors.empty());
    EXPECT_EQ(fx->ui.filed.size(), 1u);

    // A fax that could not be filed nor printed is still there to run it on,
    // from a sender without an ID.
    fx->ui.filingFails = true;
    fx->ui.printFails = true;
    std::size_t startedBeforeError = 0;
    fx->ui.whileErrorShown = [&] { startedBeforeError = fx->ui.commands.size(); };
    mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 1, ""));
    ASSERT_EQ(fx->ui.commands.size(), 2u);
    EXPECT_EQ(startedBeforeError, 2u) << "the command waited for the error window";
    EXPECT_EQ(fx->ui.commands[1].argv, (std::vector<std::string>{"fax tool", "--mail", file, ""}));
    EXPECT_EQ(fx->ui.errors.size(), 1u);

    // A setting that cannot run starts nothing and says why; none runs nothing.
    fx->ui.filingFails = false;
    fx->ui.printFails = false;
    fx->settings.ReceiptCommand = "mail 'me";
    mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 1, "ACME"));
    EXPECT_EQ(Unstamped(mode->Log().Lines()).back(), subject + " was not run: a quote is not closed");
    fx->settings.ReceiptCommand.clear();
    mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 1, "ACME"));
    EXPECT_EQ(fx->ui.commands.size(), 2u);
    EXPECT_EQ(Unstamped(mode->Log().Lines()).back(), "0 pages received from ACME");
}

TEST_F(ReceiveModeTest, ACommandThatFailsOnceReceiveModeIsOffIsInTheSavedLog)
{
    Make();
    fx->settings.ReceiptCommand = "mailfax";
    const std::string file = fx->dir.folder() + "FAX00001.APF";
    mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 1, "ACME"));
    ASSERT_EQ(fx->ui.commands.size(), 1u);
    fx->ui.commands[0].failed("signal 9 (Killed)");
    const std::vector<std::string> saved = SavedLog();
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved.back(), "The command run on receipt of " + file + " failed: signal 9 (Killed)");
}

TEST_F(ReceiveModeTest, TheDesktopHearsOfEachReceivedFaxWhenAskedEvenIfFilingFailed)
{
    struct Case {
        bool notify;
        bool filingFails;
        std::size_t announced;
    };
    Make();
    for (const Case& c : {Case{true, false, 1}, Case{true, true, 1}, Case{false, false, 0}, Case{false, true, 0}}) {
        SCOPED_TRACE(std::to_string(c.notify) + " " + std::to_string(c.filingFails));
        fx->settings.NotifyOnReceipt = c.notify;
        fx->ui.filingFails = c.filingFails;
        fx->ui.announced.clear();
        fx->ui.errors.clear();
        // The filing error's window waits for the user; the desktop does not.
        std::size_t announcedBeforeError = 0;
        fx->ui.whileErrorShown = [&] { announcedBeforeError = fx->ui.announced.size(); };
        const std::string file = fx->dir.folder() + "FAX00003.APF";
        mode->StatusEvent(Status(base::fpGettingPageEnd, 3, "+1 555 0199"), false, false);
        mode->LogEvent(fax::kLogReceiveOk, file, Status(base::fpGettingPageEnd, 3, " +1 555 0199 "));
        ASSERT_EQ(fx->ui.announced.size(), c.announced);
        if (c.announced == 0)
            continue;
        EXPECT_EQ(fx->ui.announced[0].stationId, "+1 555 0199");
        EXPECT_EQ(fx->ui.announced[0].pages, 3);
        EXPECT_EQ(fx->ui.announced[0].faxFile, file);
        EXPECT_EQ(fx->ui.errors.empty(), !c.filingFails);
        if (c.filingFails) {
            EXPECT_EQ(announcedBeforeError, 1u);
        }
    }
}

TEST_F(ReceiveModeTest, AFailedFaxIsReportedAndItsFileRemoved)
{
    Make();
    const std::string file = fx->dir.folder() + "FAX00002.APF";
    WriteFile(file, "part of a fax");
    mode->AcceptEvent();
    mode->LogEvent(fax::kLogReceiveStarted, file, Status(base::fpCallValidated));
    mode->ErrorEvent(base::ecFaxBusy);
    mode->LogEvent(fax::kLogReceiveFailed, file, Status(base::fpGettingPage, 1));
    const std::string text = base::ErrorText(base::ecFaxBusy);
    EXPECT_FALSE(mode->ReceivingNow());
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(fx->ui.filed.empty());
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "Failed To Receive Incoming Fax");
    EXPECT_EQ(fx->ui.errors[0].text,
              "Vellora failed to receive an incoming fax.\n\nThe error message was:   " + text);
    const std::vector<std::string> lines = Unstamped(mode->Log().Lines());
    EXPECT_EQ(lines[lines.size() - 2], "Fax error: " + text);
    EXPECT_EQ(lines.back(), "Receive Failed with error: " + text);

    // Without an error event the reason is unknown; the code was used up.
    mode->LogEvent(fax::kLogReceiveFailed, "", Status(base::fpGettingPage, 1));
    EXPECT_EQ(Unstamped(mode->Log().Lines()).back(), "Receive Failed with error: Unknown error");
}

}  // namespace
}  // namespace vl::test
