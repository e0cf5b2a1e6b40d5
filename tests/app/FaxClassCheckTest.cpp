// Checking the fax classes of a scripted modem: the class lines and the
// recommendation for each class list, and the steps that stop the check.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ComPortFixture.h"
#include "app/FaxClassCheck.h"
#include "fax/VlSendFax.h"

namespace vl::app {
void PrintTo(const FaxClassLine& line, std::ostream* out)
{
    *out << '"' << line.text << '"' << (line.bold ? " bold" : "");
}
}  // namespace vl::app

namespace vl::test {
namespace {

const std::array<app::FaxClassLine, 3> kUnknown = {{
    {"Class 1   : unknown", false},
    {"Class 2   : unknown", false},
    {"Class 2.0 : unknown", false},
}};


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
        : rig(std::move(script)), sendFax(rig.loop)
    {
        sendFax.SetComPort(rig.port.get());
    }
    ~FaxClassCheckTest() override { sendFax.SetComPort(nullptr); }

    int Check(app::FaxClassCheck& check)
    {
        const int result = check.Run();
        EXPECT_FALSE(rig.port->Open());
        return result;
    }
    std::string Com7() const { return "COM7 (" + rig.modem.SlavePath() + ")"; }

    ComPortFixture rig;
    fax::VlSendFax sendFax;
};

struct ClassCase {
    const char* name;
    const char* reply;  // to AT+FCLASS=?
    std::array<app::FaxClassLine, 3> lines;
    int recommended;
};

const char kSupported1[] = "Class 1   : Supported";
const char kNot1[] = "Class 1   : Not Supported";
const char kSupported2[] = "Class 2   : Supported";
const char kNot2[] = "Class 2   : Not Supported";
const char kSupported20[] = "Class 2.0 : Supported";
const char kNot20[] = "Class 2.0 : Not Supported";

class FaxClassListTest : public FaxClassCheckTest, public ::testing::WithParamInterface<ClassCase> {
protected:
    FaxClassListTest() : FaxClassCheckTest(ClassScript(GetParam().reply)) {}
};

TEST_P(FaxClassListTest, TheLinesAndTheRecommendationFollowTheList)
{
    const ClassCase& c = GetParam();
    app::FaxClassCheck check(*rig.port, sendFax, kModemCom, "");
    int changes = 0;
    check.OnChange = [&changes] { ++changes; };
    EXPECT_EQ(Check(check), c.recommended);
    EXPECT_EQ(check.Lines(), c.lines);
    EXPECT_GT(changes, 2);
    EXPECT_EQ(rig.modem.Commands(), (std::vector<std::string>{"AT", "AT&F", "AT+FCLASS=?"}));
    if (c.recommended < 0) {
        EXPECT_EQ(check.Status(), "Unable to determine Fax Class support from modem on Com 7 (" +
                                      rig.modem.SlavePath() + ")");
        EXPECT_EQ(check.RecommendedName(), "");
        return;
    }
    const std::string name = check.RecommendedName();
    EXPECT_EQ(name, c.recommended == 0 ? "Class 1" : c.recommended == 1 ? "Class 2" : "Class 2.0");
    EXPECT_EQ(check.Status(), "Try using the recommended Fax Class (" + name +
                                  "). \r\rIf you experience problems, try other supported classes or auto detect.");
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FaxClassListTest,
    ::testing::Values(
        ClassCase{"Class1Only", "\r\n0,1\r\n\r\nOK\r\n",
                  {{{std::string(kSupported1) + " (recommended)", false}, {kNot2, false}, {kNot20, false}}}, 0},
        ClassCase{"Class1And2", "\r\n+FCLASS: 0,1,2\r\n\r\nOK\r\n",
                  {{{std::string(kSupported1) + " (recommended)", false}, {kSupported2, false}, {kNot20, false}}},
                  0},
        ClassCase{"Class2And2_0", "\r\n+FCLASS: 0,2,2.0\r\n\r\nOK\r\n",
                  {{{kNot1, false}, {std::string(kSupported2) + " (recommended)", false}, {kSupported20, false}}},
                  1},
        ClassCase{"Class2_0IsBold", "\r\n0,2.0,8\r\n\r\nOK\r\n",
                  {{{kNot1, false}, {kNot2, false}, {kSupported20, true}}}, 2},
        ClassCase{"NoFaxClass", "\r\n0,8\r\n\r\nOK\r\n", kUnknown, -1},
        ClassCase{"QueryRefused", "\r\nERROR\r\n", kUnknown, -1}),
    [](const ::testing::TestParamInfo<ClassCase>& info) { return std::string(info.param.name); });

// "AT" goes unanswered; the rest of the dialogue works.
FakeModemScript DeafToAt()
{
    FakeModemScript script = ClassScript("\r\n0,1,2\r\n\r\nOK\r\n");
    script.responder = [replies = script.replies](const std::string& command) {
        if (command == "AT")
            return std::string();
        const auto reply = replies.find(command);
        return reply == replies.end() ? std::string("\r\nERROR\r\n") : reply->second;
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
    app::FaxClassCheck check(*rig.port, sendFax, kModemCom, "");
    std::vector<std::string> asked;
    check.AskContinue = [&](const std::string& caption, const std::string& text) {
        asked.push_back(caption + "|" + text);
        return goOn;
    };
    EXPECT_EQ(Check(check), goOn ? 0 : -1);
    EXPECT_EQ(asked, std::vector<std::string>{"NO MODEM RESPONSE|The device on " + Com7() +
                                              " is not responding and may\rnot be a modem. Continue with Fax "
                                              "Class Analysis?"});
    if (goOn)
        return;
    EXPECT_EQ(check.Status(), "No response from device on " + Com7() + ". May not be a modem.");
    EXPECT_EQ(check.Lines(), kUnknown);
    EXPECT_EQ(rig.modem.Commands(), std::vector<std::string>{"AT"});
}

INSTANTIATE_TEST_SUITE_P(Answers, SilentModemTest, ::testing::Values(false, true));

TEST_F(FaxClassCheckTest, AFailedResetStopsWithItsMessage)
{
    rig.modem.SetReply("AT&F", "\r\nERROR\r\n");
    app::FaxClassCheck check(*rig.port, sendFax, kModemCom, "");
    std::vector<std::string> shown;
    check.ShowMessage = [&shown](const std::string& text) { shown.push_back(text); };
    EXPECT_EQ(Check(check), -1);
    EXPECT_EQ(shown, std::vector<std::string>{
                         "We are unable to continue the test. \r\rThe modem did not respond to the reset string:   "
                         "(AT&F)\r\rIs the Communications Port (" +
                         Com7() +
                         ") correct? Please\rclick the Find Modem Port button on the Preferences screen to be sure."});
    EXPECT_EQ(check.Status(), "No response from device on " + Com7() + ". May not be a modem.");
    EXPECT_EQ(check.Lines(), kUnknown);
    EXPECT_EQ(rig.modem.Commands(), (std::vector<std::string>{"AT", "AT&F"}));
}

TEST_F(FaxClassCheckTest, APortThatWillNotOpenShowsTheOpenText)
{
    const std::string missing = rig.dir.folder() + "no-such-tty";
    rig.MapCom(3, missing);
    app::FaxClassCheck check(*rig.port, sendFax, 3, "");
    check.AskContinue = [](const std::string&, const std::string&) -> bool {
        ADD_FAILURE() << "nothing to ask about a port that did not open";
        return true;
    };
    EXPECT_EQ(Check(check), -1);
    EXPECT_EQ(check.Status(), "Unable to open the specified communications port ( COM3 (" + missing + ") )");
    EXPECT_EQ(check.Lines(), kUnknown);
    EXPECT_TRUE(rig.modem.Commands().empty());
}

}  // namespace
}  // namespace vl::test
