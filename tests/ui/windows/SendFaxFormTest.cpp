// The Send Fax window on its own: what it refuses before dialling, its
// logging key, a port that cannot be opened, and one never configured.
#include "ui/ComSelectForm.h"
#include "ui/SendFaxForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "ModalDriver.h"
#include "base/MessageWindow.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

class SendFaxFormTest : public ::testing::Test {
protected:
    SendFaxFormTest() : home("VELLORA_HOME", dir.folder())
    {
        // COM1 is a device that does not exist.
        WriteFile(dir.folder() + "VL.INI", "[Ports]\nCOM1=" + dir.folder() + "no-such-modem\n");
        settings.ComPort = 0;
        form.SetFaxFiles(dir.folder() + "FAX00000.APF", "");
        form.SetPhoneNumber("5550199");
        form.show();
    }

    // Presses "Send Fax Now" and returns what the window then shows.
    std::string SendShows()
    {
        std::string shown;
        WhenModal([&](QWidget& modal) {
            shown = ModalText(modal);
            CloseModal(modal);
        });
        form.SendButton()->click();
        return shown;
    }

    TempDir dir;
    EnvVar home;
    base::MessageLoop loop;
    app::Settings settings;
    ui::SendFaxForm form{loop, settings};
};

TEST_F(SendFaxFormTest, ShowsTheGivenNumberAndTheModemSettings)
{
    EXPECT_EQ(form.NumberField()->text(), "5550199");
    EXPECT_TRUE(form.SetupText().startsWith(
        QString::fromStdString("Communications Port: COM1 (" + dir.folder() + "no-such-modem)\nFax Class: Class 1\n")))
        << form.SetupText().toStdString();
}

TEST_F(SendFaxFormTest, ABlankNumberIsRefusedAndTheFieldTakesTheFocus)
{
    form.NumberField()->setText("   ");
    EXPECT_EQ(SendShows(), "Information: Phone number is blank");
    EXPECT_EQ(form.focusWidget(), form.NumberField());
    EXPECT_FALSE(form.Session().Busy());
}

TEST_F(SendFaxFormTest, ANumberTheFaxRecordCannotKeepIsRefusedBeforeAnyCall)
{
    // Within the field's 25 characters, but the sign has no place in the table.
    form.NumberField()->setText(QString::fromUtf8("555 0199 \u260E"));
    const std::string shown = SendShows();
    EXPECT_EQ(shown.rfind("Information: This fax number cannot be kept with the fax.", 0), 0u) << shown;
    EXPECT_EQ(form.focusWidget(), form.NumberField());
    EXPECT_FALSE(form.Session().Busy());
    EXPECT_EQ(form.ResultText(), "");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Lastsend.log"));
}

TEST_F(SendFaxFormTest, ControlShiftZInAFieldTogglesTheLineLog)
{
    std::string shown;
    WhenModal([&](QWidget& modal) {
        shown = ModalText(modal);
        CloseModal(modal);
    });
    QTest::keyClick(form.NumberField(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(form.Session().Logging());
    EXPECT_NE(shown.find("Logging is now ON"), std::string::npos) << shown;
    EXPECT_EQ(form.NumberField()->text(), "5550199");  // the field did not take it as an undo
}

TEST_F(SendFaxFormTest, APortThatCannotOpenEndsTheAttemptWithItsReason)
{
    const std::string shown = SendShows();
    EXPECT_EQ(shown.rfind("Error Opening Communications Port", 0), 0u) << shown;
    const std::string com1 = "COM1 (" + dir.folder() + "no-such-modem)";
    EXPECT_NE(shown.find("Is the Communications Port " + com1 + " correct?"), std::string::npos) << shown;
    EXPECT_NE(shown.find("vellora-cli settings set Ports COM1 DEVICE"), std::string::npos) << shown;
    EXPECT_FALSE(form.Session().Busy());
    EXPECT_EQ(form.ResultText(), "");
    EXPECT_NE(ReadFile(dir.path() / "Lastsend.log").find("Error opening com port: " + com1), std::string::npos);
}

TEST_F(SendFaxFormTest, WithoutAConfiguredPortTheUserIsAskedForOne)
{
    settings.ComPort = -1;
    std::vector<std::string> titles;
    std::string shown;
    {
        // Every port question is cancelled, whatever device the machine has.
        ModalResponder responder([&](QWidget& modal) {
            titles.push_back(modal.windowTitle().toStdString());
            if (auto* select = qobject_cast<ui::ComSelectForm*>(&modal)) {
                select->reject();
                return;
            }
            shown = ModalText(modal);
            CloseModal(modal);
        });
        form.SendButton()->click();
    }
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.front(), "Select Port");
    EXPECT_EQ(shown.rfind("Error Opening Communications Port", 0), 0u) << shown;
    EXPECT_FALSE(form.Session().Busy());
}

}  // namespace
}  // namespace vl::test
