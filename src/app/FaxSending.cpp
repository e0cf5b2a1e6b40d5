// The files of the fax to send and the record of how the send went.
#include "app/FaxFolderFiles.h"
#include "app/FaxOperations.h"

namespace vl::app {

FaxOperations::SendFiles FaxOperations::FilesToSend() const {
    SendFiles files;
    if (!lists_.HasCurrent(FaxPage::Outgoing)) return files;
    const store::Table& table = *lists_.Outgoing();
    const auto body = ExistingFaxFile(programFolder_, FaxFolder::Send, table.Text("FAXDOC"));
    const auto cover = ExistingFaxFile(programFolder_, FaxFolder::Send, table.Text("FAXCOVER"));
    if (body) {
        files.first = *body;
        files.second = cover.value_or("");
    } else {
        files.first = cover.value_or("");
    }
    files.ok = !files.first.empty();
    return files;
}

void FaxOperations::RecordSendResult(uint32_t recno, const std::string& resultText, const std::string& phone,
                                     const store::TableTimestamp& when) {
    store::Table* table = lists_.Outgoing();
    if (!table) return;
    table->Go(recno);
    store::RecordSendAttempt(*table, resultText, phone, when);
    lists_.KeepCurrentListed(FaxPage::Outgoing);
}

}  // namespace vl::app
