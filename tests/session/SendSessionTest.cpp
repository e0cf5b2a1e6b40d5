// The send session on a scripted modem: the refusals and failures before a
// transmission, the finish event, and the component as it is configured.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "SessionFixture.h"
#include "base/ErrorCodes.h"
#include "base/MessageTable.h"
#include "faxdoc/ApfWriter.h"
#include "session/SendSession.h"

namespace vl::test {
namespace {

class SendSessionTest : public ::testing::Test {
protected:
    void Make(FakeModemScript script = ComPortFixture::OkScript())
    {
        fx = std::make_unique<SessionFixture>(std::move(script));
        session = std::make_unique<session::SendSession>(fx->loop, fx->settings, fx->ui);
        fx->UseModem(session->Port());
        session->PhoneNumber = " 555 0100 ";
    }
    std::vector<std::string> SavedLog() const { return fx->FileLines("Lastsend.log"); }
    bool Logged(const std::string& line) const
    {
        const auto& lines = session->Log().Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::string WriteApf(const std::string& name, bool fine) const
    {
        const std::string file = fx->dir.folder() + name;
        faxdoc::ApfWriter writer;
        EXPECT_EQ(writer.ApfCreate(file), 0);
        EXPECT_EQ(writer.ApfBeginPage(fine, 1728), 0);
        EXPECT_EQ(writer.ApfEndPage(), 0);
        EXPECT_EQ(writer.ApfFinish("TEST"), 0);
        return file;
    }

    std::unique_ptr<SessionFixture> fx;
    std::unique_ptr<session::SendSession> session;
};

TEST_F(SendSessionTest, ABlankNumberOrOneTheRecordCannotKeepIsRefusedWithoutALog)
{
    const std::string cannotKeep = "This fax number cannot be kept with the fax.";
    const struct {
        std::string number;
        std::string refusal;
    } cases[] = {
        {"   ", "Phone number is blank"},
        {std::string(26, '5'), cannotKeep},
        {"555 0100 \u260E", cannotKeep},  // no such character in the table's code page
    };
    Make();
    for (const auto& c : cases) {
        fx->ui.infos.clear();
        session->PhoneNumber = c.number;
        session->Send();
        ASSERT_EQ(fx->ui.infos.size(), 1u) << c.number;
        EXPECT_EQ(fx->ui.infos[0].rfind(c.refusal, 0), 0u) << fx->ui.infos[0];
        EXPECT_TRUE(fx->ui.errors.empty()) << c.number;
        EXPECT_FALSE(session->Busy());
        EXPECT_TRUE(session->Log().Lines().empty());
        EXPECT_THROW(SavedLog(), std::runtime_error);
    }
}

TEST_F(SendSessionTest, APortThatCannotOpenIsExplainedAndLogged)
{
    Make();
    fx->MapCom(3, fx->dir.folder() + "no-such-device");
    fx->settings.ComPort = 2;
    session->Send();
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "Error Opening Communications Port");
    EXPECT_FALSE(fx->ui.errors[0].withContinue);
    const std::string& text = fx->ui.errors[0].text;
    EXPECT_EQ(text.find("\r"), std::string::npos);
    // The port is named with its device, and the user learns how to change
    // that device while Find Modem is not there.
    const std::string com3 = "COM3 (" + fx->dir.folder() + "no-such-device)";
    EXPECT_NE(text.find("\n\nIs the Communications Port " + com3 +
                        " correct? Please\nclick on the Find Modem button on the Preferences screen to be sure.\n\n"
                        "Find Modem is not available in this version yet. To use another device for COM3, run\n"
                        "    vellora-cli settings set Ports COM3 DEVICE\n(DEVICE such as /dev/ttyUSB0), or set "
                        "COM3=DEVICE in the [Ports] section of " +
                        fx->dir.folder() + "VL.INI."),
              std::string::npos)
        << text;
    EXPECT_FALSE(session->Busy());
    EXPECT_FALSE(session->StatusPanelVisible());
    EXPECT_FALSE(session->Port().Open());

    const std::vector<std::string> saved = SavedLog();
    ASSERT_EQ(saved.size(), 5u);
    EXPECT_EQ(saved[0].rfind("Start:", 0), 0u);
    EXPECT_EQ(saved[1], "Opening com port: " + com3);
    EXPECT_EQ(saved[2], "Error opening com port: " + com3);
    EXPECT_EQ(saved[3].rfind("Message:Unable to open the specified communications port", 0), 0u);
    EXPECT_EQ(saved[4].rfind("Finish: ", 0), 0u);
}

TEST_F(SendSessionTest, ASilentModemStopsTheSessionUnlessContinued)
{
    Make(SilentScript());
    session->ToggleLogging();
    // The user presses Send and tries to close while the question is up.
    fx->ui.whileErrorShown = [this] {
        EXPECT_TRUE(session->Busy());
        session->Send();
        EXPECT_FALSE(session->RequestClose());
    };
    session->Send();
    EXPECT_EQ(fx->ui.beeps, 2);
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "No Response From Modem");
    EXPECT_TRUE(fx->ui.errors[0].withContinue);
    EXPECT_NE(fx->ui.errors[0].text.find("If you are sure there is a modem on COM7 (" + fx->modem.SlavePath() +
                                         "), press CONTINUE\n"),
              std::string::npos);
    EXPECT_FALSE(session->Busy());
    EXPECT_TRUE(session->RequestClose());
    const std::vector<std::string> saved = SavedLog();
    ASSERT_GE(saved.size(), 3u);
    EXPECT_EQ(saved[1], "Logging on");
    EXPECT_EQ(saved[saved.size() - 2], "Exit");
    // The trace markers went into the dispatch log, written out on the way.
    const std::string trace = ReadFile(fx->dir.path() / "VLOUT.LOG");
    EXPECT_NE(trace.find("Check_for_modem"), std::string::npos);
    EXPECT_NE(trace.find("Check_for_modem_ERROR"), std::string::npos);
}

TEST_F(SendSessionTest, ContinuingPastASilentModemReachesTheComponent)
{
    Make(SilentScript());
    fx->ui.pressContinue = true;
    // Files that are no fax files: the component refuses, and the user is
    // told so.
    session->FirstFile = fx->dir.folder() + "body.apf";
    session->SecondFile = fx->dir.folder() + "cover.apf";
    WriteFile(session->FirstFile, "not a fax");
    WriteFile(session->SecondFile, "not a fax either");
    session->Send();
    ASSERT_EQ(fx->ui.errors.size(), 2u);
    EXPECT_EQ(fx->ui.errors[1].title, "Fax Failure");
    EXPECT_TRUE(Logged("Fax#: 555 0100"));
    EXPECT_TRUE(Logged("StartTransmit"));
    EXPECT_TRUE(Logged("Error..."));
    EXPECT_FALSE(session->Busy());
    EXPECT_FALSE(session->ResultText().empty());
    EXPECT_FALSE(session->Port().Open());
}

TEST_F(SendSessionTest, AResetStringWithoutOkEndsTheSession)
{
    Make();
    fx->settings.String = "ATZ9";
    session->Send();
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "Unable to Continue");
    EXPECT_EQ(fx->ui.errors[0].text.rfind("We are unable to continue the fax session. \n\nThe modem did not respond to "
                                          "the reset string:   (ATZ9)\n\nIs the Communications Port COM7 (" +
                                              fx->modem.SlavePath() + ") correct?",
                                          0),
              0u);
    const std::vector<std::string> saved = SavedLog();
    ASSERT_GE(saved.size(), 3u);
    EXPECT_EQ(saved[saved.size() - 3], "Failure sending reset string: ATZ9");
    EXPECT_EQ(saved[saved.size() - 2], "Exiting...");
    EXPECT_FALSE(session->Busy());
}

TEST_F(SendSessionTest, TheComponentTakesFilesNumberDiallingAndInitString)
{
    Make();
    fx->settings.InitString = "&F S7=90";
    fx->settings.FaxClass = 0;
    fx->settings.Name = "Ann Lee";
    session->FirstFile = WriteApf("body.apf", false);
    session->SecondFile = WriteApf("cover.apf", false);
    session->DialPrefix = "9,";
    session->DialSuffix = "#12";
    session->ConfigureFax();
    fax::VlSendFax& fax = session->Fax();
    EXPECT_EQ(fax.FaxFileList, (std::vector<std::string>{session->SecondFile, session->FirstFile}));
    EXPECT_EQ(fax.EndOfDoc, fax::EndOfDocument::ContinueMps);
    EXPECT_EQ(fax.PhoneNumber, "555 0100#12");
    EXPECT_EQ(fax.DialPrefix, "9,");
    EXPECT_EQ(fax.DialWait, 90);
    EXPECT_EQ(fax.ModemInit, "AT&F S7=90");
    EXPECT_EQ(fax.FaxClass, fax::fcDetect);
    EXPECT_EQ(fax.DesiredCoding, faxdoc::PageCoding::Mmr);
    EXPECT_EQ(fax.HeaderLine.rfind("Sent by: Ann Lee    ", 0), 0u);

    // Other resolutions, or renegotiation asked for, renegotiate.
    session->SecondFile = WriteApf("fine-cover.apf", true);
    session->DisablePrefix = session->DisableSuffix = true;
    fx->settings.InitString = "ats7=30";
    fx->settings.FaxClass = 2;
    fx->settings.Coding = app::kCodingMhOnly;
    session->ConfigureFax();
    EXPECT_EQ(fax.EndOfDoc, fax::EndOfDocument::RenegotiateEom);
    EXPECT_EQ(fax.PhoneNumber, "555 0100");
    EXPECT_EQ(fax.DialPrefix, "");
    EXPECT_EQ(fax.DialWait, 75);
    EXPECT_EQ(fax.ModemInit, "ats7=30");
    EXPECT_EQ(fax.FaxClass, fax::fcClass2);
    EXPECT_EQ(fax.DesiredCoding, faxdoc::PageCoding::Mh);

    // One file continues unless renegotiation is asked for.
    session->SecondFile.clear();
    session->ConfigureFax();
    EXPECT_EQ(fax.FaxFileList, std::vector<std::string>{session->FirstFile});
    EXPECT_EQ(fax.EndOfDoc, fax::EndOfDocument::ContinueMps);
    fx->settings.RenegotiateBetween = true;
    session->ConfigureFax();
    EXPECT_EQ(fax.EndOfDoc, fax::EndOfDocument::RenegotiateEom);
}

TEST_F(SendSessionTest, TheFinishEventLeavesTheResultAndTellsTheUser)
{
    Make();
    int finished = 1;
    session->OnFinished = [&finished](int code) { finished = code; };
    session->FaxFinished(0);
    EXPECT_EQ(session->ResultText(), "Sent");
    EXPECT_EQ(fx->ui.infos, std::vector<std::string>{"The fax was sent successfully"});
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(session->LastSendError(), 0);

    session->FaxFinished(base::ecFaxBusy);
    const std::string text = base::ErrorText(base::ecFaxBusy);
    EXPECT_EQ(session->ResultText(), text);
    EXPECT_EQ(session->LastSendError(), base::ecFaxBusy);
    ASSERT_EQ(fx->ui.errors.size(), 1u);
    EXPECT_EQ(fx->ui.errors[0].title, "Fax Failure");
    EXPECT_EQ(fx->ui.errors[0].text,
              "We have received an error message while trying to send the fax\n\nError message: " + text + "\n\n");
    const std::vector<std::string> saved = SavedLog();
    EXPECT_NE(std::find(saved.begin(), saved.end(), "Result: " + text), saved.end());
}

TEST_F(SendSessionTest, LoggingTogglesWithItsTwoMessages)
{
    Make();
    EXPECT_FALSE(session->Logging());
    EXPECT_EQ(session->ToggleLogging(),
              "Logging is now ON. Log file will be saved\nfor this fax session as VLOUT.LOG. This will\n"
              "overwrite any previous VLOUT.LOG.");
    EXPECT_TRUE(session->Logging());
    EXPECT_EQ(session->ToggleLogging(), "Logging is now OFF");
}

}  // namespace
}  // namespace vl::test
