// Archiving, deleting and editing the current fax.
#include "app/FaxOperations.h"

#include "app/FaxFolderFiles.h"
#include "app/FaxInfoRecord.h"
#include "app/FaxListTexts.h"
#include "app/FieldText.h"

namespace vl::app {

FaxOperations::FaxOperations(FaxLists& lists, FaxOperationPrompts& prompts, std::string programFolder)
    : lists_(lists), prompts_(prompts), programFolder_(std::move(programFolder)) {}

uint32_t FaxOperations::CurrentOrBeep(FaxPage page, bool busy) {
    if (!lists_.HasCurrent(page) || busy) {
        prompts_.Beep();
        return 0;
    }
    return lists_.List(page)->RecNo();
}

store::Table* FaxOperations::Revisit(FaxPage page, uint32_t recno) {
    store::Table* table = lists_.List(page);
    if (table) table->Go(recno);
    return table;
}

void FaxOperations::Archive(FaxPage page, bool receivingNow) {
    const uint32_t recno = CurrentOrBeep(page, page == FaxPage::Incoming && receivingNow);
    if (recno == 0) return;
    store::Table* table = lists_.List(page);
    const std::string about = table->Text(page == FaxPage::Outgoing ? "SUBJECT" : "FROM");
    const std::string question = ArchiveQuestion(table->Logical("ARCHIVED"), page, about);
    if (!prompts_.AskYesNoDefaultNo(question, std::string(kArchiveQuestionCaption))) return;
    // A flag that cannot be stored is told (the table's error reaches the
    // window): the list alone would not say why the fax stayed.
    table = Revisit(page, recno);
    if (!table) return;
    table->SetLogical("ARCHIVED", !table->Logical("ARCHIVED"));
    table->Post();
    lists_.KeepCurrentListed(page);
}

void FaxOperations::Delete(FaxPage page, bool receivingNow) {
    if (page == FaxPage::Outgoing) {
        DeleteOutgoing();
    } else {
        DeleteIncoming(receivingNow);
    }
}

void FaxOperations::DeleteOutgoing() {
    const uint32_t recno = CurrentOrBeep(FaxPage::Outgoing);
    if (recno == 0) return;
    store::Table* table = lists_.Outgoing();
    DeleteChoice choice = DeleteChoice::Both;
    if (!table->Text("FAXDOC").empty() && !table->Text("FAXCOVER").empty()) {
        const std::optional<DeleteChoice> chosen = prompts_.ChooseDelete();
        if (!chosen) return;
        choice = *chosen;
    } else if (!prompts_.AskYesNoDefaultNo(DeleteOutgoingQuestion(table->Text("SUBJECT")),
                                           std::string(kDeleteQuestionCaption))) {
        return;
    }
    table = Revisit(FaxPage::Outgoing, recno);
    if (!table) return;
    const std::string body = table->Text("FAXDOC");
    const std::string cover = table->Text("FAXCOVER");
    if (choice == DeleteChoice::Cover) {
        table->SetText("FAXCOVER", "");
        table->Post();
    } else if (choice == DeleteChoice::Body) {
        table->SetText("FAXDOC", "");
        table->Post();
    } else {
        table->Delete();
    }
    if (choice != DeleteChoice::Body && !cover.empty()) {
        RemoveFaxFile(programFolder_, FaxFolder::Send, cover);
        RemoveFaxFile(programFolder_, FaxFolder::Send, CoverDataName(cover));
    }
    if (choice != DeleteChoice::Cover) RemoveFaxFile(programFolder_, FaxFolder::Send, body);
    lists_.KeepCurrentListed(FaxPage::Outgoing);
}

void FaxOperations::DeleteIncoming(bool receivingNow) {
    const uint32_t recno = CurrentOrBeep(FaxPage::Incoming, receivingNow);
    if (recno == 0) return;
    store::Table* table = lists_.Incoming();
    if (!prompts_.AskYesNoDefaultNo(DeleteIncomingQuestion(table->Text("FROM")), std::string(kDeleteQuestionCaption)))
        return;
    table = Revisit(FaxPage::Incoming, recno);
    if (!table) return;
    const std::string file = table->Text("FAXFILE");
    table->Delete();
    RemoveFaxFile(programFolder_, FaxFolder::Receive, file);
    lists_.KeepCurrentListed(FaxPage::Incoming);
}

void FaxOperations::EditFaxInfo() {
    const uint32_t recno = CurrentOrBeep(FaxPage::Outgoing);
    if (recno == 0) return;
    FaxInfo info = ReadFaxInfo(*lists_.Outgoing());
    if (!prompts_.EditFaxInfo(std::string(kFaxInfoEditorCaption), info)) return;
    store::Table* table = Revisit(FaxPage::Outgoing, recno);
    if (!table) return;
    StoreFaxInfo(*table, info);
    table->Post();
}

void FaxOperations::EditNotes(bool receivingNow) {
    const uint32_t recno = CurrentOrBeep(FaxPage::Incoming, receivingNow);
    if (recno == 0) return;
    const store::Table& current = *lists_.Incoming();
    std::string notes = current.Text("NOTES");
    if (!prompts_.EditNotes(current.Text("FROM"), notes)) return;
    store::Table* table = Revisit(FaxPage::Incoming, recno);
    if (!table) return;
    table->SetText("NOTES", FitToField(*table, "NOTES", notes));
    table->Post();
}

}  // namespace vl::app
