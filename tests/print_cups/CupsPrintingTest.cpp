// Faxes printed from the main window's Print and on receipt reach a real
// CUPS server; its PDF printer's file has the fax's pages, its header text,
// and the fax page itself where the layout puts it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QDialog>

#include <filesystem>
#include <memory>

#include "TestCupsServer.h"
#include "ModalDriver.h"
#include "base/IniFile.h"
#include "faxdoc/ApfJoin.h"
#include "faxdoc/VlFaxConverter.h"
#include "store/FaxTables.h"
#include "support/EnvVar.h"
#include "ui/FaxPrintRun.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

namespace fs = std::filesystem;

// A fine page with one black block, 864 x 200 pixels from (0, 300): the
// printed page must show it in the same proportions.
constexpr int kBlockWidth = 864;
constexpr int kBlockHeight = 200;

class CupsPrintingTest : public ::testing::Test {
protected:
    CupsPrintingTest() : home("VELLORA_HOME", dir.folder()), pump(loop) {}

    void SetUp() override
    {
        if (!server.Missing().empty())
            GTEST_SKIP() << server.Missing();
        fs::create_directories(dir.path() / "SEND");
        fs::create_directories(dir.path() / "RECEIVE");
        WriteFile(dir.path() / "VL.INI", "[Modem]\nComPort=0\n[Printing]\nHeader=1\nStretch=1\n");
    }

    std::string BlockFax(const std::string& path, int pages)
    {
        gfx::MonoBitmap page(1728, 1000);
        for (int y = 300; y < 300 + kBlockHeight; ++y)
            for (int x = 0; x < kBlockWidth; ++x)
                page.SetBlack(x, y, true);
        faxdoc::VlFaxConverter converter;
        converter.SetOptions(0);
        converter.SetLeftMargin(0);
        converter.SetResolution(faxdoc::FaxResolution::frHigh);
        converter.SetOutFileName(path + ".one");
        converter.ConvertBitmapToFile(page);
        fs::copy_file(path + ".one", path);
        for (int i = 1; i < pages; ++i) {
            faxdoc::JoinApfFiles(path + ".two", path, path + ".one");
            fs::rename(path + ".two", path);
        }
        return path;
    }

    // The first printed page at 100 dpi in grey.
    static QImage FirstPage(const std::string& pdf)
    {
        const std::string stem = pdf + "-page";
        test::Run("/usr/bin/pdftoppm", {"-r", "100", "-f", "1", "-l", "1", "-gray", "-png", "-singlefile", pdf, stem});
        QImage image(QString::fromStdString(stem + ".png"));
        fs::remove(stem + ".png");
        return image;
    }

    // The black block of the printed page: the tallest run of rows that are
    // dark over a quarter of the page's width (the header's rule is one such
    // row on its own).
    static QRect InkedBlock(const QImage& image)
    {
        QRect block;
        QRect run;
        for (int y = 0; y < image.height(); ++y) {
            int left = -1;
            int right = -1;
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) >= 100)
                    continue;
                if (left < 0)
                    left = x;
                right = x;
            }
            if (left < 0 || right - left <= image.width() / 4) {
                run = QRect();
                continue;
            }
            const QRect row(left, y, right - left + 1, 1);
            run = run.isNull() ? row : run.united(row);
            if (run.height() > block.height())
                block = run;
        }
        return block;
    }

    // Whether anything is printed in the top rows: the header line.
    static bool InkAbove(const QImage& image, int rows)
    {
        for (int y = 0; y < rows && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    return true;
        return false;
    }

    static void ExpectTheBlock(const std::string& pdf)
    {
        const QImage page = FirstPage(pdf);
        const QRect block = InkedBlock(page);
        ASSERT_FALSE(block.isNull());
        EXPECT_TRUE(InkAbove(page, block.top() / 4)) << "no header above the page";
        // Scaled alike on both sides: its shape is the fax's.
        const double printed = static_cast<double>(block.width()) / block.height();
        EXPECT_NEAR(printed, static_cast<double>(kBlockWidth) / kBlockHeight, 0.25) << block.width() << "x" << block.height();
    }

    TestCupsServer& server = TestCupsServer::Shared();
    TempDir dir;
    EnvVar home;
    base::MessageLoop loop;
    ui::QtMessagePump pump;
};

TEST_F(CupsPrintingTest, TheMainWindowsPrintReachesThePrinter)
{
    BlockFax(dir.folder() + "SEND/FAX00001.APF", 2);
    {
        auto out = store::OpenOrCreateOutgoing(dir.folder(), "").table;
        out->AppendBlank();
        out->SetText("RECIPIENT", "Northwind Supply");
        out->SetText("FAXDOC", "FAX00001.APF");
        out->Post();
        out->Close();
    }
    ui::MainScreen window(loop);
    window.show();
    for (int i = 0; i < 500 && !window.FirstActivationDone(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    WhenModal([](QWidget& form) {
        EXPECT_EQ(form.windowTitle(), "Print");
        static_cast<QDialog&>(form).accept();
    });
    window.Action(ui::Command::Print)->trigger();

    const std::string pdf = server.NextPdf();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PdfPages(pdf), 2);
    ExpectTheBlock(pdf);
    window.EndWithoutQuestions();
}

TEST_F(CupsPrintingTest, AFaxPrintedOnReceiptReachesTheReceiptPrinter)
{
    const std::string fax = BlockFax(dir.folder() + "RECEIVE/FAX0001.APF", 3);
    ui::PrintOnReceipt(fax, "From: ACME             Received: now", TestCupsServer::kPrinter, nullptr);
    EXPECT_EQ(ui::CurrentPrinterName(), TestCupsServer::kPrinter);
    const std::string pdf = server.NextPdf();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PdfPages(pdf), 3);
    ExpectTheBlock(pdf);
}

}  // namespace
}  // namespace vl::test
