// Archiving, deleting and editing the current fax.
#include "app/FaxOperations.h"

#include "app/FaxFolderFiles.h"
#include "app/FaxInfoRecord.h"
#include "app/FaxListTexts.h"
#include "app/FieldText.h"

namespace vl::app {

FaxOperations::FaxOperations(FaxLists& lists, FaxOperationPrompts& prompts, std::string programFolder)
    : lists_(lists), prompts_(prompts), programFolder_(std::move(programFolder)) {}

void FaxOperations::Archive(FaxPage page, bool receivingNow) {
    if (!lists_.HasCurrent(page) || (page == FaxPage::Incoming && receivingNow)) {
        prompts_.Beep();
        return;
    }
    store::Table* table = lists_.List(page);
    const uint32_t recno = table->RecNo();
    const std::string about = table->Text(page == FaxPage::Outgoing ? "SUBJECT" : "FROM");
    const std::string question = ArchiveQuestion(table->Logical("ARCHIVED"), page, about);
    if (!prompts_.AskYesNoDefaultNo(question, std::string(kArchiveQuestionCaption))) return;
    // The question let the window run; the list may have been reloaded.
    table = lists_.List(page);
    if (!table) return;
    try {
        table->Go(recno);
        table->SetLogical("ARCHIVED", !table->Logical("ARCHIVED"));
        table->Post();
        lists_.KeepCurrentListed(page);
    } catch (const store::EStoreError&) {
        // The list shows the flag as it is stored.
    }
}

void FaxOperations::Delete(FaxPage page, bool receivingNow) {
    if (page == FaxPage::Outgoing) {
        DeleteOutgoing();
    } else {
        DeleteIncoming(receivingNow);
    }
}

void FaxOperations::DeleteOutgoing() {
    if (!lists_.HasCurrent(FaxPage::Outgoing)) {
        prompts_.Beep();
        return;
    }
    store::Table* table = lists_.Outgoing();
    const uint32_t recno = table->RecNo();
    DeleteChoice choice = DeleteChoice::Both;
    if (!table->Text("FAXDOC").empty() && !table->Text("FAXCOVER").empty()) {
        const std::optional<DeleteChoice> chosen = prompts_.ChooseDelete();
        if (!chosen) return;
        choice = *chosen;
    } else if (!prompts_.AskYesNoDefaultNo(DeleteOutgoingQuestion(table->Text("SUBJECT")),
                                           std::string(kDeleteQuestionCaption))) {
        return;
    }
    table = lists_.Outgoing();
    if (!table) return;
    table->Go(recno);
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
    if (!lists_.HasCurrent(FaxPage::Incoming) || receivingNow) {
        prompts_.Beep();
        return;
    }
    store::Table* table = lists_.Incoming();
    const uint32_t recno = table->RecNo();
    if (!prompts_.AskYesNoDefaultNo(DeleteIncomingQuestion(table->Text("FROM")), std::string(kDeleteQuestionCaption)))
        return;
    table = lists_.Incoming();
    if (!table) return;
    table->Go(recno);
    const std::string file = table->Text("FAXFILE");
    table->Delete();
    RemoveFaxFile(programFolder_, FaxFolder::Receive, file);
    lists_.KeepCurrentListed(FaxPage::Incoming);
}

void FaxOperations::EditFaxInfo() {
    if (!lists_.HasCurrent(FaxPage::Outgoing)) {
        prompts_.Beep();
        return;
    }
    store::Table* table = lists_.Outgoing();
    const uint32_t recno = table->RecNo();
    FaxInfo info = ReadFaxInfo(*table);
    if (!prompts_.EditFaxInfo(std::string(kFaxInfoEditorCaption), info)) return;
    table = lists_.Outgoing();
    if (!table) return;
    table->Go(recno);
    StoreFaxInfo(*table, info);
    table->Post();
}

void FaxOperations::EditNotes(bool receivingNow) {
    if (!lists_.HasCurrent(FaxPage::Incoming) || receivingNow) {
        prompts_.Beep();
        return;
    }
    store::Table* table = lists_.Incoming();
    const uint32_t recno = table->RecNo();
    std::string notes = table->Text("NOTES");
    if (!prompts_.EditNotes(table->Text("FROM"), notes)) return;
    table = lists_.Incoming();
    if (!table) return;
    table->Go(recno);
    table->SetText("NOTES", FitToField(*table, "NOTES", notes));
    table->Post();
}

}  // namespace vl::app
