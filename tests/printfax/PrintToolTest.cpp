// vellora-print run as a program on documents made with Ghostscript and Qt,
// against a data folder of its own.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QLocalServer>
#include <QLocalSocket>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/InstanceRequests.h"
#include "app/PrinterDriverLink.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/Unpacker.h"
#include "support/RenderedPageMatch.h"
#include "support/SampleReport.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

constexpr int kFaxWidth = 1728;

// Pages of the given size in points, each with its number and a line of
// text in large type.
std::string PostScript(int pages, int widthPt = 595, int heightPt = 842)
{
    std::string ps = "%!PS\n<< /PageSize [" + std::to_string(widthPt) + " " + std::to_string(heightPt) +
                     "] >> setpagedevice\n/Helvetica findfont 40 scalefont setfont\n";
    for (int i = 1; i <= pages; ++i)
        ps += "72 700 moveto (Page " + std::to_string(i) + ") show 72 600 moveto (The quick brown fox) show showpage\n";
    return ps;
}

int PageCount(const std::string& apf)
{
    faxdoc::ApfFileHeader header;
    EXPECT_EQ(faxdoc::ApfReadHeader(apf, header), 0) << apf;
    return header.pageCount;
}

class PrintTool : public ::testing::Test {
protected:
    PrintTool()
    {
        app::WritePrinterDriverLink(home.folder() + "VLPD.INI", {Send(), "vellora"});
        std::filesystem::create_directories(Send());
    }

    std::string Send() const { return home.folder() + "outbox/"; }
    std::string Doc(const std::string& name) const { return docs.folder() + name; }
    std::string Written(const std::string& name, const std::string& bytes) const
    {
        WriteFile(Doc(name), bytes);
        return Doc(name);
    }
    std::string Pdf(const std::string& name, const std::string& postScript) const
    {
        const RunResult made = RunGhostscript({"-sDEVICE=pdfwrite", "-sOutputFile=" + Doc(name), Written(name + ".ps", postScript)});
        EXPECT_EQ(made.status, 0) << made.err;
        return Doc(name);
    }

    RunResult Print(const std::vector<std::string>& args) const
    {
        return test::Run(VL_PRINT_PATH, args, {{"VELLORA_HOME", home.folder()}});
    }

    std::vector<std::string> SendFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Send()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Log() const { return ReadFile(home.folder() + "vellora-print.log"); }

    TempDir home;
    TempDir docs;
};

TEST_F(PrintTool, APdfBecomesAFaxWithItsSidecarAndThePixelsGhostscriptDraws)
{
    const std::string pdf = Pdf("report.pdf", PostScript(3));
    const RunResult run = Print({"--number", "555 0101", "--recipient", "Ann Smith", "--title", "Report", pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Send() + "FAX00000.APF\n");
    EXPECT_EQ(SendFiles(), (std::vector<std::string>{"FAX00000.APF", "FAX00000.KQD"}));
    EXPECT_EQ(ReadFile(Send() + "FAX00000.KQD"), "555 0101\nAnn Smith\nReport\n");
    const std::string apf = Send() + "FAX00000.APF";
    ASSERT_EQ(PageCount(apf), 3);
    EXPECT_NE(Log().find("Printed 3 page(s) to FAX00000.APF"), std::string::npos) << Log();

    // Ghostscript's own rendering of page 1, thresholded.
    const QImage expected = RenderedPage(pdf, 1, true, docs.folder());
    ASSERT_FALSE(expected.isNull());
    const faxdoc::PageImage page = ApfPageImage(apf, 1);
    EXPECT_EQ(page.height, expected.height());
    const PageMatch match = MatchRenderedPage(page, expected);
    EXPECT_GT(match.black, 10000) << "the text was drawn";
    EXPECT_LE(match.differ, 20);
}

TEST_F(PrintTool, PostScriptFromStandardInputAtNormalResolution)
{
    const std::string ps = Written("memo.ps", PostScript(2));
    const RunResult run = test::Run("/bin/sh", {"-c", "exec \"$0\" --normal --subject Memo - < \"$1\"", VL_PRINT_PATH, ps},
                              {{"VELLORA_HOME", home.folder()}});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string apf = Send() + "FAX00000.APF";
    ASSERT_EQ(PageCount(apf), 2);
    faxdoc::ApfFileHeader header;
    faxdoc::ApfPageHeader pageHeader;
    ASSERT_EQ(faxdoc::ApfFindPage(apf, 1, header, pageHeader), 0);
    EXPECT_FALSE(pageHeader.HighResolution());
    // An A4 page is 297 mm long: 1146 lines at 98 per inch.
    EXPECT_NEAR(ApfPageImage(apf, 2).height, 1146, 2);
    EXPECT_EQ(ReadFile(Send() + "FAX00000.KQD"), "\n\nMemo\n");
}

TEST_F(PrintTool, AGreyGradientIsDitheredWhileItsEndsStaySolid)
{
    QImage gradient(800, 400, QImage::Format_Grayscale8);
    for (int y = 0; y < gradient.height(); ++y)
        for (int x = 0; x < gradient.width(); ++x)
            gradient.scanLine(y)[x] = static_cast<uchar>(x * 255 / (gradient.width() - 1));
    ASSERT_TRUE(gradient.save(QString::fromStdString(Doc("photo.png")), "PNG"));
    const RunResult run = Print({Doc("photo.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    const faxdoc::PageImage page = ApfPageImage(Send() + "FAX00000.APF", 1);
    // Scaled to the line: 400 rows become 400 * 1728 / 800 * 196 / 204.
    EXPECT_NEAR(page.height, 830, 1);
    const auto blackBetween = [&](int x0, int x1) {
        int black = 0;
        for (int y = 100; y < 700; ++y)
            for (int x = x0; x < x1; ++x)
                black += InkAt(page, x, y);
        return black;
    };
    const int band = 600 * 100;
    EXPECT_EQ(blackBetween(0, 100), band) << "near black stays black";
    EXPECT_EQ(blackBetween(1628, 1728), 0) << "near white stays white";
    const int middle = blackBetween(814, 914);  // about half grey
    EXPECT_GT(middle, band * 4 / 10);
    EXPECT_LT(middle, band * 6 / 10);
}

TEST_F(PrintTool, AMultiPageTiffGivesAPageForEachImageItHolds)
{
    if (!QImageReader::supportedImageFormats().contains("tiff"))
        GTEST_SKIP() << "Qt's TIFF plugin is not installed";
    // Fax-coded pages at 204 x 98 dots per inch: at fine resolution each
    // takes twice its rows.
    const RunResult made =
        RunGhostscript({"-sDEVICE=tiffg4", "-r204x98", "-sOutputFile=" + Doc("fax.tif"), Written("fax.ps", PostScript(3))});
    ASSERT_EQ(made.status, 0) << made.err;
    const RunResult run = Print({Doc("fax.tif")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string apf = Send() + "FAX00000.APF";
    ASSERT_EQ(PageCount(apf), 3);
    const QSize size = QImageReader(QString::fromStdString(Doc("fax.tif"))).size();
    const int expected = size.height() * kFaxWidth * 2 / size.width();
    for (unsigned p = 1; p <= 3; ++p)
        EXPECT_NEAR(ApfPageImage(apf, p).height, expected, 4) << p;
}

TEST_F(PrintTool, TextInEitherEncodingGoesToTheSendFolderEvenBeforeVelloraRan)
{
    std::filesystem::remove(home.folder() + "VLPD.INI");
    const RunResult run = Print({Written("note.txt", "Dear Ann,\n\x93quoted\x94 in Windows-1252\nCaf\xC3\xA9\n")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string apf = home.folder() + "SEND/FAX00000.APF";
    ASSERT_EQ(PageCount(apf), 1);
    const faxdoc::PageImage page = ApfPageImage(apf, 1);
    EXPECT_GT(page.width, 0) << "the text was drawn";
}

TEST_F(PrintTool, ANewFaxTakesTheFirstFreeNumberAndFieldsStayOnTheirLines)
{
    WriteFile(Send() + "FAX00000.APF", "taken");
    WriteFile(Send() + "fax00001.apf", "taken in another case");
    WriteFile(Send() + "FAX00003.APF", "taken");
    const RunResult run = Print({"--recipient", "Ann\nSmith", "--subject", "Line one\r\nline two", "--number",
                                 "555\r0101", Written("a.txt", "a\n")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(Send() + "FAX00002.KQD"), "555 0101\nAnn Smith\nLine one  line two\n");
    EXPECT_EQ(PageCount(Send() + "FAX00002.APF"), 1);
}

TEST_F(PrintTool, BadJobsSayWhyInOneLineAndLeaveTheSendFolderAsItWas)
{
    const std::string encrypted = Doc("locked.pdf");
    const bool locked = RunGhostscript({"-sDEVICE=pdfwrite", "-sOwnerPassword=owner", "-sUserPassword=user",
                            "-dEncryptionR=3", "-dKeyLength=128", "-sOutputFile=" + encrypted,
                            Written("locked.ps", PostScript(1))})
                            .status == 0;
    QByteArray png;
    png.append("\x89PNG\r\n\x1A\n", 8);
    png.append(200, 'x');
    struct Case {
        std::string name;
        std::string file;
        std::string says;
    };
    std::vector<Case> cases = {
        {"empty", Written("empty", ""), "the print job is empty"},
        {"truncated pdf", Written("cut.pdf", "%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R"), "the document"},
        {"no pages", Written("blank.ps", "%!PS\n"), "the document has no pages"},
        {"600 x 900 mm", Written("poster.ps", PostScript(1, 1701, 2551)), "page 1 is 600 x 900 mm, larger than A3"},
        {"broken png", Written("broken.png", png.toStdString()), "the PNG image could not be read"},
        {"binary", Written("data.bin", std::string("\x7F" "ELF\2\1\1\0", 8)), "binary data"},
        {"missing", Doc("nothing-here.pdf"), "nothing-here.pdf: No such file"},
    };
    if (locked) cases.push_back({"password", encrypted, "password"});
    for (const Case& c : cases) {
        const RunResult run = Print({"--number", "1", c.file});
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_TRUE(run.err.starts_with("vellora-print: ")) << c.name << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << ": " << run.err;
        EXPECT_TRUE(SendFiles().empty()) << c.name;
    }
    EXPECT_NE(Log().find("Failed: the print job is empty"), std::string::npos);
    EXPECT_EQ(Print({"--fine"}).status, 2);
}

TEST_F(PrintTool, ARunningVelloraIsAskedToImport)
{
    int argc = 1;
    char name[] = "printfax_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    QLocalServer vellora;
    ASSERT_TRUE(vellora.listen(QString::fromStdString(app::InstanceServerName(home.folder()))));
    ASSERT_EQ(Print({Written("a.txt", "a\n")}).status, 0);
    // The tool is done: what it sent waits in the connection.
    ASSERT_TRUE(vellora.waitForNewConnection(5000));
    QLocalSocket* request = vellora.nextPendingConnection();
    request->waitForReadyRead(5000);
    EXPECT_EQ(request->readAll().toStdString(), app::kImportRequest);
}

}  // namespace
}  // namespace vl::test
