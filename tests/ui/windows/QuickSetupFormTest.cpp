// The quick setup: its limits, what it stores, and when the main window's
// first activation brings it up.
#include "ui/QuickSetupForm.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ModalDriver.h"
#include "base/IniFile.h"
#include "base/MessageWindow.h"
#include "support/EnvVar.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"
#include "ui/ShowErrorForm.h"

namespace vl::test {
namespace {

using ui::QuickSetupForm;

class QuickSetupTest : public ::testing::Test {
protected:
    QuickSetupTest() : home("VELLORA_HOME", dir.folder()), pump(loop) {}

    std::string IniFile() const { return dir.folder() + "VL.INI"; }

    // Opens the main window and runs its first activation; `modal` answers
    // every modal window that comes up meanwhile.
    std::unique_ptr<ui::MainScreen> Start(std::function<void(QWidget&)> modal)
    {
        ModalResponder responder(std::move(modal));
        auto window = std::make_unique<ui::MainScreen>(loop);
        window->show();
        for (int i = 0; i < 500 && !window->FirstActivationDone(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_TRUE(window->FirstActivationDone());
        return window;
    }

    TempDir dir;
    EnvVar home;
    base::MessageLoop loop;
    ui::QtMessagePump pump;
};

TEST_F(QuickSetupTest, FieldsKeepTheirFirstCharactersOnly)
{
    struct Case {
        const char* field;
        int limit;
    };
    for (const Case c : {Case{"Name", 35}, Case{"FaxNumber", 20}}) {
        app::Settings settings;
        // A longer value in the file is cut as typing would be.
        settings.Name = settings.Fax = std::string(50, 'f');
        QuickSetupForm form(loop, settings);
        auto* field = Child<QLineEdit>(form, c.field);
        EXPECT_EQ(field->text().size(), c.limit) << c.field;
        field->clear();
        QTest::keyClicks(field, QStringLiteral("0123456789").repeated(5));
        EXPECT_EQ(field->text(), QStringLiteral("0123456789").repeated(5).left(c.limit)) << c.field;
    }
}

TEST_F(QuickSetupTest, StoresTheFourValuesOnOkAndOnTheWayToTheWizardOnly)
{
    struct Case {
        const char* button;
        int result;
        bool stored;
    };
    for (const Case c : {Case{"ok", QDialog::Accepted, true}, Case{"preferencesWizard", -99, true},
                         Case{"cancel", QDialog::Rejected, false}}) {
        app::Settings settings;
        settings.ComPort = 7;  // COM8: no button shows it
        settings.Name = "Old Name";
        WhenModal([&](QWidget& modal) {
            Child<QRadioButton>(modal, "Com4")->setChecked(true);
            Child<QLineEdit>(modal, "Name")->setText("Ada Example");
            Child<QLineEdit>(modal, "FaxNumber")->setText("+1 555 0123");
            Child<QCheckBox>(modal, "UseMotorolaSM56Fix")->setChecked(true);
            Child<QPushButton>(modal, c.button)->click();
        });
        EXPECT_EQ(QuickSetupForm::Edit(loop, settings, nullptr), c.result) << c.button;
        EXPECT_EQ(settings.ComPort, c.stored ? 3 : 7) << c.button;
        EXPECT_EQ(settings.Name, c.stored ? "Ada Example" : "Old Name") << c.button;
        EXPECT_EQ(settings.Fax, c.stored ? "+1 555 0123" : "") << c.button;
        EXPECT_EQ(settings.UseMotorolaSM56Fix, c.stored) << c.button;
    }
}

TEST_F(QuickSetupTest, AFirstStartAsksAndSavesOnOkOrOnTheWayToTheWizard)
{
    struct Case {
        const char* button;
        bool saved;
        const char* shown;
    };
    for (const Case& c : {Case{"cancel", false, "Quick Setup Form;"}, Case{"ok", true, "Quick Setup Form;"},
                          Case{"preferencesWizard", true, "Quick Setup Form;Preferences Wizard;"}}) {
        SCOPED_TRACE(c.button);
        WriteFile(IniFile(), "[User]\nName=Ada Example\n");
        std::string shown;
        auto window = Start([&](QWidget& modal) {
            shown += modal.windowTitle().toStdString() + ";";
            if (modal.windowTitle() == "Preferences Wizard") {
                Child<QPushButton>(modal, "Cancel")->click();
                return;
            }
            Child<QRadioButton>(modal, "Com2")->setChecked(true);
            Child<QLineEdit>(modal, "FaxNumber")->setText("555 0100");
            Child<QPushButton>(modal, c.button)->click();
        });
        EXPECT_EQ(shown, c.shown);
        const base::IniFile ini = base::IniFile::Load(IniFile());
        EXPECT_EQ(window->FirstRun(), !c.saved);
        EXPECT_EQ(ini.ReadInteger("Modem", "ComPort", -1), c.saved ? 1 : -1);
        EXPECT_EQ(ini.ReadString("User", "Fax", ""), c.saved ? "555 0100" : "");
        EXPECT_EQ(ini.ReadString("User", "Name", ""), "Ada Example");
        // The shipped cover templates are there to choose from.
        EXPECT_TRUE(std::filesystem::exists(dir.folder() + "Covers/vl0001.fct"));
        window->EndWithoutQuestions();
    }
}

TEST_F(QuickSetupTest, ASetPortMeansNoQuickSetup)
{
    WriteFile(IniFile(), "[Modem]\nComPort=2\n");
    std::string shown;
    auto window = Start([&](QWidget& modal) {
        shown += modal.windowTitle().toStdString() + ";";
        modal.close();
    });
    EXPECT_EQ(shown, "");
    EXPECT_FALSE(window->FirstRun());
}

TEST_F(QuickSetupTest, ASettingsFileThatCannotBeWrittenIsToldAndTheStartGoesOn)
{
    std::string shown;
    std::unique_ptr<FileSizeLimit> limit;
    auto window = Start([&](QWidget& modal) {
        shown += modal.windowTitle().toStdString() + ";";
        if (qobject_cast<QuickSetupForm*>(&modal)) {
            Child<QLineEdit>(modal, "Name")->setText(QString(35, QLatin1Char('n')));
            limit = std::make_unique<FileSizeLimit>(10);
            Child<QPushButton>(modal, "ok")->click();
        } else {
            limit.reset();
            CloseModal(modal);
        }
    });
    EXPECT_EQ(shown, "Quick Setup Form;Unable to Complete the Operation;");
    EXPECT_EQ(window->CurrentSettings().Name, std::string(35, 'n'));
}

}  // namespace
}  // namespace vl::test
