// Checking the fax classes of a scripted modem: the class lines and the
// recommendation for each class list, and the steps that stop the check.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ComPortFixture.h"
#include "app/FaxClassCheck.h"
#include "fax/VlSendFax.h"

namespace vl::test {
namespace {

const char kUnknown[] = "Class 1   : unknown|Class 2   : unknown|Class 2.0 : unknown";

FakeModemScript ClassScript(const std::string& classReply)
{
    FakeModemScript script = ComPortFixture::OkScript();
    script.replies["AT&F"] = "\r\nOK\r\n";
    script.replies["AT+FCLASS=?"] = classReply;
    return script;
}

class FaxClassCheckTest : public ::testing::Test {
protected:
    explicit FaxClassCheckTest(FakeModemScript script = ClassScript("\r\n0,1\r\n\r\nOK\r\n"))
        : rig(std::move(script)), sendFax(rig.loop), check(*rig.port, sendFax, kModemCom, "")
    {
        sendFax.SetComPort(rig.port.get());
    }
    ~FaxClassCheckTest() override { sendFax.SetComPort(nullptr); }

    // Runs the check; the lines joined by "|", a bold one marked by "*".
    std::string Run(int expected)
    {
        EXPECT_EQ(check.Run(), expected);
        EXPECT_FALSE(rig.port->Open());
        std::string lines;
        for (const app::FaxClassLine& line : check.Lines())
            lines += (lines.empty() ? "" : "|") + std::string(line.bold ? "*" : "") + line.text;
        return lines;
    }
    std::string Com7() const { return "COM7 (" + rig.modem.SlavePath() + ")"; }

    ComPortFixture rig;
    fax::VlSendFax sendFax;
    app::FaxClassCheck check;
};

struct ClassCase {
    const char* reply;  // to AT+FCLASS=?
    const char* lines;
    int recommended;
};

class FaxClassListTest : public FaxClassCheckTest, public ::testing::WithParamInterface<ClassCase> {
protected:
    FaxClassListTest() : FaxClassCheckTest(ClassScript(GetParam().reply)) {}
};

TEST_P(FaxClassListTest, TheLinesAndTheRecommendationFollowTheList)
{
    const ClassCase& c = GetParam();
    EXPECT_EQ(Run(c.recommended), c.lines);
    EXPECT_EQ(rig.modem.Commands(), (std::vector<std::string>{"AT", "AT&F", "AT+FCLASS=?"}));
    if (c.recommended < 0)
        EXPECT_EQ(check.Status(), "Unable to determine Fax Class support from modem on Com 7 (" +
                                      rig.modem.SlavePath() + ")");
    else
        EXPECT_EQ(check.Status(), "Try using the recommended Fax Class (" + check.RecommendedName() +
                                      "). \r\rIf you experience problems, try other supported classes or auto "
                                      "detect.");
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FaxClassListTest,
    ::testing::Values(
        ClassCase{"\r\n0,1\r\n\r\nOK\r\n",
                  "Class 1   : Supported (recommended)|Class 2   : Not Supported|Class 2.0 : Not Supported", 0},
        ClassCase{"\r\n+FCLASS: 0,1,2\r\n\r\nOK\r\n",
                  "Class 1   : Supported (recommended)|Class 2   : Supported|Class 2.0 : Not Supported", 0},
        ClassCase{"\r\n+FCLASS: 0,2,2.0\r\n\r\nOK\r\n",
                  "Class 1   : Not Supported|Class 2   : Supported (recommended)|Class 2.0 : Supported", 1},
        ClassCase{"\r\n0,2.0,8\r\n\r\nOK\r\n",
                  "Class 1   : Not Supported|Class 2   : Not Supported|*Class 2.0 : Supported", 2},
        ClassCase{"\r\n0,8\r\n\r\nOK\r\n", kUnknown, -1},
        ClassCase{"\r\nERROR\r\n", kUnknown, -1}));

// "AT" goes unanswered; the rest of the dialogue works.
FakeModemScript DeafToAt()
{
    FakeModemScript script = ClassScript("\r\n0,1,2\r\n\r\nOK\r\n");
    script.responder = [replies = script.replies](const std::string& command) {
        const auto reply = replies.find(command);
        return command == "AT" || reply == replies.end() ? std::string() : reply->second;
    };
    return script;
}

class SilentModemTest : public FaxClassCheckTest, public ::testing::WithParamInterface<bool> {
protected:
    SilentModemTest() : FaxClassCheckTest(DeafToAt()) {}
};

TEST_P(SilentModemTest, TheUserDecidesWhetherToGoOn)
{
    const bool goOn = GetParam();
    std::vector<std::string> asked;
    check.AskContinue = [&](const std::string& caption, const std::string& text) {
        asked.push_back(caption + "|" + text);
        return goOn;
    };
    const std::string lines = Run(goOn ? 0 : -1);
    EXPECT_EQ(asked, std::vector<std::string>{"NO MODEM RESPONSE|The device on " + Com7() +
                                              " is not responding and may\rnot be a modem. Continue with Fax "
                                              "Class Analysis?"});
    if (goOn)
        return;
    EXPECT_EQ(lines, kUnknown);
    EXPECT_EQ(check.Status(), "No response from device on " + Com7() + ". May not be a modem.");
    EXPECT_EQ(rig.modem.Commands(), std::vector<std::string>{"AT"});
}

INSTANTIATE_TEST_SUITE_P(Answers, SilentModemTest, ::testing::Values(false, true));

TEST_F(FaxClassCheckTest, AFailedResetStopsWithItsMessage)
{
    rig.modem.SetReply("AT&F", "\r\nERROR\r\n");
    std::vector<std::string> shown;
    check.ShowMessage = [&shown](const std::string& text) { shown.push_back(text); };
    EXPECT_EQ(Run(-1), kUnknown);
    EXPECT_EQ(shown, std::vector<std::string>{
                         "We are unable to continue the test. \r\rThe modem did not respond to the reset string:   "
                         "(AT&F)\r\rIs the Communications Port (" +
                         Com7() +
                         ") correct? Please\rclick the Find Modem Port button on the Preferences screen to be sure."});
    EXPECT_EQ(check.Status(), "No response from device on " + Com7() + ". May not be a modem.");
    EXPECT_EQ(rig.modem.Commands(), (std::vector<std::string>{"AT", "AT&F"}));
}

}  // namespace
}  // namespace vl::test
