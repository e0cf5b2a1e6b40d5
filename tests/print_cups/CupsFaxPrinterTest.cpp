// The "Vellora Fax" printer in a real CUPS server: put there by vellora-cli,
// a report printed to it with lp arrives in the open main window as an
// outgoing fax with the pixels Ghostscript draws; a job that cannot be
// faxed, or one of another user, leaves the send folder as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTableView>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "TestCupsServer.h"
#include "faxdoc/ApfReader.h"
#include "support/EnvVar.h"
#include "support/RenderedPageMatch.h"
#include "support/SampleReport.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"
#include "ui/SingleInstance.h"

namespace vl::test {
namespace {

namespace fs = std::filesystem;

constexpr char kQueue[] = "Vellora_Fax";

class CupsFaxPrinterTest : public ::testing::Test {
protected:
    CupsFaxPrinterTest() : home("VELLORA_HOME", server.FaxHome()), pump(loop) {}

    void SetUp() override
    {
        if (!server.Missing().empty())
            GTEST_SKIP() << server.Missing();
        // One data folder for the server's jobs: each test starts it afresh.
        for (const auto& entry : fs::directory_iterator(server.FaxHome()))
            fs::remove_all(entry.path());
        fs::create_directories(Send());
        WriteFile(server.FaxHome() + "VL.INI", "[Modem]\nComPort=0\n");
        const RunResult installed = test::Run(VL_CLI_PATH, {"printer", "install"}, server.Env());
        ASSERT_EQ(installed.status, 0) << installed.err;
        EXPECT_EQ(installed.out, "The printer \"Vellora Fax\" (Vellora_Fax) is installed.\n");
    }

    std::string Send() const { return server.FaxHome() + "SEND/"; }

    RunResult Lp(const std::vector<std::string>& args)
    {
        std::vector<std::string> all = {"-d", kQueue};
        all.insert(all.end(), args.begin(), args.end());
        return test::Run("/usr/bin/lp", all, server.Env());
    }

    // Waits, Qt's events running, until the queue has no job left to do.
    bool JobsDone(std::chrono::seconds wait = std::chrono::seconds(60))
    {
        const auto end = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < end) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            const RunResult pending = test::Run("/usr/bin/lpstat", {"-W", "not-completed", "-o", kQueue}, server.Env());
            if (pending.status == 0 && pending.out.empty())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    std::vector<std::string> FaxFiles() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(Send()))
            if (entry.path().extension() == ".APF")
                files.push_back(entry.path().string());
        return files;
    }

    TestCupsServer& server = TestCupsServer::Shared();
    EnvVar home;
    base::MessageLoop loop;
    ui::QtMessagePump pump;
    TempDir docs;
};

TEST_F(CupsFaxPrinterTest, AReportPrintedWithLpArrivesAsAnOutgoingFaxWithItsPixels)
{
    const std::string pdf = MakeReportPdf(docs.folder());
    ASSERT_FALSE(pdf.empty());
    // The window as the desktop program runs it: the first copy, importing
    // on the print job's request.
    ui::SingleInstance instance(server.FaxHome());
    ASSERT_TRUE(instance.IsFirst());
    ui::MainScreen window(loop);
    instance.OnImport = [&window] { QTimer::singleShot(0, &window, [&window] { window.ImportPrinted(); }); };
    window.show();
    for (int i = 0; i < 500 && !window.FirstActivationDone(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const auto rows = [&window] { return window.List(app::FaxPage::Outgoing)->model()->rowCount(); };
    ASSERT_EQ(rows(), 0);

    const RunResult printed =
        Lp({"-t", "Quarterly report", "-o", "number='555 0101'", "-o", "subject=\"Q3 figures, as promised\"", pdf});
    ASSERT_EQ(printed.status, 0) << printed.err;
    ASSERT_TRUE(JobsDone()) << server.ErrorLog();
    for (int i = 0; i < 500 && rows() == 0; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(rows(), 1) << server.ErrorLog();
    EXPECT_EQ(window.Lists().Outgoing()->Text("PHONE"), "555 0101");
    EXPECT_EQ(window.Lists().Outgoing()->Text("SUBJECT"), "Q3 figures, as promised");
    EXPECT_FALSE(fs::exists(Send() + "FAX00000.KQD")) << "the sidecar was taken in";

    const std::vector<std::string> faxes = FaxFiles();
    ASSERT_EQ(faxes.size(), 1u);
    faxdoc::ApfFileHeader header;
    ASSERT_EQ(faxdoc::ApfReadHeader(faxes[0], header), 0);
    ASSERT_EQ(header.pageCount, 3);
    for (int number = 1; number <= 3; ++number) {
        const QImage rendered = RenderedPage(pdf, number, true, docs.folder());
        ASSERT_FALSE(rendered.isNull());
        const faxdoc::PageImage page = ApfPageImage(faxes[0], static_cast<unsigned>(number));
        const PageMatch match = MatchRenderedPage(page, rendered, number == 3 ? ReportPhotoPixels(196) : QRect());
        std::cout << "page " << number << ": " << match.differ << " of " << match.black << " black pixels differ";
        if (number == 3)
            std::cout << "; photograph " << match.photoInk << " ink for " << match.photoGrey << " grey";
        std::cout << "\n";
        EXPECT_GT(match.black, 2000) << "page " << number << " has its text";
        EXPECT_LE(match.differ, 20) << "page " << number;
        if (number == 3) {
            EXPECT_NEAR(match.photoInk, match.photoGrey, 0.03) << "the photograph keeps its greys";
        }
    }
    window.EndWithoutQuestions();
}

TEST_F(CupsFaxPrinterTest, JobsThatCannotBeFaxedOrAreAnotherUsersLeaveTheSendFolderAsItWas)
{
    // The print system's filters fit a large page to the paper; sent raw,
    // a poster of 600 x 900 mm reaches the backend as it is.
    WriteFile(docs.folder() + "poster.ps",
              "%!PS\n<< /PageSize [1701 2551] >> setpagedevice\n/Helvetica findfont 90 scalefont setfont\n"
              "72 1200 moveto (Poster) show showpage\n");
    ASSERT_EQ(Lp({"-o", "raw", docs.folder() + "poster.ps"}).status, 0);
    ASSERT_TRUE(JobsDone());
    EXPECT_NE(server.ErrorLog().find("page 1 is 600 x 900 mm, larger than A3"), std::string::npos)
        << server.ErrorLog();
    EXPECT_NE(ReadFile(server.FaxHome() + "vellora-print.log").find("Failed: page 1 is"), std::string::npos);
    EXPECT_TRUE(FaxFiles().empty());

    // The job of a user who may not write in this data folder is not
    // written there with the print system's rights.
    const std::string pdf = MakeReportPdf(docs.folder());
    ASSERT_EQ(Lp({"-U", "nobody", pdf}).status, 0);
    ASSERT_TRUE(JobsDone());
    EXPECT_NE(server.ErrorLog().find("cannot write into the send folder"), std::string::npos) << server.ErrorLog();
    EXPECT_TRUE(FaxFiles().empty());

    // The queue goes on with the next job.
    ASSERT_EQ(Lp({pdf}).status, 0);
    ASSERT_TRUE(JobsDone());
    EXPECT_EQ(FaxFiles().size(), 1u) << server.ErrorLog();
}

TEST_F(CupsFaxPrinterTest, ThePrinterIsRemovedAndItsBackendStays)
{
    const RunResult removed = test::Run(VL_CLI_PATH, {"printer", "uninstall"}, server.Env());
    EXPECT_EQ(removed.status, 0) << removed.err;
    EXPECT_NE(test::Run("/usr/bin/lpstat", {"-p", kQueue}, server.Env()).status, 0);
    EXPECT_EQ(test::Run(VL_CLI_PATH, {"printer", "uninstall"}, server.Env()).status, 1) << "nothing to remove";
    // The backend lists its device to the print system.
    const RunResult listed = test::Run(server.Env().at("CUPS_SERVERBIN") + "/backend/vellora", {});
    EXPECT_EQ(listed.out.substr(0, 17), "direct vellora:/ ");
}

}  // namespace
}  // namespace vl::test
