// One index tag in memory: the key of every record (kept by record number)
// and the ordered set of the records that meet the tag's condition.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/Table.h"
#include "store/XbaseExpr.h"

namespace vl::store {

class TagIndex {
    struct Less {
        const TagIndex* tag;
        bool operator()(uint32_t a, uint32_t b) const { return tag->Before(a, b); }
    };

public:
    using Entries = std::set<uint32_t, Less>;
    using Iterator = Entries::const_iterator;

    // Throws std::invalid_argument when the key or the condition does not
    // parse, or the condition is not logical. The texts are in the table's
    // character set.
    TagIndex(TagInfo info, const RecordLayout& layout);
    TagIndex(const TagIndex&) = delete;
    TagIndex& operator=(const TagIndex&) = delete;

    const TagInfo& Info() const { return info_; }
    size_t KeyLength() const { return keyLength_; }

    // Computes every key and orders the records anew. records holds count
    // records of recordLength bytes each.
    void Build(const char* records, size_t recordLength, uint32_t count, const std::function<void(int)>& progress);
    // Takes a saved key of every one of count records (keyLength bytes each,
    // record 1 first) and the saved order, without computing a key: the
    // caller vouches that they were made from the records as they are (the
    // index file's stamp). Only what would break the tag itself is checked:
    // an order that names a record outside 1..count, or is not strictly
    // sorted on those keys, is refused (false, the tag left empty).
    // The order becomes the tag's ordered set only when the tag is first
    // used, so that opening a table does not build one for every tag.
    bool Adopt(uint32_t count, std::string keys, std::vector<uint32_t> order);

    // The record (new, or changed) with its current contents.
    void Update(uint32_t recno, std::string_view record);

    std::string_view Key(uint32_t recno) const;
    // Every record's key, record 1 first.
    std::string_view Keys() const { return keys_; }
    bool Contains(uint32_t recno) const { return Entered().count(recno) != 0; }
    size_t Size() const { return entries_.size() + adopted_.size(); }
    Iterator Begin() const { return Entered().begin(); }
    Iterator End() const { return Entered().end(); }
    // The first entry that comes at or after the record's place in the order.
    Iterator LowerBound(uint32_t recno) const { return Entered().lower_bound(recno); }
    // Changes whenever an entry is added or removed.
    uint64_t Version() const { return version_; }

private:
    bool Before(uint32_t a, uint32_t b) const;
    void ComputeKeys(const char* records, size_t recordLength, uint32_t count, const std::function<void(int)>& progress);
    void SetKey(uint32_t recno, std::string_view record);
    bool Member(std::string_view record) const;
    // The ordered set, with an adopted order moved into it first.
    const Entries& Entered() const;

    TagInfo info_;
    std::unique_ptr<XbaseExpr> key_;
    std::unique_ptr<XbaseExpr> condition_;
    size_t keyLength_ = 0;
    std::string keys_;   // keyLength_ bytes per record, record 1 first
    mutable Entries entries_;
    mutable std::vector<uint32_t> adopted_;   // an adopted order not yet in entries_
    uint64_t version_ = 0;
};

}  // namespace vl::store
