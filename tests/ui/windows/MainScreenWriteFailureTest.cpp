// The main window when a command cannot write its table or files (a full
// disk, simulated by a file size limit that makes writes fail with EFBIG,
// which holds for root too): the command's error shows in the error window,
// the tables and fax files stay as they were, and the window goes on.
#include "ui/MainScreen.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

#include "ModalDriver.h"
#include "OneFaxEach.h"
#include "app/FaxListTexts.h"
#include "base/MessageWindow.h"
#include "store/FaxTables.h"
#include "support/EnvVar.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"
#include "ui/QtMessagePump.h"
#include "ui/SendFaxForm.h"
#include "ui/ShowErrorForm.h"

namespace vl::test {
namespace {

using app::FaxPage;
using ui::Command;

// Every record of a table as text (deletion mark and fields), read once the
// window has let go of it.
std::vector<std::string> Records(const std::string& dbf)
{
    auto table = store::Table::Open(dbf, store::OpenMode::ReadOnly);
    table->SetShowDeleted(true);
    std::vector<std::string> records;
    for (std::uint32_t recno = 1; recno <= table->RecCount(); ++recno) {
        table->Go(recno);
        std::string record = table->Deleted() ? "*" : " ";
        for (const auto& field : table->Layout().Fields())
            record += "|" + table->Text(field.name);
        records.push_back(record);
    }
    return records;
}

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The table's header length: the offset of its first record.
rlim_t HeaderLength(const std::string& dbf)
{
    const std::string bytes = ReadFile(dbf);
    return static_cast<unsigned char>(bytes.at(8)) | static_cast<unsigned char>(bytes.at(9)) << 8;
}

// What a data folder holds: both tables' records and the fax folders' files.
struct Snapshot {
    std::vector<std::string> outgoing, incoming;
    std::set<std::string> send, receive;
    bool operator==(const Snapshot&) const = default;
};

void PrintTo(const Snapshot& s, std::ostream* os)
{
    *os << ::testing::PrintToString(s.outgoing) << ::testing::PrintToString(s.incoming)
        << ::testing::PrintToString(s.send) << ::testing::PrintToString(s.receive);
}

Snapshot Take(const std::string& folder)
{
    return {Records(folder + "VLOUT.DBF"), Records(folder + "VLREC.DBF"), FilesIn(folder + "SEND"),
            FilesIn(folder + "RECEIVE")};
}

class MainScreenWriteFailureTest : public ::testing::Test {
protected:
    MainScreenWriteFailureTest() : home("VELLORA_HOME", dir.folder()), pump(loop)
    {
        WriteOneFaxEach(Folder());
        // A port is set, so no quick setup comes up.
        WriteFile(Folder() + "VL.INI", "[Modem]\nComPort=0\n");
        // The first start builds the index tags; the tests start from there.
        Open();
        window.reset();
    }

    std::string Folder() const { return dir.folder(); }

    void Open()
    {
        window = std::make_unique<ui::MainScreen>(loop);
        window->show();
        for (int i = 0; i < 500 && !window->FirstActivationDone(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_TRUE(window->FirstActivationDone());
    }

    int Rows(FaxPage page) const { return window->List(page)->model()->rowCount(); }

    TempDir dir;
    EnvVar home;
    base::MessageLoop loop;
    ui::QtMessagePump pump;
    std::unique_ptr<ui::MainScreen> window;
};

// Answers the questions and editors of the commands: Yes, "Delete Both",
// a changed field; the send window gets a new number and closes unsent.
void AnswerCommand(QWidget& modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        (yes ? yes : box->button(QMessageBox::Ok))->click();
    } else if (auto* form = qobject_cast<ui::SendFaxForm*>(&modal)) {
        form->NumberField()->setText("5550200");
        form->close();
    } else if (auto* both = modal.findChild<QRadioButton*>("both")) {
        both->click();
        CloseModal(modal);
    } else if (auto* recipient = modal.findChild<QLineEdit*>("recipient")) {
        recipient->setText("Changed Recipient");
        CloseModal(modal);
    } else if (auto* notes = modal.findChild<QPlainTextEdit*>("notes")) {
        notes->setPlainText("changed notes");
        CloseModal(modal);
    } else {
        CloseModal(modal);
    }
}

// The outgoing fax without its cover: Edit then opens the fax information
// editor (a cover opens the cover sheet editor, which renders a page first).
void DropCover(const std::string& folder)
{
    auto out = store::OpenOrCreateOutgoing(folder, "").table;
    out->Go(1);
    out->SetText("FAXCOVER", "");
    out->Post();
    out->Close();
}

// Where the file size limit falls in the table the command writes.
enum class Cut {
    BeforeRecords,  // no record can be written at all
    InFirstRecord,  // a change of the first record is written half
    InNewRecord,    // a new record is written half
};

struct FailingCommand {
    const char* name;
    FaxPage page;
    Command command;
    const char* table;  // the table file the command writes
    Cut cut;
};

rlim_t Limit(const std::string& table, Cut cut)
{
    switch (cut) {
    case Cut::InFirstRecord:
        return HeaderLength(table) + 10;
    case Cut::InNewRecord:
        return std::filesystem::file_size(table) + 10;
    default:
        return HeaderLength(table);
    }
}

void PrintTo(const FailingCommand& c, std::ostream* os)
{
    *os << c.name;
}

class CommandWriteFailureTest : public MainScreenWriteFailureTest,
                                public ::testing::WithParamInterface<FailingCommand> {};

TEST_P(CommandWriteFailureTest, ShowsTheErrorAndLeavesTablesAndFilesAsTheyWere)
{
    const FailingCommand& c = GetParam();
    if (c.command == Command::Edit && c.page == FaxPage::Outgoing)
        DropCover(Folder());
    const Snapshot before = Take(Folder());
    Open();
    window->SetPage(c.page);
    const int outgoingRows = Rows(FaxPage::Outgoing);
    const int incomingRows = Rows(FaxPage::Incoming);
    ASSERT_TRUE(window->Action(c.command)->isEnabled());

    std::vector<std::string> errors;
    {
        const std::string table = Folder() + c.table;
        FileSizeLimit limit(Limit(table, c.cut));
        ModalResponder responder([&](QWidget& modal) {
            if (qobject_cast<ui::ShowErrorForm*>(&modal)) {
                errors.push_back(ModalText(modal));
                CloseModal(modal);
            } else {
                AnswerCommand(modal);
            }
        });
        window->Action(c.command)->trigger();
    }
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(c.table), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find(std::strerror(EFBIG)), std::string::npos) << errors[0];
    // The window goes on, with the lists as they were.
    EXPECT_EQ(Rows(FaxPage::Outgoing), outgoingRows);
    EXPECT_EQ(Rows(FaxPage::Incoming), incomingRows);
    EXPECT_TRUE(window->Action(Command::Clone)->isEnabled() || c.page == FaxPage::Incoming);
    window.reset();
    EXPECT_EQ(Take(Folder()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandWriteFailureTest,
    ::testing::Values(
        FailingCommand{"EditOutgoing", FaxPage::Outgoing, Command::Edit, "VLOUT.DBF", Cut::BeforeRecords},
        FailingCommand{"EditOutgoingPartWay", FaxPage::Outgoing, Command::Edit, "VLOUT.DBF", Cut::InFirstRecord},
        FailingCommand{"EditNotes", FaxPage::Incoming, Command::Edit, "VLREC.DBF", Cut::BeforeRecords},
        FailingCommand{"Clone", FaxPage::Outgoing, Command::Clone, "VLOUT.DBF", Cut::BeforeRecords},
        FailingCommand{"ClonePartWay", FaxPage::Outgoing, Command::Clone, "VLOUT.DBF", Cut::InNewRecord},
        FailingCommand{"DeleteOutgoing", FaxPage::Outgoing, Command::Delete, "VLOUT.DBF", Cut::BeforeRecords},
        FailingCommand{"DeleteOutgoingPartWay", FaxPage::Outgoing, Command::Delete, "VLOUT.DBF", Cut::InFirstRecord},
        FailingCommand{"DeleteIncoming", FaxPage::Incoming, Command::Delete, "VLREC.DBF", Cut::BeforeRecords},
        FailingCommand{"ArchiveOutgoing", FaxPage::Outgoing, Command::Archive, "VLOUT.DBF", Cut::BeforeRecords},
        FailingCommand{"ArchiveIncoming", FaxPage::Incoming, Command::Archive, "VLREC.DBF", Cut::BeforeRecords},
        FailingCommand{"Forward", FaxPage::Incoming, Command::Forward, "VLOUT.DBF", Cut::BeforeRecords},
        FailingCommand{"ForwardPartWay", FaxPage::Incoming, Command::Forward, "VLOUT.DBF", Cut::InNewRecord},
        FailingCommand{"SendResult", FaxPage::Outgoing, Command::Send, "VLOUT.DBF", Cut::BeforeRecords}),
    [](const ::testing::TestParamInfo<FailingCommand>& info) { return std::string(info.param.name); });

TEST_F(MainScreenWriteFailureTest, APrinterDriverFaxThatCannotBeFiledWaitsInTheSendFolder)
{
    WriteFile(Folder() + "SEND/FAX00002.APF", "x");
    WriteFile(Folder() + "SEND/FAX00002.KQD", "5550102\nSecond Recipient\nSecond subject\n");
    const Snapshot before = Take(Folder());
    {
        FileSizeLimit limit(std::filesystem::file_size(Folder() + "VLOUT.DBF") + 10);
        ModalResponder responder([](QWidget& modal) { CloseModal(modal); });
        Open();
        EXPECT_EQ(Rows(FaxPage::Outgoing), 1);
    }
    window.reset();
    EXPECT_EQ(Take(Folder()), before);
}

}  // namespace
}  // namespace vl::test
