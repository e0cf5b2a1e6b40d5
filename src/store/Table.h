// An xBase table: a .DBF file (dBase III layout, text in Windows-1252) with
// its compound index file (.CDX, same base name, an engine-private layout).
//
// Records are read into memory when the table opens; every change is written
// through to the .DBF at once (see BeginBatch for the one exception). The
// header's record count may lag in exclusive use: an open counts in whole
// records past it and drops a partial one. The index is kept in memory; its
// tag definitions reach the index file when a tag is added, its entries at
// Flush and Close. An index file that does not match its table (a process
// that ended without closing, records changed by another program, a copy
// from elsewhere, damage) is rebuilt from its tag definitions on open.
//
// Changes to the current record (SetText and the typed setters) collect in an
// edit buffer; Post writes them. Moving to another record, appending,
// deleting, packing or closing posts pending changes first, as xBase does.
//
// The filter and the show-deleted switch belong to the Table object, not to
// the files: a caller that reopens a table sets its filter again.
//
// Errors throw EStoreError. A Table is used from one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/RecordLayout.h"
#include "store/StoreError.h"

namespace vl::store {

enum class OpenMode {
    Shared = 0,     // others may open it shared too; their changes are seen
    ReadOnly = 1,   // shared with others, every write throws
    Exclusive = 2,  // nobody else may open it; an open that finds it held fails "in use"
};

struct FieldSpec {
    std::string name;       // up to 10 characters: letters, digits, "_"; stored upper case
    FieldType type = FieldType::Character;
    int width = 0;          // C 1..254, N 1..20, D always 8, L always 1
    int decimals = 0;       // N only, less than width - 1
};

struct TagInfo {
    std::string name;        // upper case
    std::string keyExpr;
    bool descending = false;
    std::string condition;   // empty: every record
};

class TableState;

// The index file of the table at tablePath: the .DBF path with its last three
// characters replaced by "CDX", the name matched in the table's folder
// without regard to letter case (the existing file, or the one AddIndexTag
// would create).
std::string IndexPathOf(const std::string& tablePath);

class Table {
public:
    // Writes a new, empty .DBF (replacing none: an existing file is an error).
    static void Create(const std::string& dbfPath, const std::vector<FieldSpec>& fields);

    // Opens the .DBF and the .CDX of the same base name when there is one
    // (its name matched without regard to letter case). A header whose
    // record count disagrees with the file size is repaired (in memory for
    // ReadOnly). Throws when the file is missing, damaged, or in use.
    static std::unique_ptr<Table> Open(const std::string& dbfPath, OpenMode mode);

    // Posts pending changes and writes the index; errors are swallowed here,
    // so call Close() to see them.
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Posts pending changes, writes the index, releases the lock. Further
    // calls on the object throw.
    void Close();
    // Posts pending changes and writes the header and the index now, so that
    // the index file matches the table even if the process ends abruptly.
    void Flush();

    const std::string& Path() const;
    // Base name cut to 8 characters, "~", "-" and blank made "_", made unique
    // among the tables open in this process with "_1", "_2", ...
    const std::string& Alias() const;
    OpenMode Mode() const;
    const RecordLayout& Layout() const;
    // The index file: IndexPathOf the table's path.
    std::string IndexPath() const;

    // --- Index tags. Order numbers are 1-based positions in the index file.
    // Adds the tag (replacing one of the same name in place), builds it,
    // writes the tag definitions to the index file (created when missing)
    // and makes it the current order. The condition, when given, must be logical; records for which it
    // is false are not in the tag. Blank keys sort before others ascending
    // and after them descending; equal keys keep record-number order.
    void AddIndexTag(const std::string& name, const std::string& keyExpr, bool descending = false,
                     const std::string& condition = "");
    int TagNumber(const std::string& name) const;     // 0 when there is none
    int SetOrder(int order);                          // returns the previous order; 0 = natural
    int Order() const;
    std::vector<TagInfo> Tags() const;
    // Forgets the index (natural order from then on); the file may then be
    // deleted. AddIndexTag afterwards opens the file again, or creates it.
    void CloseIndexes();

    // --- Visibility.
    // A logical expression; empty removes the filter. A bad expression throws
    // and keeps the filter in force.
    void SetFilter(const std::string& expr);
    const std::string& Filter() const;
    // Off by default: records marked deleted are skipped by navigation.
    void SetShowDeleted(bool show);
    bool ShowDeleted() const;

    // --- Navigation over visible records in the current order.
    void GoTop();
    void GoBottom();
    void Skip(long count = 1);
    bool Eof() const;   // moved past the last visible record, or none is visible
    bool Bof() const;   // tried to move before the first one (stays on it)
    // Makes each visible record current in turn, in the current order, and
    // calls `visit`, which reads fields only; then the record current before
    // is current again. Others' changes are looked for once, not at every
    // step, which is what makes a walk over a shared table fast.
    void Visit(const std::function<void()>& visit);
    // Goes to the record whatever the filter; a number outside 1..RecCount()
    // leaves no current record (Eof).
    void Go(uint32_t recno);
    // The current record's number, RecCount() + 1 when there is none.
    uint32_t RecNo() const;
    // Records in the file, those marked deleted included.
    uint32_t RecCount() const;

    // --- Fields of the current record (names without regard to letter case;
    // an unknown name or no current record throws).
    // The field as text, UTF-8, trailing blanks removed (numbers also lose
    // their leading blanks; dates read "yyyymmdd" or "").
    std::string Text(std::string_view field) const;
    // Stores the text: UTF-8 turned into Windows-1252 (a character it cannot
    // hold throws), blank-padded; numbers right-aligned. Text wider than the
    // field, or not of the field's type, throws and changes nothing.
    void SetText(std::string_view field, std::string_view value);
    // Dates as "yyyymmdd", "" for an empty date; SetDate checks the calendar.
    std::string Date(std::string_view field) const;
    void SetDate(std::string_view field, std::string_view yyyymmdd);
    bool Logical(std::string_view field) const;
    void SetLogical(std::string_view field, bool value);
    double Number(std::string_view field) const;  // 0 when blank
    void SetNumber(std::string_view field, double value);

    // --- Changes.
    // A blank record at the end becomes current (written at Post).
    void AppendBlank();
    // Writes the current record's changes; the indexes follow.
    void Post();
    // For bulk loading in exclusive use (ignored in shared use): from
    // BeginBatch to EndBatch appended records are written together, a
    // megabyte at a time, like a transaction. A process that ends inside a
    // batch loses the appends not yet written; everything else stays.
    // Any other change, Flush and Close write the batch first.
    void BeginBatch();
    void EndBatch();
    // Marks / unmarks the current record; the record stays current.
    void Delete();
    void Recall();
    bool Deleted() const;
    // Removes the records marked deleted for good (exclusive use only): the
    // file is rewritten into a temporary file that replaces it, the tags are
    // rebuilt, and the first visible record becomes current.
    void Pack();

    // The logical expression evaluated on the current record.
    bool EvalLogical(const std::string& expr);

    // Called with 0..100 while Pack and AddIndexTag run; an empty function ends it.
    void SetProgressHook(std::function<void(int percent)> hook);

private:
    explicit Table(std::unique_ptr<TableState> state);
    std::unique_ptr<TableState> s_;
};

}  // namespace vl::store
