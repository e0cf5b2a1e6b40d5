#include "store/TagIndex.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vl::store {

namespace {

std::unique_ptr<XbaseExpr> ParseOrThrow(const std::string& text, const RecordLayout& layout, const char* what) {
    std::string error;
    auto expr = XbaseExpr::Parse(text, layout, error);
    if (!expr) throw std::invalid_argument(std::string(what) + " \"" + text + "\": " + error);
    return expr;
}

}  // namespace

TagIndex::TagIndex(TagInfo info, const RecordLayout& layout) : info_(std::move(info)), entries_(Less{this}) {
    key_ = ParseOrThrow(info_.keyExpr, layout, "key expression");
    if (!info_.condition.empty()) {
        condition_ = ParseOrThrow(info_.condition, layout, "condition");
        if (condition_->Type() != XType::Logical)
            throw std::invalid_argument("condition \"" + info_.condition + "\" is not logical");
    }
    const std::string blank(static_cast<size_t>(layout.RecordLength()), ' ');
    keyLength_ = key_->Key(blank).size();
}

bool TagIndex::Before(uint32_t a, uint32_t b) const {
    const int c = std::memcmp(keys_.data() + (a - 1) * keyLength_, keys_.data() + (b - 1) * keyLength_, keyLength_);
    if (c != 0) return info_.descending ? c > 0 : c < 0;
    return a < b;
}

std::string_view TagIndex::Key(uint32_t recno) const {
    return std::string_view(keys_).substr((recno - 1) * keyLength_, keyLength_);
}

bool TagIndex::Member(std::string_view record) const { return !condition_ || condition_->IsTrue(record); }

const TagIndex::Entries& TagIndex::Entered() const {
    if (!adopted_.empty()) {
        for (uint32_t r : adopted_) entries_.insert(entries_.end(), r);
        adopted_ = {};
    }
    return entries_;
}

void TagIndex::SetKey(uint32_t recno, std::string_view record) {
    // Keys of one expression are all the same length; a deviating one is
    // fitted rather than allowed to shift its neighbours.
    std::string key = key_->Key(record);
    key.resize(keyLength_, ' ');
    const size_t at = (recno - 1) * keyLength_;
    if (keys_.size() < at + keyLength_) keys_.resize(at + keyLength_, ' ');
    keys_.replace(at, keyLength_, key);
}

void TagIndex::ComputeKeys(const char* records, size_t recordLength, uint32_t count,
                           const std::function<void(int)>& progress) {
    entries_.clear();
    adopted_ = {};
    ++version_;
    keys_.assign(static_cast<size_t>(count) * keyLength_, ' ');
    const uint32_t step = std::max<uint32_t>(count / 50, 1);
    for (uint32_t r = 1; r <= count; ++r) {
        if (progress && r % step == 0) progress(static_cast<int>(uint64_t{r} * 80 / count));
        SetKey(r, std::string_view(records + (r - 1) * recordLength, recordLength));
    }
}

void TagIndex::Build(const char* records, size_t recordLength, uint32_t count,
                     const std::function<void(int)>& progress) {
    if (progress) progress(0);
    ComputeKeys(records, recordLength, count, progress);
    // Sorting on the keys' first eight bytes held in the items themselves
    // spares most comparisons the trip to the key array.
    struct Item {
        uint64_t prefix;
        uint32_t recno;
    };
    std::vector<Item> items;
    items.reserve(count);
    for (uint32_t r = 1; r <= count; ++r) {
        if (!Member(std::string_view(records + (r - 1) * recordLength, recordLength))) continue;
        uint64_t prefix = 0;
        const std::string_view key = Key(r);
        for (size_t i = 0; i < 8; ++i) prefix = prefix << 8 | (i < key.size() ? static_cast<uint8_t>(key[i]) : 0);
        items.push_back({prefix, r});
    }
    const bool descending = info_.descending;
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix) return descending ? a.prefix > b.prefix : a.prefix < b.prefix;
        return Before(a.recno, b.recno);
    });
    if (progress) progress(90);
    for (const Item& item : items) entries_.insert(entries_.end(), item.recno);
    if (progress) progress(100);
}

bool TagIndex::Adopt(uint32_t count, std::string keys, std::vector<uint32_t> order) {
    entries_.clear();
    adopted_ = {};
    ++version_;
    keys_ = std::move(keys);
    bool ok = keys_.size() == static_cast<size_t>(count) * keyLength_ && order.size() <= count;
    for (size_t i = 0; ok && i < order.size(); ++i)
        ok = order[i] >= 1 && order[i] <= count && (i == 0 || Before(order[i - 1], order[i]));
    if (!ok) {
        keys_.clear();
        return false;
    }
    adopted_ = std::move(order);
    return true;
}

void TagIndex::Update(uint32_t recno, std::string_view record) {
    // The entry is found by its old key, so it leaves before the key changes.
    Entered();
    if (keys_.size() >= static_cast<size_t>(recno) * keyLength_) entries_.erase(recno);
    SetKey(recno, record);
    if (Member(record)) entries_.insert(recno);
    ++version_;
}

}  // namespace vl::store
