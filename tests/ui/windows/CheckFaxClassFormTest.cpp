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

    // Runs the window, answering a question with `answer`; the captions
    // and Ok's visibility seen meanwhile, the lines at the end ("|" between
    // them, "*" before a bold one) and the questions asked.
    ui::FaxClassChoice Run(QMessageBox::StandardButton answer = QMessageBox::No)
    {
        ModalResponder responder([&](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                questions.push_back(ModalText(*box));
                box->button(answer)->click();
                return;
            }
            auto* ok = Child<QPushButton>(modal, "ok");
            looks.push_back(modal.windowTitle().toStdString() + (ok->isVisible() ? " +Ok" : ""));
            if (!ok->isVisible())
                return;
            for (int i = 1; i <= 3; ++i) {
                const QLabel* line = Child<QLabel>(modal, ("class" + std::to_string(i)).c_str());
                lines += (lines.empty() ? "" : "|") + std::string(line->font().bold() ? "*" : "") +
                         line->text().toStdString();
            }
            status = Child<QLabel>(modal, "status")->text().toStdString();
            ok->click();
        });
        return ui::CheckFaxClassForm::Check(*port, sendFax, kModemCom, "", nullptr);
    }

    fax::VlSendFax sendFax;
    ui::QtMessagePump pump;
    std::vector<std::string> looks;
    std::vector<std::string> questions;
    std::string lines;
    std::string status;
};

struct ClassCase {
    const char* reply;  // to AT+FCLASS=?
    const char* lines;
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
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(status, "Try using the recommended Fax Class (" + std::string(c.name) +
                          "). \n\nIf you experience problems, try other supported classes or auto detect.");
    EXPECT_TRUE(questions.empty());
    ASSERT_GE(looks.size(), 2u);
    EXPECT_EQ(looks.front(), "Finding Fax Class...Please wait");
    EXPECT_EQ(looks.back(), "Check Fax Class +Ok");
    EXPECT_FALSE(port->Open());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CheckFaxClassListTest,
    ::testing::Values(ClassCase{"\r\n+FCLASS: 0,1,2\r\n\r\nOK\r\n",
                                "Class 1   : Supported (recommended)|Class 2   : Supported|Class 2.0 : Not Supported",
                                0, "Class 1"},
                      ClassCase{"\r\n0,2.0,8\r\n\r\nOK\r\n",
                                "Class 1   : Not Supported|Class 2   : Not Supported|*Class 2.0 : Supported", 2,
                                "Class 2.0"}));

class SilentDeviceTest : public CheckFaxClassFormTest {
protected:
    SilentDeviceTest() : CheckFaxClassFormTest(ClassScript("\r\n0,1\r\n\r\nOK\r\n", false)) {}
};

TEST_F(SilentDeviceTest, NoToTheQuestionLeavesTheClassesUnknown)
{
    const ui::FaxClassChoice choice = Run(QMessageBox::No);
    EXPECT_EQ(choice.index, -1);
    EXPECT_EQ(choice.name, "");
    const std::string com7 = "COM7 (" + modem.SlavePath() + ")";
    EXPECT_EQ(questions, std::vector<std::string>{"NO MODEM RESPONSE: The device on " + com7 +
                                                  " is not responding and may\nnot be a modem. Continue with Fax "
                                                  "Class Analysis?"});
    EXPECT_EQ(lines, "Class 1   : unknown|Class 2   : unknown|Class 2.0 : unknown");
    EXPECT_EQ(status, "No response from device on " + com7 + ". May not be a modem.");
    EXPECT_EQ(looks.back(), "Check Fax Class +Ok");
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"AT"});
    EXPECT_FALSE(port->Open());
}

}  // namespace
}  // namespace vl::test
