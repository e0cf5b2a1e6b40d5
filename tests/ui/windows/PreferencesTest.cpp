// The preferences wizard: its page rules, what Finish stores (and that it
// stores nothing it cannot), and the Send Fax window showing its result.
#include "ui/Preferences.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <algorithm>
#include <filesystem>
#include <utility>

#include "ComPortFixture.h"
#include "ModalDriver.h"
#include "base/MessageWindow.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "ui/QtMessagePump.h"
#include "ui/SendFaxForm.h"

namespace vl::test {
namespace {

class PreferencesTest : public ::testing::Test {
protected:
    PreferencesTest() : home("VELLORA_HOME", dir.folder()) {}

    ui::Preferences& Open(bool firstRun = false, const std::vector<std::string>& printers = {})
    {
        wizard = std::make_unique<ui::Preferences>(loop, settings, firstRun, printers);
        wizard->show();
        return *wizard;
    }

    template <class T>
    T* Control(const char* name)
    {
        return Child<T>(*wizard, name);
    }

    bool On(const char* button) { return Control<QPushButton>(button)->isEnabled(); }

    // Presses Finish and answers "Save changes?" with `yes`; the texts of
    // every window that came up, in order.
    std::vector<std::string> Finish(bool yes)
    {
        std::vector<std::string> shown;
        ModalResponder answer([&](QWidget& modal) {
            shown.push_back(ModalText(modal));
            if (auto* box = qobject_cast<QMessageBox*>(&modal))
                box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            else
                CloseModal(modal);
        });
        Control<QPushButton>("Finish")->click();
        return shown;
    }

    app::Settings Saved() const
    {
        app::Settings saved;
        app::LoadSettings(saved, dir.folder() + "VL.INI");
        return saved;
    }

    bool SettingsFileWritten() const { return std::filesystem::exists(dir.path() / "VL.INI"); }

    TempDir dir;
    EnvVar home;
    base::MessageLoop loop;
    app::Settings settings;
    std::unique_ptr<ui::Preferences> wizard;
};

TEST_F(PreferencesTest, OnAFirstRunOnlyTheLastPageFinishesAndTheUserIsToldToCheckPortAndClass)
{
    for (const bool firstRun : {true, false}) {
        SCOPED_TRACE(firstRun);
        ui::Preferences& w = Open(firstRun);
        EXPECT_EQ(Control<QLabel>("FirstRunLabel")->isVisibleTo(&w), firstRun);
        auto* title = Control<QLabel>("PageTitle");
        EXPECT_EQ(title->text(), "Wizard Information");
        for (int page = 0; page < 9; ++page) {
            ASSERT_EQ(w.Page(), page);
            EXPECT_EQ(On("Back"), page > 0);
            EXPECT_EQ(On("Next"), page < 8);
            EXPECT_EQ(On("Finish"), !firstRun || page == 8) << page;
            EXPECT_EQ(Control<QComboBox>("PageList")->currentIndex(), page);
            EXPECT_EQ(title->text(), Control<QComboBox>("PageList")->currentText());
            if (page < 8)
                Control<QPushButton>("Next")->click();
        }
        EXPECT_EQ(title->text(), "Advanced");
        // The page list jumps, and the buttons follow.
        Control<QComboBox>("PageList")->activated(1);
        QApplication::processEvents();
        EXPECT_EQ(w.Page(), 1);
        EXPECT_EQ(title->text(), "Modem and Communications Port");
        EXPECT_EQ(On("Finish"), !firstRun);
        Control<QPushButton>("Back")->click();
        EXPECT_EQ(w.Page(), 0);
        EXPECT_FALSE(On("Back"));
    }
}

TEST_F(PreferencesTest, AStoredTopRateIsKeptAndAnUnofferedRateIsSavedAsTheOneShown)
{
    settings.MaximumBPS = 19200;
    settings.MaximumBPSReceive = 14400;
    Open();
    EXPECT_EQ(Control<QComboBox>("TransferRate")->currentText(), "9600");
    EXPECT_EQ(Control<QComboBox>("TransferRateReceive")->currentText(), "14400");
    Finish(true);
    EXPECT_EQ(Saved().MaximumBPS, 9600);
    EXPECT_EQ(Saved().MaximumBPSReceive, 14400);
    EXPECT_EQ(settings.MaximumBPS, 9600);
}

TEST_F(PreferencesTest, TheProgramsOwnFaxPrinterIsStoredAsTheDefaultPrinter)
{
    const std::vector<std::string> printers = {"Office Laser", "Vellora Fax"};
    const struct {
        const char* stored;
        int shown;
        const char* picked;
        const char* saved;
    } cases[] = {
        {"Office Laser", 1, "Vellora Fax", "Default Windows Printer"},
        // A printer no longer installed shows the default, first.
        {"Gone Printer", 0, "Office Laser", "Office Laser"},
        {"Vellora Fax", 2, nullptr, "Default Windows Printer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        settings.PrintOnReceiptPrinter = c.stored;
        Open(false, printers);
        auto* list = Control<QComboBox>("PrintFaxOnReceiptPrinter");
        EXPECT_EQ(list->itemText(0), "Default Windows Printer");
        EXPECT_EQ(list->currentIndex(), c.shown);
        if (c.picked)
            list->setCurrentText(c.picked);
        Finish(true);
        EXPECT_EQ(Saved().PrintOnReceiptPrinter, c.saved);
    }
}

TEST_F(PreferencesTest, WhatHappensOnTheDesktopWhenAFaxArrivesIsShownAndSaved)
{
    settings.NotifyOnReceipt = false;
    settings.TrayIcon = true;
    settings.ReceiptCommand = "/usr/local/bin/mail-fax --to 'front desk'";
    Open();
    EXPECT_FALSE(Control<QCheckBox>("NotifyOnReceipt")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>("TrayIconWhileReceiving")->isChecked());
    EXPECT_EQ(Control<QLineEdit>("ReceiptCommandEdit")->text(), "/usr/local/bin/mail-fax --to 'front desk'");
    Control<QCheckBox>("NotifyOnReceipt")->setChecked(true);
    Control<QCheckBox>("TrayIconWhileReceiving")->setChecked(false);
    Control<QLineEdit>("ReceiptCommandEdit")->setText("  fax-to-pdf  ");
    Finish(true);
    EXPECT_TRUE(Saved().NotifyOnReceipt);
    EXPECT_FALSE(Saved().TrayIcon);
    EXPECT_EQ(Saved().ReceiptCommand, Control<QLineEdit>("ReceiptCommandEdit")->text().toStdString());
}

TEST_F(PreferencesTest, ANumberFieldWithoutAWholeNumberSavesNothingAndKeepsTheEdits)
{
    for (const char* field : {"DialAttempts", "RetryWait"}) {
        SCOPED_TRACE(field);
        settings = {};
        ui::Preferences& w = Open();
        Control<QLineEdit>("Name")->setText("Edited Name");
        Control<QLineEdit>(field)->setText("3 times");
        const std::vector<std::string> shown = Finish(true);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0], "Save Preferences: Save changes?");
        // The error names the field and the text it holds.
        EXPECT_NE(shown[1].find(std::string(field) == "DialAttempts" ? "Dial attempts" : "Wait between retries"),
                  std::string::npos)
            << shown[1];
        EXPECT_NE(shown[1].find("\"3 times\""), std::string::npos) << shown[1];
        EXPECT_FALSE(SettingsFileWritten());
        EXPECT_EQ(settings.Name, "");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.Page(), 4);
        EXPECT_EQ(w.focusWidget(), Control<QLineEdit>(field));
        EXPECT_EQ(Control<QLineEdit>("Name")->text(), "Edited Name");
        // Put right, it saves.
        Control<QLineEdit>(field)->setText("5");
        EXPECT_EQ(Finish(true).size(), 1u);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(Saved().Name, "Edited Name");
        std::filesystem::remove(dir.path() / "VL.INI");
    }
}

TEST_F(PreferencesTest, AnsweringNoToSaveChangesKeepsTheWizardOpenAndWritesNothing)
{
    ui::Preferences& w = Open();
    Control<QLineEdit>("Name")->setText("Edited Name");
    Control<QCheckBox>("UseECM")->setChecked(true);
    EXPECT_EQ(Finish(false).size(), 1u);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(SettingsFileWritten());
    EXPECT_EQ(settings.Name, "");
    EXPECT_FALSE(settings.ECM);
    Control<QPushButton>("Cancel")->click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(SettingsFileWritten());
}

// One list beside the ECM box, for calls both ways; a stored value out of
// range shows as the best, as it reads.
TEST_F(PreferencesTest, TheCodingOfferedIsShownAndSaved)
{
    const struct {
        int stored;
        int shown;
        int picked;
    } cases[] = {{app::kCodingUpToMmr, 2, app::kCodingMhOnly},
                 {app::kCodingMhOnly, 0, app::kCodingUpToMr},
                 {7, 2, app::kCodingUpToMmr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        settings.Coding = c.stored;
        Open();
        auto* list = Control<QComboBox>("Coding");
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0), "MH only");
        EXPECT_EQ(list->itemText(1), "Up to MR (two-dimensional)");
        EXPECT_EQ(list->itemText(2), "Up to MMR (needs error correction)");
        EXPECT_EQ(list->currentIndex(), c.shown);
        EXPECT_EQ(list->parentWidget(), Control<QCheckBox>("UseECM")->parentWidget());
        list->setCurrentIndex(c.picked);
        Finish(true);
        EXPECT_EQ(Saved().Coding, c.picked);
        EXPECT_EQ(settings.Coding, c.picked);
    }
}

TEST_F(PreferencesTest, TheSm56BoxTakesEffectBeforeFinish)
{
    Open();
    Control<QCheckBox>("chkSM56")->setChecked(true);
    EXPECT_TRUE(settings.UseMotorolaSM56Fix);
    EXPECT_FALSE(SettingsFileWritten());
}

TEST_F(PreferencesTest, OnlyAWaveFileIsTakenAsTheArrivalSound)
{
    Open();
    auto* sound = Control<QLineEdit>("WaveFileEdit");
    for (const auto& [file, taken] : {std::pair{"chime.wav", true}, {"CHIME.WAV", true}, {"chime.mp3", false}}) {
        SCOPED_TRACE(file);
        sound->setText("before.wav");
        const std::string path = dir.folder() + file;
        WriteFile(path, "RIFF");
        WhenModal([&](QWidget& modal) {
            auto* dialog = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(dialog, nullptr);
            // The dialog ignores a selection while its name field has the focus.
            if (QWidget* focus = dialog->focusWidget())
                focus->clearFocus();
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept();
        });
        Control<QPushButton>("ChooseSound")->click();
        EXPECT_EQ(sound->text().toStdString(), taken ? path : "before.wav");
    }
    Control<QPushButton>("NoSound")->click();
    EXPECT_EQ(sound->text(), "");
}

TEST_F(PreferencesTest, TheSendWindowShowsWhatTheWizardSaved)
{
    settings.ComPort = 0;
    settings.DialPrefix = "9";
    ui::SendFaxForm form(loop, settings);
    form.SetDialing(settings.DialPrefix, false, "", false);
    form.show();
    Child<QCheckBox>(form, "DisablePrefix")->setChecked(true);
    WhenModal([](QWidget& wizard) {
        Child<QLineEdit>(wizard, "DialAttempts")->setText("7");
        Child<QLineEdit>(wizard, "DialPrefix")->setText("0");
        WhenModal([](QWidget& question) {
            static_cast<QMessageBox&>(question).button(QMessageBox::Yes)->click();
        });
        Child<QPushButton>(wizard, "Finish")->click();
    });
    Child<QPushButton>(form, "Preferences")->click();
    EXPECT_TRUE(form.SetupText().contains("Dial Attempts: 7")) << form.SetupText().toStdString();
    EXPECT_EQ(Saved().DialAttempts, 7);
    // Closing the send window hands back its dialing fields: the new prefix,
    // and this fax's own choice to leave it out.
    std::string prefix, suffix;
    bool disablePrefix = true, disableSuffix = true;
    form.TakeDialing(prefix, disablePrefix, suffix, disableSuffix);
    EXPECT_EQ(prefix, "0");
    EXPECT_TRUE(disablePrefix);
}

FakeModemScript Class1And2Modem()
{
    FakeModemScript script = ComPortFixture::OkScript();
    script.replies["AT&F"] = "\r\nOK\r\n";
    script.replies["AT+FCLASS=?"] = "\r\n0,1,2\r\n\r\nOK\r\n";
    return script;
}

// COM1 of the data folder is a modem with Class 1 and Class 2.
class PreferencesModemTest : public ::testing::Test, public ComPortFixture {
protected:
    PreferencesModemTest() : ComPortFixture(Class1And2Modem()), home("VELLORA_HOME", dir.folder()), pump(loop)
    {
        MapCom(1, modem.SlavePath());
        settings.ComPort = 0;
    }

    EnvVar home;
    ui::QtMessagePump pump;
    app::Settings settings;
};

TEST_F(PreferencesModemTest, TheClassCheckFromTheSendingPageSetsTheReceivingClassOnly)
{
    settings.FaxClass = 3;
    settings.FaxClassReceive = 3;
    ui::Preferences wizard(loop, settings, false, {});
    wizard.show();
    wizard.GoTo(2);
    std::vector<std::string> questions;
    ModalResponder answer([&](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            questions.push_back(ModalText(*box));
            box->button(QMessageBox::Yes)->click();
        } else if (auto* ok = modal.findChild<QPushButton*>(QStringLiteral("ok")); ok && ok->isVisible()) {
            ok->click();
        }
    });
    Child<QPushButton>(wizard, "CheckFaxClass")->click();
    EXPECT_EQ(questions, std::vector<std::string>{"Fax Class: Set fax class as Class 1 ?"});
    EXPECT_EQ(Child<QButtonGroup>(wizard, "FaxClassReceive")->checkedId(), 1);
    EXPECT_EQ(Child<QButtonGroup>(wizard, "FaxClass")->checkedId(), 3);
    // The wizard's own port, closed again; the settings wait for Finish.
    EXPECT_EQ(settings.FaxClassReceive, 3);
    const std::vector<std::string> commands = modem.Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "AT+FCLASS=?"), commands.end());

    // Asked again with the class already chosen, nothing is asked.
    Child<QPushButton>(wizard, "CheckFaxClassReceive")->click();
    EXPECT_EQ(questions.size(), 1u);
}

}  // namespace
}  // namespace vl::test
