// The fax printer on a PDF printer: sheets for a range of pages one or four to
// a sheet, the header and footer texts, the log, abort, and failures.
#include "print/VlFaxPrinter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QPrinter>

#include "base/ErrorCodes.h"
#include "faxdoc/VlFaxConverter.h"
#include "gfx/GuiApplication.h"
#include "support/TestSupport.h"
#include "support/ThrownCode.h"

namespace vl::print {
namespace {

class VlFaxPrinterTest : public ::testing::Test {
protected:
    VlFaxPrinterTest() {
        gfx::EnsureGuiApplication();
        log.LogFileName = dir.folder() + "FAXPRINT.LOG";
    }

    // A six-page text fax, one numbered line a page.
    std::string SixPages() {
        const std::string text = dir.folder() + "six.txt";
        std::ofstream out(text);
        for (int page = 1; page <= 6; ++page) out << "This is page " << page << "\f";
        out.close();
        faxdoc::VlFaxConverter converter;
        converter.SetInputDocumentType(faxdoc::FaxInputDocumentType::idText);
        converter.SetOptions(0);
        converter.SetDocumentFile(text);
        converter.ConvertToFile();
        return dir.folder() + "six.APF";
    }

    // Prints into a PDF file and answers its page count.
    int PrintedSheets(VlFaxPrinter& printer, const std::string& name = "out.pdf") {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setResolution(300);
        pdf.setOutputFileName(QString::fromStdString(dir.folder() + name));
        printer.PrintFax(pdf);
        return Sheets(name);
    }

    int Sheets(const std::string& name) {
        if (!std::filesystem::exists(dir.folder() + name)) return 0;
        const test::RunResult info = test::Run("/usr/bin/pdfinfo", {dir.folder() + name});
        EXPECT_EQ(info.status, 0) << info.err;
        const std::size_t at = info.out.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.out.substr(at + 6));
    }

    std::string Text(const std::string& name) {
        return test::Run("/usr/bin/pdftotext", {"-layout", dir.folder() + name, "-"}).out;
    }

    test::TempDir dir;
    VlFaxPrinterLog log;
};

TEST_F(VlFaxPrinterTest, ARangeGoesOneOrFourToASheet) {
    VlFaxPrinter printer;
    printer.SetFileName(SixPages());
    EXPECT_EQ(printer.PageCount(), 6);
    EXPECT_EQ(printer.FirstPage, 1);
    EXPECT_EQ(printer.LastPage, 6);
    EXPECT_EQ(printer.FaxResolution(), "standard");
    EXPECT_EQ(printer.FaxWidth(), "1728");

    std::vector<int> pagesSeen;
    printer.OnNextPage = [&](int page, int count) {
        EXPECT_EQ(count, 6);
        pagesSeen.push_back(page);
    };
    EXPECT_EQ(PrintedSheets(printer, "all.pdf"), 6);
    EXPECT_EQ(pagesSeen, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    printer.MultiPage = true;
    EXPECT_EQ(PrintedSheets(printer, "four.pdf"), 2);
    printer.MultiPage = false;
    printer.FirstPage = 2;
    printer.LastPage = 3;
    EXPECT_EQ(PrintedSheets(printer, "two.pdf"), 2);
}

TEST_F(VlFaxPrinterTest, HeaderAndFooterCarryTheirMacrosAndTheJobIsLogged) {
    VlFaxPrinter printer;
    const std::string fax = SixPages();
    printer.SetFileName(fax);
    printer.FirstPage = 2;
    printer.LastPage = 2;
    printer.FaxHeader.Enabled = true;
    printer.FaxFooter.Enabled = true;
    printer.FaxPrinterLog = &log;
    std::vector<PrintProgress> progress;
    printer.OnFaxPrintStatus = [&](PrintProgress p) { progress.push_back(p); };
    ASSERT_EQ(PrintedSheets(printer), 1);
    const std::string text = Text("out.pdf");
    EXPECT_NE(text.find("File: " + fax), std::string::npos) << text;
    EXPECT_NE(text.find("Page: 2 of 6"), std::string::npos) << text;
    const std::string logged = test::ReadFile(log.LogFileName);
    EXPECT_EQ(logged.find("Printing " + fax + " started at "), 0u) << logged;
    EXPECT_NE(logged.find("Printing " + fax + " finished at "), std::string::npos) << logged;
    EXPECT_EQ(progress, (std::vector<PrintProgress>{PrintProgress::Idle, PrintProgress::Converting,
                                                    PrintProgress::Composing, PrintProgress::Rendering,
                                                    PrintProgress::Submitting, PrintProgress::Idle}));
}

TEST_F(VlFaxPrinterTest, AnAbortStopsBeforeTheNextPageAndAFailedPageIsThrown) {
    VlFaxPrinter printer;
    const std::string fax = SixPages();
    printer.SetFileName(fax);
    printer.FaxPrinterLog = &log;
    printer.OnNextPage = [&](int page, int) {
        if (page == 3) printer.PrintAbort();
    };
    PrintedSheets(printer, "aborted.pdf");
    EXPECT_NE(test::ReadFile(log.LogFileName).find(" aborted at "), std::string::npos);
    EXPECT_FALSE(printer.Printing());

    // The last page runs past the end of the file.
    printer.OnNextPage = nullptr;
    std::filesystem::resize_file(fax, std::filesystem::file_size(fax) - 20);
    printer.SetFileName(fax);
    EXPECT_EQ(test::ThrownCode([&] { PrintedSheets(printer, "failed.pdf"); }), base::ecFaxBadFormat);
    EXPECT_NE(test::ReadFile(log.LogFileName).find(" failed at "), std::string::npos);

    // A file that is no fax has no pages, and nothing is printed.
    test::WriteFile(dir.folder() + "text.APF", "not a fax");
    printer.SetFileName(dir.folder() + "text.APF");
    EXPECT_EQ(printer.PageCount(), 0);
    EXPECT_EQ(printer.FirstPage, 0);
    EXPECT_EQ(PrintedSheets(printer, "none.pdf"), 0);
}

}  // namespace
}  // namespace vl::print
