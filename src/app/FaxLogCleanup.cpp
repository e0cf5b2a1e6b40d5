#include "app/FaxLogCleanup.h"

#include <functional>

#include "app/FaxFolderFiles.h"

namespace vl::app {

namespace {

bool Blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

// Runs `found` on each record of a pass over the table in natural order with
// deleted records in view; marked ones and those the condition rejects are
// passed over. The order, the current record and the hiding of deleted
// records come back however the pass ends.
void ForEachMatch(store::Table& table, const std::string& condition, const std::function<void()>& found) {
    if (Blank(condition)) return;
    struct Restore {
        store::Table& table;
        uint32_t recno = table.RecNo();
        int order = table.Order();
        bool showDeleted = table.ShowDeleted();
        ~Restore() {
            try {
                table.SetShowDeleted(showDeleted);
                table.SetOrder(order);
                table.Go(recno);
            } catch (const store::EStoreError&) {
                // The position is a convenience; the list shows what is there.
            }
        }
    } restore{table};
    table.SetOrder(0);
    table.SetShowDeleted(true);
    for (table.GoTop(); !table.Eof(); table.Skip())
        if (!table.Deleted() && table.EvalLogical(condition)) found();
}

}  // namespace

FaxLogCleanup::FaxLogCleanup(std::string programFolder) : programFolder_(std::move(programFolder)) {}

void FaxLogCleanup::DeleteFax(store::Table& table, store::CleanupPage page) {
    if (page == store::CleanupPage::Outgoing) {
        const std::string body = table.Text("FAXDOC");
        const std::string cover = table.Text("FAXCOVER");
        table.Delete();
        deletedAnything_ = true;
        RemoveFaxFile(programFolder_, FaxFolder::Send, body);
        if (!cover.empty()) {
            RemoveFaxFile(programFolder_, FaxFolder::Send, cover);
            RemoveFaxFile(programFolder_, FaxFolder::Send, CoverDataName(cover));
        }
    } else {
        const std::string file = table.Text("FAXFILE");
        table.Delete();
        deletedAnything_ = true;
        RemoveFaxFile(programFolder_, FaxFolder::Receive, file);
    }
}

void FaxLogCleanup::DeleteCurrent(store::Table& table, store::CleanupPage page) {
    const uint32_t current = table.RecNo();
    table.Skip(1);
    const uint32_t next = table.RecNo();
    table.Go(current);
    DeleteFax(table, page);
    try {
        table.Go(next);
    } catch (const store::EStoreError&) {
        // Staying on the deleted record is harmless: the list moves on.
    }
}

int FaxLogCleanup::DeleteMatching(store::Table& table, store::CleanupPage page, const std::string& condition) {
    int count = 0;
    ForEachMatch(table, condition, [&] {
        DeleteFax(table, page);
        ++count;
    });
    return count;
}

std::vector<uint32_t> FaxLogCleanup::Matching(store::Table& table, const std::string& condition) {
    std::vector<uint32_t> records;
    ForEachMatch(table, condition, [&] { records.push_back(table.RecNo()); });
    return records;
}

}  // namespace vl::app
