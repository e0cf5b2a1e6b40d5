#include "store/IndexRebuild.h"

#include <filesystem>
#include <system_error>

#include "store/FaxTables.h"

namespace vl::store {

namespace {

// Ends the table's progress reporting however the rebuild of it ends.
class ProgressConnection {
public:
    ProgressConnection(Table& table, const RebuildReport& report) : table_(table) {
        table_.SetProgressHook(report.progress);
    }
    ~ProgressConnection() { table_.SetProgressHook({}); }
    ProgressConnection(const ProgressConnection&) = delete;
    ProgressConnection& operator=(const ProgressConnection&) = delete;

private:
    Table& table_;
};

void Say(const RebuildReport& report, const std::string& label) {
    if (report.label) report.label(label);
}

void Gauge(const RebuildReport& report, int percent) {
    if (report.progress) report.progress(percent);
}

void RemoveFile(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

void RebuildTable(Table& table, FaxTableKind kind, const char* name, const RebuildReport& report) {
    ProgressConnection connection(table, report);
    const int order = table.Order();
    // The index file in whatever letter case it has, so no old tag can come
    // back through it.
    const std::string index = table.IndexPath();
    table.CloseIndexes();
    RemoveFile(index);

    Say(report, std::string("Removing ") + name + " file records marked for deletion");
    Gauge(report, 0);
    table.Pack();
    Gauge(report, 0);

    Say(report, std::string("Rebuilding ") + name + " file indexes");
    const FaxTableDef& def = FaxTableDefinition(kind);
    BuildFaxTags(table, def, true);
    const int tags = static_cast<int>(table.Tags().size());
    table.SetOrder(kind == FaxTableKind::PhoneBook ? table.TagNumber("NAME") : order <= tags ? order : 0);
}

}  // namespace

void RebuildIndexes(Table& outgoing, Table& incoming, const std::string& programFolder, const RebuildReport& report) {
    RebuildTable(outgoing, FaxTableKind::Outgoing, "FAX", report);
    RebuildTable(incoming, FaxTableKind::Incoming, "RECEIVE", report);
    FaxTableOpenResult phoneBook = OpenOrCreatePhoneBook(programFolder, true);
    if (!phoneBook.ok) return;
    RebuildTable(*phoneBook.table, FaxTableKind::PhoneBook, "PHONE", report);
    phoneBook.table->Close();
}

}  // namespace vl::store
