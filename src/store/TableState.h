// The inside of a Table, shared by the files that implement it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/DbfFile.h"
#include "store/TagIndex.h"
#include "store/XbaseExpr.h"

namespace vl::store {

// A name for a new field or tag: 1 to 10 letters, digits or "_", not
// starting with a digit.
bool IsNewName(const std::string& name);

class TableState {
public:
    TableState(const std::string& path, OpenMode mode);
    ~TableState();

    [[noreturn]] void Fail(const std::string& what) const;
    void CheckOpen() const;
    void CheckWritable() const;
    void CheckRecord() const;

    // Shared and read-only use: takes in what other handles wrote.
    void Sync();

    // Index file.
    std::string IndexPath() const;
    void LoadIndex();
    // Without entries only the definitions are made safe; the index stays
    // dirty so that the entries follow at the next flush.
    void SaveIndex(bool withEntries = true);
    void RebuildTags(int from, int to);
    void ProgressSpan(int from, int to, int percent) const;

    // Records and visibility.
    std::string_view CurrentRecord() const;
    // The field named so (letter case aside), of the type when one is given.
    const FieldDef& Field(std::string_view name, std::optional<FieldType> type = {}) const;
    // Runs encode(edit buffer); a value it refuses becomes an EStoreError.
    template <typename Encode>
    void Put(Encode encode);
    bool Visible(uint32_t recno) const;
    void BeginEdit();
    void PostPending();
    // Writes a changed record and lets every tag follow.
    void Store(uint32_t recno, std::string_view record);
    uint32_t Count() const { return dbf->Count() + (pendingAppend ? 1 : 0); }

    // Visible records in the current order; 0 when there is none.
    uint32_t First();
    uint32_t Last();
    uint32_t Next(uint32_t recno);
    uint32_t Prev(uint32_t recno);
    void InvalidateWalk() { walkValid = false; }

    // Expressions typed at the API are UTF-8; the records are Windows-1252.
    std::unique_ptr<XbaseExpr> ParseLogical(const std::string& text, const char* what) const;

    std::unique_ptr<DbfFile> dbf;
    std::string path;
    std::string alias;
    std::vector<std::unique_ptr<TagIndex>> tags;
    bool indexOpen = false;     // the tags came from, or go to, the index file
    bool indexDirty = false;    // the index file lags behind the tags
    bool indexClosed = false;   // CloseIndexes: the index file is not read again
    int order = 0;
    std::string filterText;
    std::unique_ptr<XbaseExpr> filter;
    bool showDeleted = false;
    uint32_t current = 0;       // 0: no current record
    bool eof = true;
    bool bof = true;
    std::string edit;           // the current record with unposted changes
    bool editing = false;
    bool pendingAppend = false; // exclusive use: the appended record is written at Post
    std::function<void(int)> progress;
    std::map<std::string, std::unique_ptr<XbaseExpr>> evalCache;
    bool closed = false;

private:
    // Remembers where a step through the current tag ended; returns the record.
    uint32_t Found(TagIndex::Iterator it);
    // Where the record stands in the tag.
    TagIndex::Iterator Place(const TagIndex& tag, uint32_t recno) const;

    // Where the last step through a tag ended, to step on without a search.
    bool walkValid = false;
    TagIndex::Iterator walkAt;
    uint64_t walkVersion = 0;
    int walkOrder = 0;
};

}  // namespace vl::store
