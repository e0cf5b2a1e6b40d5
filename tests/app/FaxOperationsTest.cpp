#include "app/FaxOperations.h"

#include <gtest/gtest.h>

#include "FaxListFixture.h"

namespace vl::app {
namespace {

using test::ReadFile;
using test::WriteFile;

using FaxOperationsTest = FaxListTest;

TEST_F(FaxOperationsTest, ArchiveUnderEitherFilter) {
    ops.Archive(FaxPage::Outgoing, false);
    EXPECT_EQ(user.beeps, 1);
    const uint32_t first = AddOut({"Quote"});
    AddOut({"Other"});
    Out().Go(first);

    user.yes = false;
    ops.Archive(FaxPage::Outgoing, false);
    EXPECT_EQ(user.questions.back(), "Archive the current fax?\r(subject: Quote)");
    EXPECT_EQ(user.captions.back(), "Archive");
    EXPECT_FALSE(Out().Logical("ARCHIVED"));

    user.yes = true;
    ops.Archive(FaxPage::Outgoing, false);
    EXPECT_EQ(Listed(Out(), "SUBJECT"), std::vector<std::string>{"Other"});
    EXPECT_EQ(Out().Text("SUBJECT"), "Other");  // the next listed fax is current

    lists.SetShowArchived(true);
    Out().Go(first);
    EXPECT_TRUE(lists.CurrentArchived(FaxPage::Outgoing));
    ops.Archive(FaxPage::Outgoing, false);
    EXPECT_EQ(user.questions.back(), "UnArchive the current fax?\r(subject: Quote)");
    EXPECT_EQ(Out().RecNo(), first);
    EXPECT_FALSE(Out().Logical("ARCHIVED"));
    ops.Archive(FaxPage::Outgoing, false);
    EXPECT_EQ(Out().RecNo(), first);  // archived and still listed
    EXPECT_EQ(Listed(Out(), "SUBJECT").size(), 2u);

    Out().SetText("SUBJECT", "");
    Out().Post();
    ops.Archive(FaxPage::Outgoing, false);
    EXPECT_EQ(user.questions.back(), "UnArchive the current fax?\r(no subject)");
}

TEST_F(FaxOperationsTest, ArchiveIncomingWaitsWhileAFaxComesIn) {
    AddIn("", "");
    const size_t asked = user.questions.size();
    ops.Archive(FaxPage::Incoming, true);
    EXPECT_EQ(user.beeps, 1);
    EXPECT_EQ(user.questions.size(), asked);
    ops.Archive(FaxPage::Incoming, false);
    EXPECT_EQ(user.questions.back(), "Archive the current fax?");
    EXPECT_FALSE(lists.HasCurrent(FaxPage::Incoming));
}

TEST_F(FaxOperationsTest, DeleteCoverBodyOrBoth) {
    auto files = [&] {
        for (const char* name : {"FAX00001.APF", "COV00001.APF", "cov00001.FCD", "FAX00002.APF", "COV00002.APF"})
            WriteFile(Send(name), name);
    };
    files();
    const uint32_t fax = AddOut({"Both", "FAX00001.APF", "COV00001.APF"});

    user.deleteChoice = std::nullopt;
    ops.Delete(FaxPage::Outgoing, false);
    EXPECT_EQ(user.deleteWindows, 1);
    EXPECT_TRUE(user.questions.empty());
    EXPECT_TRUE(Exists(Send("COV00001.APF")));

    user.deleteChoice = DeleteChoice::Cover;
    ops.Delete(FaxPage::Outgoing, false);
    EXPECT_EQ(Out().RecNo(), fax);
    EXPECT_EQ(Out().Text("FAXCOVER"), "");
    EXPECT_EQ(Out().Text("FAXDOC"), "FAX00001.APF");
    EXPECT_FALSE(Exists(Send("COV00001.APF")) || Exists(Send("cov00001.FCD")));
    EXPECT_TRUE(Exists(Send("FAX00001.APF")));

    // A body alone is deleted with the record after one question.
    ops.Delete(FaxPage::Outgoing, false);
    EXPECT_EQ(user.questions.back(), "Delete the current fax?\r\n(subject: \"Both\")");
    EXPECT_EQ(user.captions.back(), "Delete");
    EXPECT_FALSE(lists.HasCurrent(FaxPage::Outgoing));
    EXPECT_FALSE(Exists(Send("FAX00001.APF")));

    files();
    AddOut({"Body", "FAX00002.APF", "COV00002.APF"});
    user.deleteChoice = DeleteChoice::Body;
    ops.Delete(FaxPage::Outgoing, false);
    EXPECT_EQ(Out().Text("FAXDOC"), "");
    EXPECT_FALSE(Exists(Send("FAX00002.APF")));
    EXPECT_TRUE(Exists(Send("COV00002.APF")));

    // Both, with the body's file already gone.
    Out().SetText("FAXDOC", "FAX00009.APF");
    Out().Post();
    user.deleteChoice = DeleteChoice::Both;
    ops.Delete(FaxPage::Outgoing, false);
    EXPECT_FALSE(lists.HasCurrent(FaxPage::Outgoing));
    EXPECT_FALSE(Exists(Send("COV00002.APF")));
    EXPECT_TRUE(Exists(Send("COV00001.APF")));  // another fax's files stay
}

TEST_F(FaxOperationsTest, DeleteRemovesOnlyFilesInsideTheFaxFolders) {
    AddOut({"Odd", "../VL.INI"});
    WriteFile(folder + "VL.INI", "[User]\n");
    ops.Delete(FaxPage::Outgoing, false);
    EXPECT_FALSE(lists.HasCurrent(FaxPage::Outgoing));
    EXPECT_TRUE(Exists(folder + "VL.INI"));

    WriteFile(Receive("FAX00003.APF"), "x");
    AddIn("Far", "fax00003.apf");
    ops.Delete(FaxPage::Incoming, true);
    EXPECT_EQ(user.beeps, 1);
    ops.Delete(FaxPage::Incoming, false);
    EXPECT_EQ(user.questions.back(), "Delete the current fax?\r\n(from: \"Far\")");
    EXPECT_FALSE(lists.HasCurrent(FaxPage::Incoming));
    EXPECT_FALSE(Exists(Receive("FAX00003.APF")));
}

TEST_F(FaxOperationsTest, CloneCopiesFilesAndCutsTheSubject) {
    const std::string fifty(50, 's');
    WriteFile(Send("FAX00000.APF"), "body");
    WriteFile(Send("COV00000.APF"), "cover");
    WriteFile(Send("COV00000.fcd"), "data");
    AddOut({fifty, "FAX00000.APF", "COV00000.APF"});
    ops.Clone();
    EXPECT_EQ(user.questions.back(), "Clone the current fax?\r\n(subject: \"" + fifty + "\")");
    ASSERT_EQ(Out().RecNo(), 2u);
    EXPECT_EQ(Out().Text("SUBJECT"), "[clone]" + fifty.substr(0, 43));
    EXPECT_EQ(Out().Text("RECIPIENT"), "Ann");
    EXPECT_EQ(Out().Text("PHONE"), "555 0100");
    EXPECT_EQ(Out().Text("FAXDOC"), "FAX00001.APF");
    EXPECT_EQ(Out().Text("FAXCOVER"), "COV00001.APF");
    EXPECT_EQ(ReadFile(Send("FAX00001.APF")), "body");
    EXPECT_EQ(ReadFile(Send("COV00001.APF")), "cover");
    EXPECT_EQ(ReadFile(Send("COV00001.fcd")), "data");

    // A cover without its data file is not cloned.
    AddOut({"No data", "", "COV00007.APF"});
    WriteFile(Send("COV00007.APF"), "cover");
    ops.Clone();
    EXPECT_EQ(Out().Text("SUBJECT"), "[clone]No data");
    EXPECT_EQ(Out().Text("FAXCOVER"), "");
    EXPECT_FALSE(Exists(Send("COV00002.APF")));

    const uint32_t records = Out().RecCount();
    user.yes = false;
    ops.Clone();
    EXPECT_EQ(Out().RecCount(), records);
}

TEST_F(FaxOperationsTest, ForwardMakesAnOutgoingFaxFromACopy) {
    AddIn("Branch office", "REC00004.APF");
    EXPECT_FALSE(ops.Forward());  // no received file: nothing asked
    EXPECT_TRUE(user.questions.empty());

    WriteFile(Receive("REC00004.APF"), "pages");
    user.editorResult = {"Bob", "555 0199", "Fwd: order", "see p.2", "X1"};
    ASSERT_TRUE(ops.Forward());
    EXPECT_EQ(user.questions.back(), "Forward the current fax to be sent?\r\n(from: Branch office)");
    EXPECT_EQ(user.captions.back(), "Forward");
    EXPECT_EQ(user.editorCaption, "Forward fax from: Branch office");
    EXPECT_EQ(user.editorShown.recipient, "");
    EXPECT_EQ(Out().Text("FAXDOC"), "FWD00000.APF");
    EXPECT_EQ(ReadFile(Send("FWD00000.APF")), "pages");
    EXPECT_EQ(Out().Text("RECIPIENT"), "Bob");
    EXPECT_EQ(Out().Text("NOTES"), "see p.2");
    EXPECT_EQ(Out().Text("CODES"), "X1");
    EXPECT_TRUE(Exists(Receive("REC00004.APF")));

    user.editorOk = false;
    EXPECT_FALSE(ops.Forward());
    EXPECT_EQ(Out().RecCount(), 1u);
}

TEST_F(FaxOperationsTest, EditorsStoreWhatFitsTheFields) {
    AddOut({"Old"});
    user.editorResult = {"Carl", "555", std::string(60, 'n'), "", ""};
    ops.EditFaxInfo();
    EXPECT_EQ(user.editorCaption, "Fax Information Editor");
    EXPECT_EQ(user.editorShown.subject, "Old");
    EXPECT_EQ(Out().Text("SUBJECT"), std::string(50, 'n'));
    EXPECT_EQ(Out().Text("RECIPIENT"), "Carl");

    AddIn("Far", "");
    user.notesResult = "call back";
    ops.EditNotes(true);
    EXPECT_EQ(user.beeps, 1);
    ops.EditNotes(false);
    EXPECT_EQ(user.notesFrom, "Far");
    EXPECT_EQ(In().Text("NOTES"), "call back");
}

TEST_F(FaxOperationsTest, PrinterDriverFaxesAreImported) {
    WriteFile(Send("FAX00010.APF"), "one");
    WriteFile(Send("FAX00010.KQD"), "555 0101\r\nDora\r\nInvoice\r\n");
    WriteFile(Send("fax00011.apf"), "two");
    WriteFile(Send("fax00011.kqd"), "555 0102\rEve\rCaf\xE9");  // Windows-1252 text, CR line ends
    WriteFile(Send("FAX00012.kqd"), "555 0103\nNobody\nMissing\n");
    EXPECT_EQ(ops.ImportPrinterDriverFaxes(), 2);
    EXPECT_EQ(user.messageRuns, 2);
    lists.SetOutgoingOrder(FaxLists::OutgoingOrder::Natural);
    EXPECT_EQ(Listed(Out(), "FAXDOC"), (std::vector<std::string>{"FAX00010.APF", "fax00011.apf"}));
    EXPECT_EQ(Listed(Out(), "PHONE"), (std::vector<std::string>{"555 0101", "555 0102"}));
    EXPECT_EQ(Listed(Out(), "RECIPIENT"), (std::vector<std::string>{"Dora", "Eve"}));
    EXPECT_EQ(Listed(Out(), "SUBJECT"), (std::vector<std::string>{"Invoice", "Caf\u00e9"}));
    EXPECT_FALSE(Exists(Send("FAX00010.KQD")) || Exists(Send("fax00011.kqd")));

    // The sidecar without its fax file waits for it.
    EXPECT_TRUE(Exists(Send("FAX00012.kqd")));
    EXPECT_EQ(ops.ImportPrinterDriverFaxes(), 0);
    WriteFile(Send("FAX00012.APF"), "three");
    EXPECT_EQ(ops.ImportPrinterDriverFaxes(), 1);
    EXPECT_EQ(Out().RecCount(), 3u);
}

TEST_F(FaxOperationsTest, PrinterDriverFaxWithALongNameComesInUnderAFreeName) {
    WriteFile(Send("FAX00000.APF"), "taken");
    WriteFile(Send("Quarterly report.APF"), "long");
    WriteFile(Send("Quarterly report.kqd"), "555 0104\nFay\nFigures\n");
    EXPECT_EQ(ops.ImportPrinterDriverFaxes(), 1);
    lists.SetOutgoingOrder(FaxLists::OutgoingOrder::Natural);
    EXPECT_EQ(Listed(Out(), "FAXDOC"), (std::vector<std::string>{"FAX00001.APF"}));
    EXPECT_EQ(Listed(Out(), "RECIPIENT"), (std::vector<std::string>{"Fay"}));
    EXPECT_EQ(ReadFile(Send("FAX00001.APF")), "long");
    EXPECT_EQ(ReadFile(Send("FAX00000.APF")), "taken");
    EXPECT_FALSE(Exists(Send("Quarterly report.APF")) || Exists(Send("Quarterly report.kqd")));
    EXPECT_EQ(ops.ImportPrinterDriverFaxes(), 0);
    EXPECT_EQ(Out().RecCount(), 1u);
}

TEST_F(FaxOperationsTest, FilesToSendAndTheSendResult) {
    EXPECT_FALSE(ops.FilesToSend().ok);
    WriteFile(Send("FAX00000.APF"), "body");
    WriteFile(Send("COV00000.APF"), "cover");
    const uint32_t both = AddOut({"Both", "fax00000.apf", "COV00000.APF"});
    FaxOperations::SendFiles files = ops.FilesToSend();
    EXPECT_TRUE(files.ok);
    EXPECT_EQ(files.first, Send("FAX00000.APF"));
    EXPECT_EQ(files.second, Send("COV00000.APF"));
    AddOut({"Cover only", "", "COV00000.APF"});
    files = ops.FilesToSend();
    EXPECT_EQ(files.first, Send("COV00000.APF"));
    EXPECT_EQ(files.second, "");
    AddOut({"Gone", "FAX00005.APF"});
    EXPECT_FALSE(ops.FilesToSend().ok);

    const store::TableTimestamp when{"20240510", "14:05"};
    ops.RecordSendResult(both, "Sent", "555 0111", when);
    EXPECT_EQ(Out().RecNo(), both);
    EXPECT_EQ(Out().Date("DATESENT"), "20240510");
    EXPECT_EQ(Out().Text("TIMESENT"), "14:05");
    EXPECT_EQ(Out().Text("LASTRESULT"), "Sent");

    ops.RecordSendResult(both, "No answer", "555 0112", {"20240511", "09:00"});
    EXPECT_EQ(Out().Date("DATESENT"), "20240510");
    EXPECT_EQ(Out().Text("LASTRESULT"), "No answer");
    EXPECT_EQ(Out().Text("PHONE"), "555 0112");

    ops.RecordSendResult(both, "", "555 0113", {"20240512", "09:00"});
    EXPECT_EQ(Out().Text("LASTRESULT"), "No answer");
    EXPECT_EQ(Out().Text("PHONE"), "555 0113");
    EXPECT_EQ(Out().Text("TIMESENT"), "14:05");
}

}  // namespace
}  // namespace vl::app
