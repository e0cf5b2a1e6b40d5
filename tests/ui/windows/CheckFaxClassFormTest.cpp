// The fax class window on a scripted modem: the class lines as shown (the
// bold one too), the recommendation it returns, and the question about a
// device that does not answer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <string>
#include <utility>
#include <vector>

#include "ComPortFixture.h"
#include "ModalDriver.h"
#include "fax/VlSendFax.h"
#include "ui/CheckFaxClassForm.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

FakeModemScript ClassScript(const std::string& classReply, bool answersAt = true)
{
    FakeModemScript script;
    script.replies["AT&F"] = "\r\nOK\r\n";
    script.replies["AT+FCLASS=?"] = classReply;
    if (answersAt)
        script.replies["AT"] = "\r\nOK\r\n";
    return script;
}

class CheckFaxClassFormTest : public ::testing::Test, public ComPortFixture {
protected:
    explicit CheckFaxClassFormTest(FakeModemScript script) : ComPortFixture(std::move(script)), sendFax(loop), pump(loop)
    {
        sendFax.SetComPort(port.get());
    }
    ~CheckFaxClassFormTest() override { sendFax.SetComPort(nullptr); }

    // Runs the window, answering No to a question; at the end `shown` holds
    // the caption, the three lines ("*" before a bold one) and the status.
    ui::FaxClassChoice Run()
    {
        ModalResponder responder([this](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                questions.push_back(ModalText(*box));
                box->button(QMessageBox::No)->click();
                return;
            }
            auto* ok = Child<QPushButton>(modal, "ok");
            if (!ok->isVisible())
                return;
            shown = {modal.windowTitle().toStdString()};
            for (const char* name : {"class1", "class2", "class3", "status"}) {
                const QLabel* label = Child<QLabel>(modal, name);
                shown.push_back((label->font().bold() ? "*" : "") + label->text().toStdString());
            }
            ok->click();
        });
        const ui::FaxClassChoice choice = ui::CheckFaxClassForm::Check(*port, sendFax, kModemCom, "", nullptr);
        EXPECT_FALSE(port->Open());
        return choice;
    }

    fax::VlSendFax sendFax;
    ui::QtMessagePump pump;
    std::vector<std::string> questions;
    std::vector<std::string> shown;
};

struct ClassCase {
    const char* reply;  // to AT+FCLASS=?
    std::vector<std::string> lines;
    int index;
    const char* name;
};

class CheckFaxClassListTest : public CheckFaxClassFormTest, public ::testing::WithParamInterface<ClassCase> {
protected:
    CheckFaxClassListTest() : CheckFaxClassFormTest(ClassScript(GetParam().reply)) {}
};

TEST_P(CheckFaxClassListTest, ShowsTheLinesAndReturnsTheRecommendation)
{
    const ClassCase& c = GetParam();
    const ui::FaxClassChoice choice = Run();
    EXPECT_EQ(choice.index, c.index);
    EXPECT_EQ(choice.name, c.name);
    std::vector<std::string> expected = {"Check Fax Class"};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    expected.push_back("Try using the recommended Fax Class (" + std::string(c.name) +
                       "). \n\nIf you experience problems, try other supported classes or auto detect.");
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(questions.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CheckFaxClassListTest,
    ::testing::Values(ClassCase{"\r\n+FCLASS: 0,1,2\r\n\r\nOK\r\n",
                                {"Class 1   : Supported (recommended)", "Class 2   : Supported",
                                 "Class 2.0 : Not Supported"},
                                0,
                                "Class 1"},
                      ClassCase{"\r\n0,2.0,8\r\n\r\nOK\r\n",
                                {"Class 1   : Not Supported", "Class 2   : Not Supported", "*Class 2.0 : Supported"},
                                2,
                                "Class 2.0"}));

class SilentDeviceTest : public CheckFaxClassFormTest {
protected:
    SilentDeviceTest() : CheckFaxClassFormTest(ClassScript("\r\n0,1\r\n\r\nOK\r\n", false)) {}
};

TEST_F(SilentDeviceTest, NoToTheQuestionLeavesTheClassesUnknown)
{
    EXPECT_EQ(Run().index, -1);
    const std::string com7 = "COM7 (" + modem.SlavePath() + ")";
    EXPECT_EQ(questions, std::vector<std::string>{"NO MODEM RESPONSE: The device on " + com7 +
                                                  " is not responding and may\nnot be a modem. Continue with Fax "
                                                  "Class Analysis?"});
    EXPECT_EQ(shown, (std::vector<std::string>{"Check Fax Class", "Class 1   : unknown", "Class 2   : unknown",
                                               "Class 2.0 : unknown",
                                               "No response from device on " + com7 + ". May not be a modem."}));
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"AT"});
}

}  // namespace
}  // namespace vl::test
