// The main window on real calls through the software telephone line: the
// data folder with COM1 on end A, a test page, the Qt loop run until a
// condition holds, and the machine on end B answering or sending.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "LineFixture.h"
#include "ModalDriver.h"
#include "support/EnvVar.h"
#include "ui/MainScreen.h"
#include "ui/SendFaxForm.h"

namespace vl::test {

// Tall enough for the page's slanting line to reach the right edge, which
// sets the width the decoder gives the page.
constexpr int kPageRows = 400;

class WindowCall : public LineFixture {
protected:
    void SetUp() override
    {
        home_ = std::make_unique<EnvVar>("VELLORA_HOME", Home());
        std::filesystem::create_directories(Home() + "SEND");
        // COM1 is end A of the line; Class 1, station ID and speed as a user sets them.
        WriteFile(Home() + "VL.INI", "[Ports]\nCOM1=" + File("ttyA") +
                                         "\n[Modem]\nComPort=0\nFaxClass=1\nMaximumBPS=14400\nFaxClassReceive=1\n"
                                         "[User]\nName=Window Test\nFax=+1 555 0101\n");
        page_ = TestPage(kPageRows);
        WriteFaxTiff(page_, File("page.tif"));
    }

    std::string Home() const { return dir_.folder() + "home/"; }

    // The first page of an APF file as the program decodes it, one row per scan line.
    Bitmap ApfPage(const std::string& apf)
    {
        const RunResult r =
            RunCli(Home(), {"export", apf, "--page", "1", "--format", "pbm", "--no-aspect", "-o", File("apf.pbm")});
        EXPECT_EQ(r.status, 0) << r.err;
        return ParsePbm(ReadFile(File("apf.pbm")));
    }

    // Runs the Qt loop (and the program's messages) until `done` or the call limit.
    bool RunUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + kCallLimit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return true;
    }

    // A one-page fax in the send folder, listed as the printer driver would leave it.
    void PrinterDriverFax()
    {
        WriteFile(File("page.pbm"), PbmFile(page_));
        ASSERT_EQ(vl::test::Run("/bin/sh", {"-c", "pnmtotiff -none \"$0\" > \"$1\"", File("page.pbm"), File("plain.tif")})
                      .status,
                  0);
        ASSERT_EQ(RunCli(Home(), {"convert", File("plain.tif"), "-o", Home() + "SEND/FAX00000.APF", "--fine"}).status,
                  0);
        WriteFile(Home() + "SEND/FAX00000.KQD", "199\nThe Machine\nA test page\n");
    }

    // The machine on end B answers and keeps what it receives in rx.tif.
    void StartAnsweringMachine()
    {
        StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif"), "--faxterm-id",
                   "+1 555 0199"});
    }

    // The machine on end B calls and sends `tiff` (the test page unless
    // given), as station +1 555 0199.
    void StartSendingMachine(const std::string& tiff = {})
    {
        StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-call", "--faxterm-send",
                   tiff.empty() ? File("page.tif") : tiff, "--faxterm-id", "+1 555 0199"});
    }

    // Shows the window and runs until its first activation is done.
    bool Activate(ui::MainScreen& window)
    {
        window.show();
        return RunUntil([&] { return window.FirstActivationDone(); });
    }

    // Starts receive mode. From then on every window that comes up is closed
    // and its text kept in messages_.
    void StartReceiving(ui::MainScreen& window)
    {
        closer_ = std::make_unique<ModalResponder>([this](QWidget& modal) {
            messages_ += ModalText(modal) + "\n";
            CloseModal(modal);
        });
        window.Action(ui::Command::Receive)->trigger();
        ASSERT_TRUE(window.Receive().Active()) << messages_;
    }

    // The send window: press "Send Fax Now" once, take the outcome message,
    // then close it; the outcome must be a sent fax.
    void SendCurrentFax(ui::MainScreen& window)
    {
        std::string outcome;
        ModalResponder responder([&](QWidget& modal) {
            if (auto* form = qobject_cast<QDialog*>(&modal); form && form->windowTitle() == "Send Fax") {
                auto* send = static_cast<ui::SendFaxForm*>(form);
                if (send->ResultText().empty() && !send->Session().Busy())
                    send->SendButton()->click();
                else if (!send->ResultText().empty())
                    send->reject();
                return;
            }
            outcome += ModalText(modal) + "\n";
            CloseModal(modal);
        });
        window.Action(ui::Command::Send)->trigger();
        EXPECT_NE(outcome.find("The fax was sent successfully"), std::string::npos) << outcome << Logs();
    }

    // Each of `lines` stands in the log file `name` of the home folder.
    void ExpectLogLines(const char* name, std::initializer_list<const char*> lines)
    {
        const std::string log = ReadFile(Home() + name);
        for (const char* line : lines)
            EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
    }

    std::unique_ptr<EnvVar> home_;
    Bitmap page_;
    std::unique_ptr<ModalResponder> closer_;
    std::string messages_;
};

}  // namespace vl::test
