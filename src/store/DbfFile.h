// One open .DBF file: its lock, its header and all its records in memory.
// Every change is written through at once, the header's record count and
// change counter with it; only a batch of appends (SetBatching) holds them
// back until it ends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "store/DbfHeader.h"
#include "store/RecordBuffer.h"
#include "store/Table.h"

namespace vl::store {

// What an index file remembers of the table it was built from. The content
// hash covers the fields (names, types, places) and every record's bytes, so
// a record changed in place by another program is noticed even when it
// leaves the count, the counter and the size as they were.
struct DbfStamp {
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    uint32_t changeCounter = 0;
    uint64_t tableId = 0;
    uint64_t contentHash = 0;
    uint64_t fileSize = 0;
    bool operator==(const DbfStamp&) const = default;
};

class DbfFile {
public:
    // Writes a new table; an existing file is an error.
    static void Create(const std::string& path, const RecordLayout& layout);

    // Opens, locks (see OpenMode) and reads the file, repairing a record
    // count that disagrees with the file size.
    DbfFile(std::string path, OpenMode mode);
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    const std::string& Path() const { return path_; }
    OpenMode Mode() const { return mode_; }
    bool Writable() const { return mode_ != OpenMode::ReadOnly; }
    const RecordLayout& Layout() const { return header_.layout; }
    uint32_t Count() const { return count_; }
    size_t RecordLength() const { return header_.recordLength; }
    // 1-based; the caller keeps recno within 1..Count().
    std::string_view Record(uint32_t recno) const;
    const char* Data() const { return data_.Data(); }

    // Stores the record in memory and writes it to its place in the file.
    void Write(uint32_t recno, std::string_view record);
    // Adds a record at the end, in memory and in the file; returns its number.
    uint32_t Append(std::string_view record);
    // Exclusive use: while on, appended records gather and reach the file
    // together (when a megabyte has gathered, before any other write, and
    // when batching ends), and the header waits for the end of the batch
    // except at the first change after an index was saved or found matching.
    void SetBatching(bool on);

    // Writes any batch, then the header when a change is not in it yet.
    void FlushHeader();
    // The stamp of the file as it is on disk now: the header and any batch
    // are written first, so the records in memory are the bytes on disk.
    DbfStamp Stamp();
    // After an index was saved or found matching: the next change must
    // reach the header at once.
    void IndexMatches() { indexMatches_ = true; }

    // Shared and read-only use: re-reads the file when another handle
    // changed it since. Returns true when it did.
    bool Refresh();
    // Shared and read-only use: for the object's lifetime no other handle
    // writes (a shared handle holds it to write; Refresh inside it to write
    // on the latest state). Nests.
    class FileLock {
    public:
        explicit FileLock(DbfFile& file);
        ~FileLock();
        FileLock(const FileLock&) = delete;
        FileLock& operator=(const FileLock&) = delete;
    private:
        DbfFile& file_;
    };

    // Keeps only the records that are not marked deleted: the new file is
    // written beside the old one, flushed, and renamed over it.
    void Pack(const std::function<void(int)>& progress);

private:
    void Load();
    void CheckWritable() const;
    void NoteChange();
    void WriteBatch();
    void WriteWithEnd(std::string_view records, uint64_t at);
    void WriteAt(const char* bytes, size_t size, uint64_t offset);
    [[noreturn]] void Fail(const std::string& what) const;

    std::string path_;
    OpenMode mode_;
    int fd_ = -1;
    DbfHeader header_;
    uint32_t count_ = 0;
    RecordBuffer data_;
    uint64_t knownSize_ = 0;    // file size after our last read or write
    bool batching_ = false;
    std::string batch_;         // appended records not yet written
    uint64_t batchAt_ = 0;      // where they go in the file
    int lockDepth_ = 0;
    bool headerDirty_ = false;
    bool indexMatches_ = false;
};

}  // namespace vl::store
