// The compound index file (.CDX) of a table, in this engine's own layout.
// All numbers are little-endian.
//
//   offset  size  content
//   0       8     "VLINDEX2"
//   8       36    stamp of the .DBF the entries were built from:
//                 u32 record count, u16 header length, u16 record length,
//                 u32 change counter, u64 table identity (header bytes 16..27),
//                 u64 content hash (fields and every record byte, see
//                 DbfStamp), u64 file size
//   44      4     u32 tag count (at most kMaxTags)
//   48      4     u32 length of the definitions section
//   52      8     u64 hash of the definitions section
//   60      8     u64 hash of the entries section, seeded with the hash of
//                 the stamp (bytes 8..43)
//   68            definitions section, one per tag in order number order:
//                 u16 length + tag name, u16 length + key expression,
//                 u8 descending (0/1), u16 length + condition (0: none)
//                 entries section, one per tag in the same order:
//                 u32 key length K, u32 record count C (the stamp's),
//                 C * K bytes: the key of every record, record 1 first,
//                 in the tag or not (a record outside it is placed by its key),
//                 u32 entry count N, N times u32 record number in the
//                 tag's order
// The hashes are ContentHash (seed 0 where none is named).
//
// The definitions and the entries are checked separately: with the
// definitions intact an index can always be rebuilt from the table, so only
// they must survive; entries that fail their hash, or whose stamp differs
// from the table's, are not used. Entries that pass both are taken as they
// are, without computing a key: that is what makes a large table open at
// once. A file written while tags are being added holds the definitions and
// an empty entries section (rebuilt when read): the entries follow when the
// table is flushed or closed. Files of an earlier layout (another magic) are
// not read at all: the tables' set-up builds their tags afresh.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/DbfFile.h"
#include "store/Table.h"

namespace vl::store {

class TagIndex;

inline constexpr size_t kMaxTags = 50;

struct SavedTag {
    TagInfo info;
    uint32_t keyLength = 0;
    std::string keys;              // every record's key, keyLength bytes each, record 1 first
    std::vector<uint32_t> order;   // record numbers in the tag's order
};

struct SavedIndex {
    DbfStamp stamp;
    std::vector<SavedTag> tags;    // definitions always; order and keys only when entriesUsable
    bool entriesUsable = false;
};

// Without entries, the entries section is left empty.
std::string SerializeIndex(const DbfStamp& stamp, const std::vector<const TagIndex*>& tags, bool withEntries);

// Nothing when the definitions cannot be read; a partial or damaged entries
// section leaves entriesUsable false.
std::optional<SavedIndex> ParseIndex(std::string_view bytes);

}  // namespace vl::store
