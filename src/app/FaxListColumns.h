// The columns the two fax lists show and the text of each cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/FaxRecordColumns.h"
#include "store/Table.h"

namespace vl::app {

struct ListColumn {
    std::string field;  // a table field, or the calculated file column
    std::string title;
    int widthChars = 0;
};

// The calculated fax file columns (stored nowhere).
inline constexpr const char* kOutgoingFileColumn = "calcFaxFile";
inline constexpr const char* kIncomingFileColumn = "calcFaxfile";
// The deleted and archived markers of the cleanup window's lists.
inline constexpr const char* kDeletedColumn = "ISDELETED";
inline constexpr const char* kArchivedColumn = "ISARCHIVED";

// The visible columns in their default order.
const std::vector<ListColumn>& OutgoingColumns();
const std::vector<ListColumn>& IncomingColumns();
// The cleanup window's lists, which show deleted and archived faxes too.
const std::vector<ListColumn>& CleanupOutgoingColumns();
const std::vector<ListColumn>& CleanupIncomingColumns();

// The numbers of the records the list shows, in the table's current order
// under its filter. The current record stays current.
std::vector<uint32_t> VisibleRecords(store::Table& table);

// The text a cell shows for the table's current record: dates in the user's
// short date format, the file columns as full paths ("(Cover only)" for an
// outgoing fax without a body), the markers "Yes" or "No ", everything else
// as stored.
std::string CellText(const store::Table& positioned, const ListColumn& column, const std::string& programFolder,
                     const store::DateTimeFormat& format);

}  // namespace vl::app
