#include "app/FaxListColumns.h"

#include "store/XbaseDate.h"

namespace vl::app {

const std::vector<ListColumn>& OutgoingColumns() {
    static const std::vector<ListColumn> columns = {
        {"DATESENT", "Date Sent", 10},     {"TIMESENT", "Time Sent", 5},    {"PHONE", "Fax#", 15},
        {"RECIPIENT", "Recipient", 20},    {"SUBJECT", "Subject", 20},      {"LASTRESULT", "Last Attempt", 20},
        {"NOTES", "Notes", 25},            {"CODES", "Codes", 15},          {kOutgoingFileColumn, "Fax File", 50},
    };
    return columns;
}

const std::vector<ListColumn>& IncomingColumns() {
    static const std::vector<ListColumn> columns = {
        {"DATEREC", "Date Rec'd", 10}, {"TIMEREC", "Time Rec'd", 5}, {"FROM", "From", 20},
        {"PAGES", "Pages", 2},         {"NOTES", "Notes", 60},       {kIncomingFileColumn, "Fax File", 50},
    };
    return columns;
}

const std::vector<ListColumn>& CleanupOutgoingColumns() {
    static const std::vector<ListColumn> columns = {
        {kDeletedColumn, "Deleted?", 3},        {kArchivedColumn, "Archived?", 3}, {"DATESENT", "Date Sent", 10},
        {"TIMESENT", "Time Sent", 5},           {"RECIPIENT", "Recipient", 20},    {"SUBJECT", "Subject", 20},
        {"PHONE", "Fax#", 15},                  {"LASTRESULT", "Last Attempt", 20}, {kOutgoingFileColumn, "Fax File", 50},
        {"CODES", "Codes", 15},                 {"NOTES", "Notes", 25},
    };
    return columns;
}

const std::vector<ListColumn>& CleanupIncomingColumns() {
    static const std::vector<ListColumn> columns = {
        {kDeletedColumn, "Deleted?", 3}, {kArchivedColumn, "Archived?", 3}, {"DATEREC", "Date Rec'd", 10},
        {"TIMEREC", "Time Rec'd", 5},    {"FROM", "From", 20},              {"PAGES", "Pages", 2},
        {"FAXFILE", "Fax File", 12},     {"NOTES", "Notes", 60},
    };
    return columns;
}

std::vector<uint32_t> VisibleRecords(store::Table& table) {
    const uint32_t current = table.RecNo();
    std::vector<uint32_t> records;
    for (table.GoTop(); !table.Eof(); table.Skip()) records.push_back(table.RecNo());
    table.Go(current);
    return records;
}

std::string CellText(const store::Table& positioned, const ListColumn& column, const std::string& programFolder,
                     const store::DateTimeFormat& format) {
    if (column.field == kOutgoingFileColumn) return store::CalcFaxFile(programFolder, positioned.Text("FAXDOC"));
    if (column.field == kIncomingFileColumn)
        return store::CalcReceivedFaxFile(programFolder, positioned.Text("FAXFILE"));
    if (column.field == kDeletedColumn) return store::YesNoColumn(positioned.Deleted());
    if (column.field == kArchivedColumn) return store::YesNoColumn(positioned.Logical("ARCHIVED"));
    const int index = positioned.Layout().FindField(column.field);
    if (index >= 0 && positioned.Layout().Fields()[static_cast<size_t>(index)].type == store::FieldType::Date) {
        std::chrono::year_month_day date;
        return store::ParseStoredDate(positioned.Date(column.field), date) ? format.shortDate(date) : std::string();
    }
    return positioned.Text(column.field);
}

}  // namespace vl::app
