// The notes editor, the printer list, the trace-file notice and the about window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "ModalDriver.h"
#include "app/HelpTopics.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "ui/AboutForm.h"
#include "ui/EditReceiveNotes.h"
#include "ui/GetDefaultPrinterForm.h"
#include "ui/TellUserAboutReceiveLog.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

TEST(EditReceiveNotes, ShowsTheSenderAndKeepsNotesToSixtyCharacters)
{
    EditReceiveNotes form("<b>555 0100</b>", "old", nullptr);
    EXPECT_EQ(form.windowTitle(), "Received Fax Notes");
    EXPECT_EQ(Child<QLabel>(form, "from")->text(), "From: <b>555 0100</b>");
    auto* notes = Child<QLineEdit>(form, "notes");
    EXPECT_EQ(notes->text(), "old");
    QTest::keyClicks(notes, QString(70, QLatin1Char('n')));
    EXPECT_EQ(form.Notes().size(), 60u);
}

TEST(EditReceiveNotes, EditChangesTheNotesOnOkOnly)
{
    std::string notes = "old";
    WhenModal([](QWidget& w) {
        Child<QLineEdit>(w, "notes")->setText("new");
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_FALSE(EditReceiveNotes::Edit("x", notes, nullptr));
    EXPECT_EQ(notes, "old");
    WhenModal([](QWidget& w) {
        Child<QLineEdit>(w, "notes")->setText("new");
        QTest::keyClick(&w, Qt::Key_Return);
    });
    EXPECT_TRUE(EditReceiveNotes::Edit("x", notes, nullptr));
    EXPECT_EQ(notes, "new");
}

TEST(GetDefaultPrinterForm, StartsOnTheRuleEntryAndGivesThePick)
{
    GetDefaultPrinterForm form({"Vellora Fax", "Office", "Lab"});
    EXPECT_EQ(form.windowTitle(), "Select Printer");
    EXPECT_EQ(form.Selected(), 2);

    WhenModal([](QWidget& w) {
        Child<QListWidget>(w, "printers")->setCurrentRow(1);
        QTest::keyClick(&w, Qt::Key_Return);
    });
    EXPECT_EQ(GetDefaultPrinterForm::Choose({"Vellora Fax", "Office", "Lab"}, nullptr), 1);
    WhenModal([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); });
    EXPECT_EQ(GetDefaultPrinterForm::Choose({"Office"}, nullptr), std::nullopt);
}

TEST(TellUserAboutReceiveLog, NamesTheTraceFile)
{
    TellUserAboutReceiveLog form("/home/u/.local/share/vellora/VLIN.LOG");
    EXPECT_EQ(form.windowTitle(), "Logging ON");
    EXPECT_EQ(Child<QLabel>(form, "traceFile")->text(), "/home/u/.local/share/vellora/VLIN.LOG");
}

TEST(AboutForm, NamesTheVersionAndDataFolderAndLinksTheShippedHomePage)
{
    test::TempDir dir;
    test::EnvVar home("VELLORA_HOME", dir.folder());
    AboutForm form;
    EXPECT_EQ(Child<QLabel>(form, "version")->text(), "Version 2.9y");
    EXPECT_TRUE(Child<QLabel>(form, "data")->text().endsWith(QString::fromStdString(dir.folder())));
    EXPECT_TRUE(Child<QLabel>(form, "qt")->text().contains(QLatin1String(qVersion())));
    QLabel* link = Child<QLabel>(form, "home");
    const QString text = link->text();
    const int start = text.indexOf(QLatin1String("href=\"")) + 6;
    const QUrl target(text.mid(start, text.indexOf(QLatin1Char('"'), start) - start));
    EXPECT_TRUE(target.isLocalFile());
    EXPECT_EQ(target.toLocalFile().toStdString(), app::HelpFile(app::HelpTopic::HomePage));
    EXPECT_TRUE(std::filesystem::exists(target.toLocalFile().toStdString()));
    EXPECT_TRUE(link->openExternalLinks());
}

}  // namespace
}  // namespace vl::ui
