// Cloning an outgoing fax and forwarding an incoming one: new outgoing
// faxes with copies of the files, so that deleting either fax later leaves
// the other whole.
#include <filesystem>
#include <system_error>

#include "app/FaxFileNames.h"
#include "app/FaxFolderFiles.h"
#include "app/FaxInfoRecord.h"
#include "app/FaxListTexts.h"
#include "app/FaxOperations.h"
#include "app/FieldText.h"

namespace vl::app {

namespace {

constexpr const char* kClonePrefix = "[clone]";

void RemoveCopies(const std::string& folder, std::initializer_list<std::string> names) {
    for (const std::string& name : names) {
        std::error_code ec;
        if (!name.empty()) std::filesystem::remove(folder + name, ec);
    }
}

}  // namespace

std::string FaxOperations::CopyCover(const std::string& cover) {
    const std::optional<std::string> page = ExistingFaxFile(programFolder_, FaxFolder::Send, cover);
    const std::optional<std::string> data = ExistingFaxFile(programFolder_, FaxFolder::Send, CoverDataName(cover));
    if (!page || !data) return "";
    const std::string folder = FaxFolderPath(programFolder_, FaxFolder::Send);
    const std::string target = NextFreeFaxFileName(folder, "COV");
    const std::string name = FileNameOf(target);
    if (!CopyFaxFile(*page, target)) return "";
    if (!CopyFaxFile(*data, folder + CoverDataName(name))) {
        RemoveCopies(folder, {name});
        return "";
    }
    return name;
}

void FaxOperations::Clone() {
    const uint32_t recno = CurrentOrBeep(FaxPage::Outgoing);
    if (recno == 0) return;
    const std::string question = CloneQuestion(lists_.Outgoing()->Text("SUBJECT"));
    if (!prompts_.AskYesNoDefaultNo(question, std::string(kCloneQuestionCaption))) return;
    store::Table* table = Revisit(FaxPage::Outgoing, recno);
    if (!table) return;
    const std::string body = table->Text("FAXDOC");
    const std::string cover = table->Text("FAXCOVER");
    if (body.empty() && cover.empty()) return;
    const std::string recipient = table->Text("RECIPIENT");
    const std::string phone = table->Text("PHONE");
    const std::string subject = FitToField(*table, "SUBJECT", kClonePrefix + table->Text("SUBJECT"));

    const std::string folder = FaxFolderPath(programFolder_, FaxFolder::Send);
    std::string newBody;
    if (const auto source = ExistingFaxFile(programFolder_, FaxFolder::Send, body)) {
        const std::string target = NextFreeFaxFileName(folder, "FAX");
        if (CopyFaxFile(*source, target)) newBody = FileNameOf(target);
    }
    const std::string newCover = cover.empty() ? "" : CopyCover(cover);
    try {
        table->AppendBlank();
        table->SetText("FAXDOC", newBody);
        table->SetText("FAXCOVER", newCover);
        table->SetText("RECIPIENT", recipient);
        table->SetText("PHONE", phone);
        table->SetText("SUBJECT", subject);
        table->Post();
    } catch (const store::EStoreError&) {
        RemoveCopies(folder, {newBody, newCover, newCover.empty() ? "" : CoverDataName(newCover)});
        throw;
    }
    prompts_.ProcessMessages();
    lists_.ReloadOutgoing();
}

bool FaxOperations::Forward() {
    if (CurrentOrBeep(FaxPage::Incoming) == 0) return false;
    store::Table* incoming = lists_.Incoming();
    const std::string from = incoming->Text("FROM");
    const std::optional<std::string> received =
        ExistingFaxFile(programFolder_, FaxFolder::Receive, incoming->Text("FAXFILE"));
    if (!received) return false;
    if (!prompts_.AskYesNoDefaultNo(ForwardQuestion(from), std::string(kForwardQuestionCaption))) return false;
    FaxInfo info;
    if (!prompts_.EditFaxInfo(ForwardEditorCaption(from), info)) return false;
    store::Table* outgoing = lists_.Outgoing();
    if (!outgoing) return false;
    // A fax whose file could not be copied is not added: it could never be sent.
    const std::string folder = FaxFolderPath(programFolder_, FaxFolder::Send);
    const std::string target = NextFreeFaxFileName(folder, "FWD");
    if (!CopyFaxFile(*received, target)) return false;
    try {
        outgoing->AppendBlank();
        StoreFaxInfo(*outgoing, info);
        outgoing->SetText("FAXDOC", FileNameOf(target));
        outgoing->Post();
    } catch (const store::EStoreError&) {
        RemoveCopies(folder, {FileNameOf(target)});
        throw;
    }
    prompts_.ProcessMessages();
    lists_.ReloadOutgoing();
    return true;
}

}  // namespace vl::app
