// The main window on real calls: it sends an outgoing fax to the fax machine
// and the record says "Sent", also right after a first start's quick setup
// found the modem; in receive mode it files a fax the machine sends.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "ModalDriver.h"
#include "WindowCall.h"
#include "base/IniFile.h"
#include "base/MessageWindow.h"
#include "cover/RenderFile.h"
#include "store/Table.h"
#include "support/EnvVar.h"
#include "support/RenderRecordSamples.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"
#include "ui/SendFaxForm.h"

namespace vl::test {
namespace {

TEST_F(WindowCall, SendsTheCurrentOutgoingFaxAndRecordsSent)
{
    ASSERT_NO_FATAL_FAILURE(PrinterDriverFax());
    ASSERT_NO_FATAL_FAILURE(StartAnsweringMachine());

    base::MessageLoop loop;
    ui::QtMessagePump pump(loop);
    ui::MainScreen window(loop);
    ASSERT_TRUE(Activate(window));
    ASSERT_TRUE(window.Lists().HasCurrent(app::FaxPage::Outgoing));

    SendCurrentFax(window);

    store::Table* outgoing = window.Lists().Outgoing();
    EXPECT_EQ(outgoing->Text("LASTRESULT"), "Sent");
    EXPECT_FALSE(outgoing->Date("DATESENT").empty());
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "1") << result;
    ExpectLogLines("Lastsend.log", {"Opening com port: COM1", "Opened com port OK", "Checking for modem",
                                    "Fax#: 199", "StationID: +1 555 0101", "StartTransmit", "Result: OK", "Finish: "});
    window.close();
}

TEST_F(WindowCall, FirstStartFindsTheModemInTheQuickSetupThenSendsOnIt)
{
    // No port set yet; COM3 is end A, the other numbers lead to no device.
    std::string ports = "[Ports]\n";
    for (int com = 1; com <= 6; ++com)
        ports += "COM" + std::to_string(com) + "=" + (com == 3 ? File("ttyA") : File("nothing")) + "\n";
    WriteFile(Home() + "VL.INI", ports);
    ASSERT_NO_FATAL_FAILURE(PrinterDriverFax());
    ASSERT_NO_FATAL_FAILURE(StartAnsweringMachine());

    base::MessageLoop loop;
    ui::QtMessagePump pump(loop);
    ui::MainScreen window(loop);
    std::string shown;
    bool searched = false;
    {
        ModalResponder responder([&](QWidget& modal) {
            const QString caption = modal.windowTitle();
            if (caption == "Quick Setup Form" && !searched) {
                // Queued, so that the search's windows are answered too.
                searched = true;
                QTimer::singleShot(0, modal.findChild<QPushButton*>("findModem"), &QPushButton::click);
            } else if (caption == "Quick Setup Form") {
                modal.findChild<QLineEdit*>("Name")->setText("First Start");
                modal.findChild<QLineEdit*>("FaxNumber")->setText("+1 555 0102");
                modal.findChild<QPushButton*>("ok")->click();
            } else if (caption == "Com Port") {
                shown += ModalText(modal) + "\n";
                static_cast<QMessageBox&>(modal).button(QMessageBox::Yes)->click();
            } else if (caption == "Find Modem") {
                shown += ModalText(modal) + "\n";
                CloseModal(modal);
            }
        });
        ASSERT_TRUE(Activate(window));
    }
    EXPECT_NE(shown.find("Com 3 (" + File("ttyA") + "): MODEM"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Com Port: Set Com Port to Com 3"), std::string::npos) << shown;
    const base::IniFile ini = base::IniFile::Load(Home() + "VL.INI");
    EXPECT_EQ(ini.ReadInteger("Modem", "ComPort", -1), 2);
    EXPECT_EQ(ini.ReadString("User", "Name", ""), "First Start");

    SendCurrentFax(window);
    EXPECT_EQ(window.Lists().Outgoing()->Text("LASTRESULT"), "Sent");
    ExpectLogLines("Lastsend.log", {"Opening com port: COM3", "StationID: +1 555 0102"});
    window.close();
}

TEST_F(WindowCall, ACoverAddedInTheEditorGoesAheadOfTheBodyInOneCall)
{
    ASSERT_NO_FATAL_FAILURE(PrinterDriverFax());
    // A template with a heading, the recipient's field and a frame.
    std::filesystem::create_directories(Home() + "Covers");
    cover::RenderRecord heading = TextRecord(cover::RecordKind::Label, 100, 60, 600, 80, 72);
    heading.text = "FAX";
    heading.fontName = "DejaVu Sans";
    heading.bold = true;
    cover::RenderRecord recipient = heading;
    recipient.kind = cover::RecordKind::Field;
    recipient.top = 300;
    recipient.text.clear();
    recipient.fontSizeCode = 28;
    recipient.valueF = 3;
    const cover::RenderRecord frame = ShapeRecord(0, 0, 40, 20, 1400, 600, 4, 25);
    const std::vector<std::uint8_t> bytes = cover::WriteRenderFile({heading, recipient, frame});
    WriteFile(Home() + "Covers/vl0001.fct", std::string(bytes.begin(), bytes.end()));
    ASSERT_NO_FATAL_FAILURE(StartAnsweringMachine());

    base::MessageLoop loop;
    ui::QtMessagePump pump(loop);
    ui::MainScreen window(loop);
    ASSERT_TRUE(Activate(window));
    {
        ModalResponder responder([](QWidget& modal) {
            if (modal.windowTitle() != "Fax Cover Sheet Editor")
                return CloseModal(modal);
            modal.findChild<QLineEdit*>("Recipient")->setText("Cover Test");
            modal.findChild<QPushButton*>("Save")->click();
        });
        window.Action(ui::Command::AddCover)->trigger();
    }
    store::Table* outgoing = window.Lists().Outgoing();
    const std::string cover = outgoing->Text("FAXCOVER");
    ASSERT_EQ(cover, "COV00000.APF");
    EXPECT_EQ(outgoing->Text("RECIPIENT"), "Cover Test");

    SendCurrentFax(window);
    EXPECT_EQ(JsonField(CallResult(), "pages_a_to_b"), "2");
    const Bitmap coverPage = ApfPage(Home() + "SEND/" + cover);
    EXPECT_GT(InkedRows(coverPage).height, 500);
    // The decoder makes the cover page as wide as its ink, which ends where
    // the template's design page ends; the machine's page has the full line.
    Bitmap received = ReadFaxTiff(File("rx.tif"), 0);
    const std::size_t rowBytes = static_cast<std::size_t>(coverPage.width + 7) / 8;
    for (std::string& row : received.rows) {
        EXPECT_EQ(row.find_first_not_of('\0', rowBytes), std::string::npos);
        row.resize(rowBytes);
    }
    received.width = coverPage.width;
    EXPECT_EQ(InkedRows(received), InkedRows(coverPage));
    EXPECT_EQ(InkedRows(ReadFaxTiff(File("rx.tif"), 1)), InkedRows(ApfPage(Home() + "SEND/FAX00000.APF")));
    window.close();
}

TEST_F(WindowCall, ReceiveModeFilesAFaxFromTheMachine)
{
    ASSERT_NO_FATAL_FAILURE(StartSendingMachine());
    base::MessageLoop loop;
    ui::QtMessagePump pump(loop);
    ui::MainScreen window(loop);
    ASSERT_TRUE(Activate(window));

    ASSERT_NO_FATAL_FAILURE(StartReceiving(window));
    EXPECT_EQ(window.Page(), app::FaxPage::Incoming);
    EXPECT_EQ(window.Button(ui::Command::Receive)->text(), "STOP");
    ASSERT_TRUE(RunUntil([&] { return window.Lists().HasCurrent(app::FaxPage::Incoming); })) << messages_ << Logs();
    ASSERT_TRUE(RunUntil([&] { return !window.Receive().ReceivingNow(); }));
    window.Action(ui::Command::Receive)->trigger();
    EXPECT_FALSE(window.Receive().Active());

    store::Table* incoming = window.Lists().Incoming();
    EXPECT_EQ(incoming->Text("FROM"), "+1 555 0199");
    EXPECT_EQ(incoming->Number("PAGES"), 1);
    const std::string stored = Home() + "RECEIVE/" + incoming->Text("FAXFILE");
    EXPECT_EQ(InkedRows(ApfPage(stored)), InkedRows(page_));
    ExpectLogLines("Lastrec.log", {"Start: ", "Opening com port: COM1", "Opened com port OK", "Checking for modem",
                                   "Start Receive Mode ", "Receiving a fax ", "1 pages received from +1 555 0199",
                                   "Stopped receive mode ", "Finish: "});
    EXPECT_EQ(JsonField(CallResult(), "result"), "completed");
    window.close();
}

}  // namespace
}  // namespace vl::test
