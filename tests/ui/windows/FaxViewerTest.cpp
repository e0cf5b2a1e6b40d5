// "Fax Viewer " on real fax files: paging and its status line, the ends of
// the zoom range, rotation marks, each export format, printing into a PDF
// file, and a file that cannot be opened.
#include "ui/FaxViewer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "ModalDriver.h"
#include "PdfPrinters.h"
#include "base/ErrorCodes.h"
#include "faxdoc/VlFaxConverter.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "ui/FaxPrintRun.h"
#include "ui/VlFaxViewer.h"

namespace vl::test {
namespace {

using ui::FaxViewer;

class FaxViewerTest : public ::testing::Test {
protected:
    // A text fax of one page per form-feed separated part.
    QString Fax(const std::string& name, const std::string& text)
    {
        std::ofstream(dir.folder() + name + ".txt") << text;
        faxdoc::VlFaxConverter converter;
        converter.SetInputDocumentType(faxdoc::FaxInputDocumentType::idText);
        converter.SetDocumentFile(dir.folder() + name + ".txt");
        converter.ConvertToFile();
        return QString::fromStdString(dir.folder() + name + ".APF");
    }

    // Shows the window and waits until it has loaded its file.
    void Open(FaxViewer& window, const QString& file, const QString& title = {})
    {
        window.SetFileName(file);
        window.SetTitle(title);
        window.show();
        QTRY_VERIFY(Viewer(window).PageCount() > 0);
    }

    static ui::VlFaxViewer& Viewer(const FaxViewer& window) { return *Child<ui::VlFaxViewer>(window, "Viewer"); }
    static QString Status(const FaxViewer& window) { return Child<QLabel>(window, "StatusLine")->text(); }
    static void Click(const FaxViewer& window, const char* button) { Child<QPushButton>(window, button)->click(); }
    static void Trigger(const FaxViewer& window, const char* action) { Child<QAction>(window, action)->trigger(); }

    TempDir dir;
    EnvVar home{"VELLORA_HOME", dir.folder()};
};

TEST_F(FaxViewerTest, AOnePageFileHidesTheNavigationButtons)
{
    FaxViewer window;
    Open(window, Fax("one", "only page"), "Invoice");
    for (const char* button : {"FirstPage", "PreviousPage", "NextPage", "LastPage"})
        EXPECT_FALSE(Child<QPushButton>(window, button)->isVisible()) << button;
    EXPECT_EQ(Status(window), "Invoice: Page 1 of 1");
    // Closing remembers where the window was.
    window.reject();
    EXPECT_NE(ReadFile(dir.folder() + "VL.INI").find("[FaxViewer_Placement"), std::string::npos);
}

TEST_F(FaxViewerTest, TheButtonsPageThroughTheFileAndTheStatusLineFollows)
{
    FaxViewer window;
    Open(window, Fax("three", "one\ftwo\fthree"));
    EXPECT_TRUE(Child<QPushButton>(window, "NextPage")->isVisible());
    EXPECT_EQ(Status(window), "Page 1 of 3");
    const std::pair<const char*, const char*> steps[] = {
        {"NextPage", "Page 2 of 3"},     {"NextPage", "Page 3 of 3"}, {"NextPage", "Page 3 of 3"},
        {"PreviousPage", "Page 2 of 3"}, {"FirstPage", "Page 1 of 3"}, {"PreviousPage", "Page 1 of 3"},
        {"LastPage", "Page 3 of 3"},
    };
    for (const auto& [button, status] : steps) {
        Click(window, button);
        EXPECT_EQ(Status(window), status) << button;
    }
}

TEST_F(FaxViewerTest, ZoomStartsAtHalfTheWidthStepAndItsEndsOnlyBeep)
{
    FaxViewer window;
    Open(window, Fax("one", "only page"));
    // A window narrower than the page but wider than a quarter of it.
    EXPECT_EQ(window.ZoomStep(), 50);
    EXPECT_TRUE(Child<QAction>(window, "Zoom100")->isChecked());
    EXPECT_EQ(Viewer(window).HorizMult(), 50);

    Trigger(window, "Zoom50");
    Click(window, "ZoomOut");
    EXPECT_EQ(window.ZoomStep(), 25);
    EXPECT_TRUE(Child<QAction>(window, "Zoom50")->isChecked());
    Click(window, "ZoomIn");
    EXPECT_EQ(window.ZoomStep(), 50);

    Trigger(window, "Zoom200");
    EXPECT_FALSE(Viewer(window).Scaling());
    const int fullWidth = Viewer(window).PageWidth();
    Click(window, "ZoomIn");
    EXPECT_EQ(window.ZoomStep(), 100);
    EXPECT_EQ(Viewer(window).PageWidth(), fullWidth);
    Click(window, "ZoomOut");
    EXPECT_EQ(window.ZoomStep(), 75);
    EXPECT_TRUE(Viewer(window).Scaling());
    EXPECT_EQ(Viewer(window).PageWidth(), fullWidth * 75 / 100);
}

TEST_F(FaxViewerTest, TheRotationChosenIsCheckedAndNoneBefore)
{
    FaxViewer window;
    Open(window, Fax("one", "only page"));
    const char* turns[] = {"Rotate0", "Rotate90", "Rotate180", "Rotate270"};
    for (const char* turn : turns)
        EXPECT_FALSE(Child<QAction>(window, turn)->isChecked()) << turn;
    for (int chosen : {1, 3, 0}) {
        Trigger(window, turns[chosen]);
        EXPECT_EQ(Viewer(window).Rotation(), chosen);
        for (int turn = 0; turn < 4; ++turn)
            EXPECT_EQ(Child<QAction>(window, turns[turn])->isChecked(), turn == chosen) << turns[turn];
    }
}

TEST_F(FaxViewerTest, EachExportWritesTheCurrentPageInItsFormat)
{
    struct Case {
        const char* action;
        const char* filter;
        std::string magic;
    };
    const Case cases[] = {
        {"ExportBMP", "BMP File (*.BMP *.bmp)", "BM"},
        {"ExportPCX", "PCX File (*.PCX *.pcx)", "\x0a"},
        {"ExportDCX", "DCX File (*.DCX *.dcx)", "\xb1\x68\xde\x3a"},
        {"ExportPNG", "PNG File (*.PNG *.png)", "\x89PNG"},
    };
    FaxViewer window;
    Open(window, Fax("three", "one\ftwo\fthree"));
    Click(window, "NextPage");
    for (const Case& c : cases) {
        const std::string file = dir.folder() + c.action;
        QString filter;
        QString proposed;
        window.SetExportNameAsker([&](const QString& f, const QString& p) {
            filter = f;
            proposed = p;
            return QString::fromStdString(file);
        });
        Trigger(window, c.action);
        EXPECT_EQ(filter, c.filter);
        EXPECT_EQ(proposed.toStdString(), "*." + std::string(c.action).substr(6));
        // Without an extension the format's own is added.
        const std::string written = test::ReadFile(file + "." + std::string(c.action).substr(6));
        EXPECT_EQ(written.substr(0, c.magic.size()), c.magic) << c.action;
    }
}

// The number of pages of a PDF file, by pdfinfo.
int PdfPages(const std::string& file)
{
    const RunResult info = Run("/usr/bin/pdfinfo", {file});
    const std::size_t at = info.out.find("Pages:");
    return info.status != 0 || at == std::string::npos ? -1 : std::stoi(info.out.substr(at + 6));
}

TEST_F(FaxViewerTest, TheDocumentExportsHoldEveryPage)
{
    FaxViewer window;
    Open(window, Fax("three", "one\ftwo\fthree"));
    const std::string chosen = dir.folder() + "whole";
    QString filter;
    window.SetExportNameAsker([&](const QString& f, const QString&) {
        filter = f;
        return QString::fromStdString(chosen);
    });
    Trigger(window, "ExportAllPDF");
    EXPECT_EQ(filter, "PDF File (*.PDF *.pdf)");
    EXPECT_EQ(PdfPages(chosen + ".PDF"), 3);
    Trigger(window, "ExportAllTIF");
    EXPECT_EQ(filter, "TIF File (*.TIF *.tif)");
    const RunResult info = test::Run("/usr/bin/tiffinfo", {chosen + ".TIF"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("Page Number: 2-3"), std::string::npos) << info.out;
}

TEST_F(FaxViewerTest, PrintsTheRangeOrTheCurrentPageAndKeepsTheRangeSetUp)
{
    int printed = 0;
    const std::string pdf = dir.folder() + "out.pdf";
    const PdfPrinters printers({"Office"}, [&] { return pdf + std::to_string(++printed); });
    {
        FaxViewer window;
        Open(window, Fax("three", "one\ftwo\fthree"));
        EXPECT_TRUE(Child<QPushButton>(window, "Print")->isEnabled());
        int from = 0;
        int to = 0;
        const auto answer = [&](bool ok) {
            WhenModal([&, ok](QWidget& options) {
                from = Child<QSpinBox>(options, "FromPage")->value();
                to = Child<QSpinBox>(options, "ToPage")->value();
                ok ? static_cast<QDialog&>(options).accept() : static_cast<QDialog&>(options).reject();
            });
        };
        answer(true);
        Click(window, "Print");
        EXPECT_EQ(PdfPages(pdf + std::to_string(printed)), 3);
        EXPECT_EQ(from, 1);
        EXPECT_EQ(to, 3);

        Click(window, "NextPage");
        answer(true);
        Click(window, "PrintCurrentPage");
        EXPECT_EQ(PdfPages(pdf + std::to_string(printed)), 1);
        EXPECT_EQ(from, 2);
        EXPECT_EQ(to, 2);

        answer(false);
        Click(window, "Print");
        EXPECT_EQ(from, 1);
        EXPECT_EQ(to, 3);

        // The range chosen in the print dialog is the one offered next.
        WhenModal([](QWidget& setup) {
            Child<QRadioButton>(setup, "printRange")->setChecked(true);
            Child<QSpinBox>(setup, "from")->setValue(2);
            Child<QSpinBox>(setup, "to")->setValue(3);
            static_cast<QDialog&>(setup).accept();
        });
        Click(window, "PrinterSetup");
        answer(false);
        Click(window, "Print");
        EXPECT_EQ(from, 2);
        EXPECT_EQ(to, 3);
    }
}

TEST_F(FaxViewerTest, AFileThatCannotBeOpenedIsToldAndLeavesNoFileLoaded)
{
    FaxViewer window;
    window.SetFileName(QString::fromStdString(dir.folder() + "missing.APF"));
    std::string told;
    WhenModal([&](QWidget& error) {
        told = ModalText(error);
        CloseModal(error);
    });
    window.show();
    QTRY_VERIFY(!told.empty());
    EXPECT_NE(told.find("Error opening fax file"), std::string::npos) << told;
    EXPECT_EQ(Status(window), "No file loaded");
    EXPECT_TRUE(Viewer(window).FileName().isEmpty());
}

TEST_F(FaxViewerTest, APageThatCannotBeReadIsToldWithItsCode)
{
    FaxViewer window;
    const QString file = Fax("three", "one\ftwo\fthree");
    Open(window, file);
    std::filesystem::remove(file.toStdString());
    std::string told;
    WhenModal([&](QWidget& error) {
        told = ModalText(error);
        CloseModal(error);
    });
    Click(window, "NextPage");
    EXPECT_NE(told.find("Viewer error " + std::to_string(base::ecFileNotFound)), std::string::npos) << told;
    EXPECT_EQ(Status(window), "No file loaded");
}

}  // namespace
}  // namespace vl::test
