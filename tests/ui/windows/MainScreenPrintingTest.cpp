// Viewing, printing and exporting from the main window: the fax of the list
// in the viewer, cover first, through the Print window into a PDF printer and
// through the list's context menu into a document, and a received fax
// printed on receipt.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include <filesystem>
#include <fstream>
#include <memory>

#include "ModalDriver.h"
#include "PdfPrinters.h"
#include "SampleFaxes.h"
#include "app/Settings.h"
#include "base/IniFile.h"
#include "faxdoc/VlFaxConverter.h"
#include "store/FaxTables.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "ui/FaxPrintRun.h"
#include "ui/VlFaxViewer.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

class MainScreenPrintingTest : public ::testing::Test {
protected:
    MainScreenPrintingTest() : home("VELLORA_HOME", dir.folder()), pump(loop)
    {
        std::filesystem::create_directories(dir.path() / "SEND");
        WriteFile(dir.path() / "VL.INI", "[Modem]\nComPort=0\n[Printing]\nMultiPage=1\nHeader=1\n");
    }
    ~MainScreenPrintingTest() override
    {
        if (window)
            window->EndWithoutQuestions();
    }

    std::string Pdf() const { return dir.folder() + "printed.pdf"; }

    // A text fax of the given pages, one word each.
    std::string TextFax(const std::string& name, int pages)
    {
        const std::string text = dir.folder() + name + ".txt";
        {
            std::ofstream out(text);
            for (int page = 1; page <= pages; ++page)
                out << name << " page " << page << "\f";
        }
        faxdoc::VlFaxConverter converter;
        converter.SetInputDocumentType(faxdoc::FaxInputDocumentType::idText);
        converter.SetDocumentFile(text);
        converter.SetOutFileName(dir.folder() + "SEND/" + name + ".APF");
        converter.ConvertToFile();
        return dir.folder() + "SEND/" + name + ".APF";
    }

    int Sheets() { return Sheets(Pdf()); }
    static int Sheets(const std::string& pdf)
    {
        const RunResult info = test::Run("/usr/bin/pdfinfo", {pdf});
        const std::size_t at = info.out.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.out.substr(at + 6));
    }
    std::string PrintedText() { return test::Run("/usr/bin/pdftotext", {"-layout", Pdf(), "-"}).out; }

    // The main window over one outgoing fax of a one-page cover and a
    // three-page body.
    ui::MainScreen& OpenWithCoverAndBody()
    {
        TextFax("COV00001", 1);
        TextFax("FAX00001", 3);
        {
            auto out = store::OpenOrCreateOutgoing(dir.folder(), "").table;
            out->AppendBlank();
            out->SetText("RECIPIENT", "Northwind Supply");
            out->SetText("FAXDOC", "FAX00001.APF");
            out->SetText("FAXCOVER", "COV00001.APF");
            out->Post();
            out->Close();
        }
        window = std::make_unique<ui::MainScreen>(loop);
        window->show();
        for (int i = 0; i < 500 && !window->FirstActivationDone(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        return *window;
    }

    TempDir dir;
    PdfPrinters printers{{"Office"}, [this] { return Pdf(); }};
    EnvVar home;
    base::MessageLoop loop;
    ui::QtMessagePump pump;
    std::unique_ptr<ui::MainScreen> window;
};

TEST_F(MainScreenPrintingTest, TheListsFaxPrintsCoverFirstWithTheOptionsAsked)
{
    ui::MainScreen& window = OpenWithCoverAndBody();

    WhenModal([](QWidget& form) {
        EXPECT_EQ(form.windowTitle(), "Print");
        EXPECT_EQ(Child<QSpinBox>(form, "ToPage")->value(), 4);
        EXPECT_TRUE(Child<QCheckBox>(form, "PrintMultiPage")->isChecked());
        Child<QCheckBox>(form, "PrintMultiPage")->setChecked(false);
        Child<QCheckBox>(form, "PrintFooter")->setChecked(true);
        Child<QSpinBox>(form, "FromPage")->setValue(1);
        Child<QSpinBox>(form, "ToPage")->setValue(2);
        Child<QPushButton>(form, "Ok")->click();
    });
    window.Action(ui::Command::Print)->trigger();
    EXPECT_EQ(Sheets(), 2);
    const std::string text = PrintedText();
    EXPECT_NE(text.find("To: Northwind Supply"), std::string::npos) << text;
    EXPECT_NE(text.find("Sent: not sent"), std::string::npos) << text;
    EXPECT_NE(text.find("Page: 2 of 4"), std::string::npos) << text;
    // The joined file is gone; the options asked are kept.
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "Temp00000.APF"));
    const base::IniFile ini = base::IniFile::Load(dir.folder() + "VL.INI");
    EXPECT_EQ(ini.ReadInteger("Printing", "MultiPage", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Printing", "Footer", -1), 1);
}

TEST_F(MainScreenPrintingTest, TheViewerShowsTheCoverFirstAndTheJoinedFileGoesAfterwards)
{
    ui::MainScreen& window = OpenWithCoverAndBody();
    WhenModal([this](QWidget& viewer) {
        EXPECT_EQ(viewer.windowTitle(), "Fax Viewer ");
        EXPECT_TRUE(std::filesystem::exists(dir.folder() + "Temp00000.APF"));
        const auto* pages = viewer.findChild<ui::VlFaxViewer*>();
        ASSERT_NE(pages, nullptr);
        EXPECT_EQ(pages->PageCount(), 4);
        static_cast<QDialog&>(viewer).reject();
    });
    window.Action(ui::Command::View)->trigger();
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "Temp00000.APF"));

    // Files gone: nothing to show, and the user is told.
    std::filesystem::remove(dir.folder() + "SEND/COV00001.APF");
    std::filesystem::remove(dir.folder() + "SEND/FAX00001.APF");
    std::string shown;
    WhenModal([&shown](QWidget& message) {
        shown = ModalText(message);
        CloseModal(message);
    });
    window.Action(ui::Command::View)->trigger();
    EXPECT_NE(shown.find("Error - fax file missing"), std::string::npos) << shown;
}

TEST_F(MainScreenPrintingTest, TheListsContextMenuExportsCoverAndBodyAsOneDocument)
{
    ui::MainScreen& window = OpenWithCoverAndBody();
    const std::string chosen = dir.folder() + "exported";
    window.SetExportNameAsker([&chosen](const QString&, const QString&) { return QString::fromStdString(chosen); });
    QTableView* list = window.List(app::FaxPage::Outgoing);
    const QPoint row = list->visualRect(list->model()->index(0, 1)).center();
    for (const char* action : {"ExportPDF", "ExportTIF"}) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, row, list->viewport()->mapToGlobal(row));
        QApplication::sendEvent(list->viewport(), &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << action;
        Child<QAction>(*menu, action)->trigger();
        menu->hide();
    }
    EXPECT_EQ(Sheets(chosen + ".PDF"), 4);
    const RunResult info = test::Run("/usr/bin/tiffinfo", {chosen + ".TIF"});
    EXPECT_NE(info.out.find("Page Number: 3-4"), std::string::npos) << info.out << info.err;
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "Temp00000.APF"));

    // Below the last row there is no fax to export.
    const QPoint below(row.x(), list->viewport()->height() - 2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, below, list->viewport()->mapToGlobal(below));
    QApplication::sendEvent(list->viewport(), &click);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(MainScreenPrintingTest, AFaxNamedAtStartOpensInTheViewerOnceTheWindowIsUp)
{
    const std::string fax = TextFax("FAX00003", 2);
    // Tables the index rebuild has seen, so that its window does not come up
    // first at the start.
    tools::WriteSampleFaxes(dir.folder(), 0, 0);
    window = std::make_unique<ui::MainScreen>(loop);
    window->ViewFile(fax);
    std::string title;
    WhenModal([&title](QWidget& viewer) {
        title = viewer.windowTitle().toStdString();
        static_cast<QDialog&>(viewer).reject();
    });
    window->show();
    for (int i = 0; i < 500 && title.empty(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(title, "Fax Viewer ");
    EXPECT_TRUE(window->FirstActivationDone());
}

TEST_F(MainScreenPrintingTest, AReceivedFaxPrintsAPageASheetWithItsHeader)
{
    const std::string fax = TextFax("FAX00002", 3);
    ui::PrintOnReceipt(fax, "From: ACME             Received: today", "Default Windows Printer", nullptr);
    EXPECT_EQ(Sheets(), 3);  // four to a sheet is not for received faxes
    EXPECT_NE(PrintedText().find("From: ACME"), std::string::npos);
}

TEST_F(MainScreenPrintingTest, AReceivedFaxIsNeverPrintedOnTheProgramsOwnFaxPrinter)
{
    const PdfPrinters withOwn({"Vellora Fax", "Office"}, [this] { return Pdf(); });
    const std::string fax = TextFax("FAX00003", 1);
    for (const char* stored : {"Default Windows Printer", "Vellora Fax"})
        EXPECT_THROW(ui::PrintOnReceipt(fax, "", stored, nullptr), std::runtime_error) << stored;
    EXPECT_FALSE(std::filesystem::exists(Pdf()));
    ui::PrintOnReceipt(fax, "", "Office", nullptr);
    EXPECT_EQ(Sheets(), 1);
}

}  // namespace
}  // namespace vl::test
