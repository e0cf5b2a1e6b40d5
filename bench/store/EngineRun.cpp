// The benchmark's work on the program's own table engine.
#include <stdexcept>

#include "StoreRun.h"
#include "store/FaxTables.h"
#include "store/IndexRebuild.h"

namespace vl::bench {

namespace {

class EngineRun : public StoreRun {
public:
    explicit EngineRun(const std::string& folder) : folder_(folder), path_(folder + "VLOUT.DBF") {}

    void Append(const std::vector<OutRecord>& records) override {
        const store::FaxTableDef& def = store::OutgoingTableDef();
        store::Table::Create(path_, store::FieldSpecs(def));
        table_ = store::Table::Open(path_, store::OpenMode::Exclusive);
        store::Table& t = *table_;
        // One batch, as SQLite gets one transaction.
        t.BeginBatch();
        for (const OutRecord& r : records) {
            t.AppendBlank();
            t.SetText("SUBJECT", r.subject);
            t.SetDate("DATESENT", r.dateSent);
            t.SetText("TIMESENT", r.timeSent);
            t.SetText("RECIPIENT", r.recipient);
            t.SetText("PHONE", r.phone);
            t.SetText("LASTRESULT", r.lastResult);
            t.SetText("FAXDOC", r.faxDoc);
            t.SetText("FAXCOVER", r.faxCover);
            t.SetText("NOTES", r.notes);
            t.SetText("CODES", r.codes);
            t.SetLogical("ARCHIVED", r.archived);
            t.Post();
        }
        t.EndBatch();
        t.Flush();
    }

    void BuildTags() override { store::BuildFaxTags(*table_, store::OutgoingTableDef(), true); }

    int TagCount() const override { return static_cast<int>(store::OutgoingTableDef().tags.size()); }

    WalkResult Walk(int tag) override {
        table_->SetFilter("");
        table_->SetOrder(tag + 1);
        return WalkAll();
    }

    WalkResult FilteredWalk() override {
        table_->SetOrder(table_->TagNumber("DATESENT"));
        table_->SetFilter(".not. ARCHIVED");
        WalkResult result = WalkAll();
        table_->SetFilter("");
        return result;
    }

    WalkResult Reopen() override {
        table_->Close();
        table_ = store::Table::Open(path_, store::OpenMode::Exclusive);
        table_->SetOrder(table_->TagNumber("DATESENT"));
        return ReadTop();
    }

    // The program's own rebuild, over this table, an empty incoming table
    // and an empty phone book.
    int Rebuild() override {
        if (!incoming_) incoming_ = store::OpenOrCreateIncoming(folder_).table;
        if (!incoming_) throw std::runtime_error("cannot create the incoming table");
        int moves = 0;
        int last = -1;
        store::RebuildReport report;
        report.progress = [&](int percent) {
            moves += percent != last;
            last = percent;
        };
        store::RebuildIndexes(*table_, *incoming_, folder_, report);
        return moves;
    }

    void DeleteTenthAndPack() override {
        store::Table& t = *table_;
        for (uint32_t r = 10; r <= t.RecCount(); r += 10) {
            t.Go(r);
            t.Delete();
        }
        t.Pack();
    }

    uint64_t Count() override { return table_->RecCount(); }

private:
    WalkResult ReadTop() {
        WalkResult result;
        store::Table& t = *table_;
        t.GoTop();
        if (t.Eof()) return result;
        result.bytes = t.Text("SUBJECT").size() + t.Text("RECIPIENT").size();
        result.records = 1;
        return result;
    }

    WalkResult WalkAll() {
        WalkResult result;
        store::Table& t = *table_;
        for (t.GoTop(); !t.Eof(); t.Skip()) {
            result.bytes += t.Text("SUBJECT").size() + t.Text("RECIPIENT").size();
            ++result.records;
        }
        return result;
    }

    std::string folder_;
    std::string path_;
    std::unique_ptr<store::Table> table_;
    std::unique_ptr<store::Table> incoming_;
};

}  // namespace

std::unique_ptr<StoreRun> MakeEngineRun(const std::string& folder) { return std::make_unique<EngineRun>(folder); }

}  // namespace vl::bench
