// The main window on the offscreen platform: which commands it offers on
// each page, receive mode's guard, archiving, the printer driver's faxes and
// the send window's refusals, with the tables and files of a real data folder.
#include "ui/MainScreen.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolTip>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ComPortFixture.h"
#include "ModalDriver.h"
#include "OneFaxEach.h"
#include "SampleFaxes.h"
#include "app/FaxListTexts.h"
#include "app/HelpTopics.h"
#include "store/FaxTables.h"
#include "support/EnvVar.h"
#include "support/FileSizeLimit.h"
#include "ui/DMForm.h"
#include "ui/HelpWindow.h"
#include "ui/HintTiming.h"
#include "ui/QtMessagePump.h"
#include "ui/SendFaxForm.h"
#include "ui/UiText.h"
#include "ui/ShowErrorForm.h"

namespace vl::test {
namespace {

using app::FaxPage;
using ui::Command;

FakeModemScript AnswersOk()
{
    FakeModemScript script;
    script.responder = [](const std::string&) { return std::string("\r\nOK\r\n"); };
    return script;
}

// A data folder whose COM7 is a modem that answers OK to everything.
class MainScreenTest : public ::testing::Test {
protected:
    MainScreenTest() : modem(AnswersOk()), home("VELLORA_HOME", modem.dir.folder()), pump(modem.loop)
    {
        base::IniFile ini = base::IniFile::Load(Folder() + "VL.INI");
        ini.WriteString("Modem", "ComPort", std::to_string(kModemCom - 1));
        ini.Save();
    }

    std::string Folder() const { return modem.dir.folder(); }

    ui::MainScreen& Open()
    {
        window = std::make_unique<ui::MainScreen>(modem.loop);
        window->Receive().Port().SetDispatcherFactory(modem.Factory());
        window->show();
        for (int i = 0; i < 500 && !window->FirstActivationDone(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_TRUE(window->FirstActivationDone());
        return *window;
    }

    bool On(Command command) const { return window->Action(command)->isEnabled(); }

    // Triggers the command and returns the text of the message it shows.
    std::string MessageOf(Command command)
    {
        if (!On(command)) {
            ADD_FAILURE() << "command " << static_cast<int>(command) << " is off";
            return {};
        }
        std::string text;
        WhenModal([&](QWidget& modal) {
            text = ModalText(modal);
            CloseModal(modal);
        });
        window->Action(command)->trigger();
        return text;
    }

    // A fixed text as a message box shows it: CR breaks lines.
    static std::string Shown(std::string_view text)
    {
        std::string shown = "Information: " + std::string(text);
        std::replace(shown.begin(), shown.end(), '\r', '\n');
        return shown;
    }

    int Rows(FaxPage page) const { return window->List(page)->model()->rowCount(); }

    ComPortFixture modem;
    EnvVar home;
    ui::QtMessagePump pump;
    std::unique_ptr<ui::MainScreen> window;
};

TEST_F(MainScreenTest, EmptyListsOfferOnlyWhatNeedsNoFax)
{
    ui::MainScreen& w = Open();
    EXPECT_EQ(w.Page(), FaxPage::Outgoing);
    EXPECT_TRUE(On(Command::Sort));
    for (Command c : {Command::Send, Command::Delete, Command::Edit, Command::Clone, Command::Archive,
                      Command::Forward, Command::AddCover})
        EXPECT_FALSE(On(c)) << static_cast<int>(c);
    EXPECT_FALSE(w.List(FaxPage::Outgoing)->isEnabled());
    EXPECT_TRUE(On(Command::NewCover));
    EXPECT_TRUE(On(Command::CoverDesigner));
    EXPECT_TRUE(On(Command::WebSite));
    w.SetPage(FaxPage::Incoming);
    for (Command c : {Command::Edit, Command::Delete, Command::Forward, Command::Clone})
        EXPECT_FALSE(On(c)) << static_cast<int>(c);
    // New tables get their rebuild-only tag at the first activation; the
    // printer driver learns where to put its faxes.
    EXPECT_FALSE(w.Lists().NeedsIndexRebuild());
    EXPECT_TRUE(std::filesystem::exists(Folder() + "VLPD.INI"));
}

TEST_F(MainScreenTest, TheHelpCommandsOpenTheirPagesInOneHelpWindow)
{
    ui::MainScreen& w = Open();
    const std::vector<std::pair<Command, const char*>> pages = {{Command::HelpContents, "1009.html"},
                                                                {Command::Faq, "911.html"},
                                                                {Command::TechnicalHelp, "10000.html"},
                                                                {Command::Support, "1025.html"}};
    for (const auto& [command, page] : pages) {
        SCOPED_TRACE(page);
        ASSERT_TRUE(On(command));
        EXPECT_EQ(w.Action(command)->toolTip().indexOf("not available"), -1);
        w.Action(command)->trigger();
        ui::HelpWindow* help = ui::HelpWindow::Current();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->parentWidget(), &w);
        EXPECT_EQ(help->Browser()->source().fileName().toStdString(), page);
    }
    ASSERT_NE(w.Button(Command::TechnicalHelp), nullptr);
    EXPECT_TRUE(w.Button(Command::TechnicalHelp)->isEnabled());
    // The help window goes with the main window.
    window.reset();
    EXPECT_EQ(ui::HelpWindow::Current(), nullptr);
}

TEST_F(MainScreenTest, TheWebSiteCommandOpensTheShippedHomePageInTheBrowser)
{
    ui::MainScreen& w = Open();
    // The platform's browser, stood in for by a text browser's slot.
    QTextBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "setSource");
    w.Action(Command::WebSite)->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(browser.source(), QUrl::fromLocalFile(ui::ToQt(app::HelpFile(app::HelpTopic::HomePage))));
    EXPECT_TRUE(std::filesystem::exists(app::HelpFile(app::HelpTopic::HomePage)));
    EXPECT_EQ(ui::HelpWindow::Current(), nullptr);
}

TEST_F(MainScreenTest, PhoneBookOpensTheBrowserOnThisDataFolder)
{
    ui::MainScreen& w = Open();
    ASSERT_TRUE(On(Command::PhoneBook));
    QString title;
    bool browse = false;
    WhenModal([&](QWidget& modal) {
        title = modal.windowTitle();
        browse = modal.findChild<QPushButton*>("Close") != nullptr && !modal.findChild<QPushButton*>("Accept");
        modal.findChild<QPushButton*>("Close")->click();
    });
    w.Action(Command::PhoneBook)->trigger();
    EXPECT_EQ(title, "Phone Book Browser");
    EXPECT_TRUE(browse);
    EXPECT_TRUE(std::filesystem::exists(store::FaxTablePath(Folder(), store::FaxTableKind::PhoneBook)));
}

TEST_F(MainScreenTest, ConfigurationInformationShowsTheReportOfThisDataFolder)
{
    Open();
    std::string title, report;
    WhenModal([&](QWidget& modal) {
        title = modal.windowTitle().toStdString();
        if (auto* memo = Child<QPlainTextEdit>(modal, "report"))
            report = memo->toPlainText().toStdString();
        CloseModal(modal);
    });
    window->Action(Command::Configuration)->trigger();
    EXPECT_EQ(title, "Configuration Information");
    EXPECT_NE(report.find("\n[" + Folder() + "VL.INI]\n"), std::string::npos);
    EXPECT_NE(report.find("COM Port:             \tCOM" + std::to_string(kModemCom)), std::string::npos);
}

// What the analysis changes is kept only once the settings file holds it.
TEST_F(MainScreenTest, QuickAnalysisSavesTheChangedSettingsOrShowsWhyItCannot)
{
    base::IniFile ini = base::IniFile::Load(Folder() + "VL.INI");
    ini.WriteString("Dialing", "IgnoreBusy", "1");
    ini.WriteString("Resetting", "String", "ATZ");
    ini.WriteString("Modem", "InitString", "AT&F");
    ini.WriteString("Modem", "InitStringReceive", "AT&F");
    ini.Save();
    const auto stored = [this] {
        return base::IniFile::Load(Folder() + "VL.INI").ReadString("Dialing", "IgnoreBusy", "");
    };
    const auto stopIgnoringBusy = [](QWidget& modal) {
        QTest::mouseClick(Child<QPushButton>(modal, "next"), Qt::LeftButton);
        QCheckBox* box = Child<QCheckBox>(modal, "page8choice1");
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        QTest::mouseClick(Child<QPushButton>(modal, "finish"), Qt::LeftButton);
    };
    Open();
    ASSERT_TRUE(On(Command::QuickAnalysis));

    std::string error;
    {
        FileSizeLimit limit(16);
        ModalResponder responder([&](QWidget& modal) {
            if (qobject_cast<ui::ShowErrorForm*>(&modal)) {
                error = ModalText(modal);
                CloseModal(modal);
            } else {
                stopIgnoringBusy(modal);
            }
        });
        window->Action(Command::QuickAnalysis)->trigger();
    }
    EXPECT_NE(error.find(std::strerror(EFBIG)), std::string::npos) << error;
    EXPECT_TRUE(window->CurrentSettings().IgnoreBusy);
    EXPECT_EQ(stored(), "1");

    WhenModal(stopIgnoringBusy);
    window->Action(Command::QuickAnalysis)->trigger();
    EXPECT_FALSE(window->CurrentSettings().IgnoreBusy);
    EXPECT_EQ(stored(), "0");
}

TEST_F(MainScreenTest, FullListsOfferTheirCommandsPageByPage)
{
    tools::WriteSampleFaxes(Folder(), 6, 4, 3);
    ui::MainScreen& w = Open();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 4);  // two of six are archived
    for (Command c : {Command::Send, Command::Delete, Command::Edit, Command::Clone, Command::Archive})
        EXPECT_TRUE(On(c)) << static_cast<int>(c);
    EXPECT_FALSE(On(Command::Forward));
    EXPECT_EQ(w.Action(Command::Archive)->text(), "&Archive");

    w.SetPage(FaxPage::Incoming);
    for (Command c : {Command::Edit, Command::Delete, Command::Forward, Command::Send})
        EXPECT_TRUE(On(c)) << static_cast<int>(c);
    EXPECT_FALSE(On(Command::Clone));
    // The send button keeps its state here, and says why it will not send.
    EXPECT_EQ(MessageOf(Command::Send), Shown(app::kSendFromIncomingPage));

    // An archived fax, shown, is current: the command offers to undo it.
    w.Action(Command::ShowArchived)->trigger();
    EXPECT_EQ(Rows(FaxPage::Incoming), 4);
    QTableView* list = w.List(FaxPage::Incoming);
    for (int row = 0; row < Rows(FaxPage::Incoming); ++row) {
        list->selectRow(row);
        if (w.Lists().CurrentArchived(FaxPage::Incoming))
            break;
    }
    ASSERT_TRUE(w.Lists().CurrentArchived(FaxPage::Incoming));
    EXPECT_EQ(w.Action(Command::Archive)->text(), "Un&Archive");
    const QModelIndex current = list->currentIndex();
    EXPECT_EQ(list->model()->data(current, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
}

TEST_F(MainScreenTest, HintsWaitBeforeShowingAndStayLongEnoughToRead)
{
    ui::MainScreen& w = Open();
    QPushButton* button = w.Button(Command::Receive);
    EXPECT_EQ(button->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, button), ui::kHintDelayMs);
    // The display time holds for the main window and for windows made later.
    QLineEdit later;
    later.setToolTip("A field of a window made after the main window");
    for (QWidget* widget : {static_cast<QWidget*>(button), static_cast<QWidget*>(&later)}) {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &help);
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), widget->toolTip());
        EXPECT_EQ(widget->toolTipDuration(), ui::kHintDisplayMs);
        QToolTip::hideText();
    }
    EXPECT_EQ(ui::kHintDelayMs, 1200);
    EXPECT_EQ(ui::kHintDisplayMs, 30000);
}

TEST_F(MainScreenTest, ArchivingHidesAFaxUntilArchivedFaxesAreShown)
{
    tools::WriteSampleFaxes(Folder(), 3, 0);
    ui::MainScreen& w = Open();
    ASSERT_EQ(Rows(FaxPage::Outgoing), 3);
    WhenModal([](QWidget& modal) { dynamic_cast<QMessageBox&>(modal).button(QMessageBox::Yes)->click(); });
    w.Action(Command::Archive)->trigger();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 2);
    w.Action(Command::ShowArchived)->trigger();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 3);
    w.Action(Command::ShowArchived)->trigger();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 2);
}

TEST_F(MainScreenTest, SortCheckMarksFollowTheOrderAListTakesByItself)
{
    tools::WriteSampleFaxes(Folder(), 1, 1);
    ui::MainScreen& w = Open();
    auto checked = [&](Command c) { return w.Action(c)->isChecked(); };
    struct Case {
        FaxPage page;
        Command sortBy;
        Command dateOrder;
    };
    for (const Case& c : {Case{FaxPage::Outgoing, Command::SortSubject, Command::SortDateSent},
                          Case{FaxPage::Incoming, Command::SortFrom, Command::SortDateReceived}}) {
        w.SetPage(c.page);
        if (checked(Command::ShowArchived))
            w.Action(Command::ShowArchived)->trigger();
        ASSERT_EQ(Rows(c.page), 1);
        w.Action(c.sortBy)->trigger();
        EXPECT_TRUE(checked(c.sortBy));
        EXPECT_FALSE(checked(c.dateOrder));
        // Archiving the only fax empties the list, which has no order then.
        WhenModal([](QWidget& modal) { dynamic_cast<QMessageBox&>(modal).button(QMessageBox::Yes)->click(); });
        w.Action(Command::Archive)->trigger();
        ASSERT_EQ(Rows(c.page), 0);
        EXPECT_FALSE(checked(c.sortBy));
        EXPECT_FALSE(checked(c.dateOrder));
        // Listed again, the fax comes in date order, and the marks say so.
        w.Action(Command::ShowArchived)->trigger();
        ASSERT_EQ(Rows(c.page), 1);
        EXPECT_TRUE(checked(c.dateOrder)) << static_cast<int>(c.page);
        EXPECT_FALSE(checked(c.sortBy)) << static_cast<int>(c.page);
    }
}

TEST_F(MainScreenTest, ReceiveModeRefusesSendingAndModemCommands)
{
    tools::WriteSampleFaxes(Folder(), 2, 0);
    ui::MainScreen& w = Open();
    w.Action(Command::Receive)->trigger();
    ASSERT_TRUE(w.Receive().Active());
    EXPECT_EQ(w.Page(), FaxPage::Incoming);
    EXPECT_EQ(w.Button(Command::Receive)->text(), "STOP");
    EXPECT_EQ(w.Action(Command::Receive)->text(), "Stop Receiving Faxes");
    EXPECT_FALSE(On(Command::ReceiveWithLog));
    EXPECT_EQ(w.StatusText(), "Waiting for fax...");

    w.SetPage(FaxPage::Outgoing);
    EXPECT_EQ(MessageOf(Command::Send), Shown(app::kSendInReceiveMode));
    EXPECT_EQ(MessageOf(Command::Rebuild), Shown(app::kReceiveModeGuard));
    EXPECT_EQ(MessageOf(Command::PhoneBook), Shown(app::kReceiveModeGuard));
    EXPECT_EQ(MessageOf(Command::LogCleanup), Shown(app::kReceiveModeGuard));
    EXPECT_EQ(MessageOf(Command::Preferences), Shown(app::kReceiveModeGuard));
    EXPECT_EQ(MessageOf(Command::WebSite), Shown(app::kReceiveModeGuard));

    w.Action(Command::Receive)->trigger();
    EXPECT_FALSE(w.Receive().Active());
    EXPECT_EQ(w.Button(Command::Receive)->text(), "&Receive");
    EXPECT_TRUE(On(Command::ReceiveWithLog));
}

TEST_F(MainScreenTest, ReceiveModeOffersStopOnlyOnceItWaitsForCalls)
{
    FakeModemScript quiet;
    quiet.silent = true;
    FakeModem silentModem(quiet);
    modem.MapCom(kModemCom, silentModem.SlavePath());
    ui::MainScreen& w = Open();
    // While the error window says the modem did not answer, receive mode is
    // still starting: the commands read as before it began.
    std::string title, button, hint, menu;
    bool logItemOn = false;
    WhenModal([&](QWidget& modal) {
        title = modal.windowTitle().toStdString();
        button = w.Button(Command::Receive)->text().toStdString();
        hint = w.Button(Command::Receive)->toolTip().toStdString();
        menu = w.Action(Command::Receive)->text().toStdString();
        logItemOn = On(Command::ReceiveWithLog);
        CloseModal(modal);
    });
    w.Action(Command::Receive)->trigger();
    EXPECT_EQ(title, "No Response From Modem");
    EXPECT_EQ(button, "&Receive");
    EXPECT_EQ(hint, "Start receiving faxes");
    EXPECT_EQ(menu, "&Receive Faxes");
    EXPECT_TRUE(logItemOn);
    EXPECT_FALSE(w.Receive().Active());
    EXPECT_EQ(w.Button(Command::Receive)->text(), "&Receive");
}

TEST_F(MainScreenTest, PrinterDriverFaxesArriveAtActivationAndAnOrphanSidecarWaits)
{
    std::filesystem::create_directories(Folder() + "SEND");
    WriteFile(Folder() + "SEND/FAX00001.APF", "x");
    WriteFile(Folder() + "SEND/FAX00001.KQD", "5550101\nFirst Recipient\nFirst subject\n");
    WriteFile(Folder() + "SEND/FAX00002.APF", "x");
    WriteFile(Folder() + "SEND/fax00002.kqd", "5550102\r\nSecond Recipient\r\nSecond subject\r\n");
    WriteFile(Folder() + "SEND/FAX00003.KQD", "5550103\nNo File Yet\nWaiting\n");
    Open();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 2);
    EXPECT_TRUE(std::filesystem::exists(Folder() + "SEND/FAX00003.KQD"));
    EXPECT_FALSE(std::filesystem::exists(Folder() + "SEND/FAX00001.KQD"));
    EXPECT_TRUE(On(Command::Send));
}

TEST_F(MainScreenTest, AFaxPrintedWhileTheWindowIsOpenArrivesOnTheToolsRequest)
{
    ui::MainScreen& w = Open();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 0);
    WriteFile(Folder() + "SEND/FAX00004.APF", "x");
    WriteFile(Folder() + "SEND/FAX00004.KQD", "5550104\nPrinted Later\nFrom the tool\n");
    w.ImportPrinted();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 1);
    EXPECT_EQ(w.Lists().Outgoing()->Text("RECIPIENT"), "Printed Later");
    EXPECT_FALSE(std::filesystem::exists(Folder() + "SEND/FAX00004.KQD"));
}

TEST_F(MainScreenTest, DeletingTheCoverOfAFaxKeepsItsBody)
{
    WriteOneFaxEach(Folder());
    ui::MainScreen& w = Open();
    EXPECT_FALSE(On(Command::AddCover));
    WhenModal([](QWidget& modal) {
        EXPECT_EQ(modal.windowTitle(), "Delete Fax");
        Child<QRadioButton>(modal, "cover")->click();
        dynamic_cast<QDialog&>(modal).accept();
    });
    w.Action(Command::Delete)->trigger();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 1);
    EXPECT_EQ(w.Lists().Outgoing()->Text("FAXCOVER"), "");
    EXPECT_FALSE(std::filesystem::exists(Folder() + "SEND/COV00001.APF"));
    EXPECT_FALSE(std::filesystem::exists(Folder() + "SEND/COV00001.FCD"));
    EXPECT_TRUE(std::filesystem::exists(Folder() + "SEND/FAX00001.APF"));
}

TEST_F(MainScreenTest, FaxesDeletedInTheCleanupWindowAreGoneForGoodOnceItCloses)
{
    WriteOneFaxEach(Folder());
    ui::MainScreen& w = Open();
    // The cleanup window deletes every outgoing fax, then closes; the
    // deleting runs in its own loop so that its questions get answered too.
    int seen = 0;
    ModalResponder responder([&seen](QWidget& modal) {
        if (auto* form = qobject_cast<ui::DMForm*>(&modal)) {
            if (seen++ == 0)
                QTimer::singleShot(0, form, [form] { form->Item(app::CleanupItem::All)->trigger(); });
            else
                Child<QPushButton>(modal, "close")->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                CloseModal(modal);
        }
    });
    w.Action(Command::LogCleanup)->trigger();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 0);
    // The rebuild after the window packed the deleted record away.
    EXPECT_EQ(w.Lists().Outgoing()->RecCount(), 0u);
    EXPECT_EQ(w.Lists().Incoming()->RecCount(), 1u);
    EXPECT_EQ(w.Lists().Outgoing()->Filter(), w.Lists().ListFilter());
    EXPECT_EQ(w.Lists().Incoming()->Filter(), w.Lists().ListFilter());
    for (const char* file : {"SEND/FAX00001.APF", "SEND/COV00001.APF", "SEND/COV00001.FCD"})
        EXPECT_FALSE(std::filesystem::exists(Folder() + file)) << file;
    EXPECT_TRUE(std::filesystem::exists(Folder() + "RECEIVE/FAX0001.APF"));
}

TEST_F(MainScreenTest, ACoverWrittenInTheEditorIsEditedAgainUnderItsOwnName)
{
    ui::MainScreen& w = Open();
    std::filesystem::create_directories(Folder() + "SEND");
    WriteFile(Folder() + "SEND/COV00000.APF", "another program's");
    WhenModal([](QWidget& editor) {
        EXPECT_EQ(editor.windowTitle(), "Fax Cover Sheet Editor");
        Child<QLineEdit>(editor, "Recipient")->setText("Ann Lee");
        Child<QLineEdit>(editor, "RecipientFax")->setText("555 0199");
        Child<QLineEdit>(editor, "Regarding")->setText("Order 5512");
        Child<QCheckBox>(editor, "cUrgent")->setChecked(true);
        Child<QPushButton>(editor, "Save")->click();
    });
    w.Action(Command::NewCover)->trigger();
    ASSERT_EQ(Rows(FaxPage::Outgoing), 1);
    EXPECT_EQ(w.Lists().Outgoing()->Text("FAXCOVER"), "COV00001.APF");
    const auto pageSize = std::filesystem::file_size(Folder() + "SEND/COV00001.APF");
    EXPECT_GT(pageSize, 1000u);

    // Another program left a flags line of the wrong length: nothing is ticked.
    const std::string data = Folder() + "SEND/COV00001.fcd";
    std::string saved = ReadFile(data);
    ASSERT_EQ(saved.substr(0, 19), "vl0001.fct\r\nX    \r\n");
    WriteFile(data, saved.replace(12, 5, "XX"));
    WhenModal([](QWidget& editor) {
        EXPECT_EQ(Child<QLineEdit>(editor, "Recipient")->text(), "Ann Lee");
        EXPECT_FALSE(Child<QCheckBox>(editor, "cUrgent")->isChecked());
        Child<QLineEdit>(editor, "Recipient")->setText("Ann Lee-Smith");
        Child<QPushButton>(editor, "Save")->click();
    });
    w.Action(Command::Edit)->trigger();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 1);
    EXPECT_EQ(w.Lists().Outgoing()->Text("FAXCOVER"), "COV00001.APF");
    EXPECT_EQ(w.Lists().Outgoing()->Text("RECIPIENT"), "Ann Lee-Smith");
    EXPECT_EQ(ReadFile(data).substr(0, 19), "vl0001.fct\r\n     \r\n");
    EXPECT_FALSE(std::filesystem::exists(Folder() + "SEND/COV00002.APF"));
    EXPECT_EQ(ReadFile(Folder() + "SEND/COV00000.APF"), "another program's");
}

TEST_F(MainScreenTest, CloneAndForwardAddOutgoingFaxesWithTheirOwnFiles)
{
    WriteOneFaxEach(Folder());
    ui::MainScreen& w = Open();
    WhenModal([](QWidget& modal) { dynamic_cast<QMessageBox&>(modal).button(QMessageBox::Yes)->click(); });
    w.Action(Command::Clone)->trigger();
    EXPECT_EQ(Rows(FaxPage::Outgoing), 2);
    EXPECT_TRUE(std::filesystem::exists(Folder() + "SEND/FAX00000.APF"));
    EXPECT_TRUE(std::filesystem::exists(Folder() + "SEND/COV00000.APF"));

    w.SetPage(FaxPage::Incoming);
    ASSERT_TRUE(On(Command::Forward));
    WhenModal([](QWidget& question) {
        // After Yes, the fax information editor for the new outgoing fax.
        WhenModal([](QWidget& editor) {
            EXPECT_EQ(editor.windowTitle(), "Forward fax from: +1 555 0142");
            Child<QLineEdit>(editor, "recipient")->setText("Accounts");
            Child<QLineEdit>(editor, "phone")->setText("5550199");
            dynamic_cast<QDialog&>(editor).accept();
        });
        dynamic_cast<QMessageBox&>(question).button(QMessageBox::Yes)->click();
    });
    w.Action(Command::Forward)->trigger();
    EXPECT_EQ(w.Page(), FaxPage::Outgoing);
    EXPECT_EQ(Rows(FaxPage::Outgoing), 3);
    EXPECT_TRUE(std::filesystem::exists(Folder() + "SEND/FWD00000.APF"));
    EXPECT_EQ(Rows(FaxPage::Incoming), 1);
}

TEST_F(MainScreenTest, TheSendWindowClosedUnsentKeepsOnlyTheEditedNumber)
{
    {
        auto out = store::OpenOrCreateOutgoing(Folder(), "").table;
        out->AppendBlank();
        out->SetText("RECIPIENT", "No Files");
        out->SetText("PHONE", "5550100");
        out->SetText("FAXDOC", "FAX00009.APF");
        out->SetText("LASTRESULT", "Remote fax is busy");
        out->Post();
        out->Close();
    }
    ui::MainScreen& w = Open();
    EXPECT_EQ(MessageOf(Command::Send), Shown(app::kErrorOpeningFaxFile));

    std::filesystem::create_directories(Folder() + "SEND");
    WriteFile(Folder() + "SEND/FAX00009.APF", "x");
    std::string number;
    WhenModal([&](QWidget& modal) {
        auto& form = dynamic_cast<ui::SendFaxForm&>(modal);
        number = form.NumberField()->text().toStdString();
        form.NumberField()->setText("5550200");
        form.close();
    });
    w.Action(Command::Send)->trigger();
    EXPECT_EQ(number, "5550100");
    store::Table* out = w.Lists().Outgoing();
    EXPECT_EQ(out->Text("PHONE"), "5550200");
    EXPECT_EQ(out->Text("LASTRESULT"), "Remote fax is busy");
    EXPECT_EQ(out->Date("DATESENT"), "");
}

}  // namespace
}  // namespace vl::test
