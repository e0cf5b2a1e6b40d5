#include "store/IndexFile.h"

#include "store/ContentHash.h"
#include "store/DbfHeader.h"
#include "store/TagIndex.h"

namespace vl::store {

namespace {

constexpr std::string_view kMagic = "VLINDEX2";
constexpr size_t kStampAt = 8;
constexpr size_t kStampSize = 36;
constexpr size_t kFixedSize = 68;

void Add16(std::string& out, uint16_t v) {
    out.append(2, '\0');
    PutLe16(out, out.size() - 2, v);
}

void Add32(std::string& out, uint32_t v) {
    out.append(4, '\0');
    PutLe32(out, out.size() - 4, v);
}

void Add64(std::string& out, uint64_t v) {
    out.append(8, '\0');
    PutLe64(out, out.size() - 8, v);
}

void AddText(std::string& out, const std::string& text) {
    Add16(out, static_cast<uint16_t>(text.size()));
    out += text;
}

// Reads forward through a byte range; every read is checked against its end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool Has(size_t n) const { return bytes_.size() - at_ >= n; }
    bool U8(uint8_t& v) { return Has(1) && (v = static_cast<uint8_t>(bytes_[at_++]), true); }
    bool U16(uint16_t& v) { return Take(2, [&](size_t a) { v = GetLe16(bytes_, a); }); }
    bool U32(uint32_t& v) { return Take(4, [&](size_t a) { v = GetLe32(bytes_, a); }); }
    bool U64(uint64_t& v) { return Take(8, [&](size_t a) { v = GetLe64(bytes_, a); }); }
    bool Bytes(size_t n, std::string_view& v) { return Take(n, [&](size_t a) { v = bytes_.substr(a, n); }); }
    bool Text(std::string& v) {
        uint16_t n = 0;
        std::string_view b;
        if (!U16(n) || !Bytes(n, b)) return false;
        v = std::string(b);
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    template <typename F>
    bool Take(size_t n, F read) {
        if (!Has(n)) return false;
        read(at_);
        at_ += n;
        return true;
    }
    std::string_view bytes_;
    size_t at_ = 0;
};

std::string StampBytes(const DbfStamp& s) {
    std::string out;
    Add32(out, s.recordCount);
    Add16(out, s.headerLength);
    Add16(out, s.recordLength);
    Add32(out, s.changeCounter);
    Add64(out, s.tableId);
    Add64(out, s.contentHash);
    Add64(out, s.fileSize);
    return out;
}

bool ReadDefinitions(std::string_view section, uint32_t tagCount, std::vector<SavedTag>& tags) {
    Reader in(section);
    for (uint32_t i = 0; i < tagCount; ++i) {
        SavedTag t;
        uint8_t descending = 0;
        if (!in.Text(t.info.name) || !in.Text(t.info.keyExpr) || !in.U8(descending) || !in.Text(t.info.condition))
            return false;
        if (t.info.name.empty() || t.info.keyExpr.empty() || descending > 1) return false;
        t.info.descending = descending == 1;
        tags.push_back(std::move(t));
    }
    return in.AtEnd();
}

bool ReadEntries(std::string_view section, std::vector<SavedTag>& tags, uint32_t recordCount) {
    Reader in(section);
    for (SavedTag& t : tags) {
        uint32_t records = 0;
        uint32_t count = 0;
        std::string_view keys;
        if (!in.U32(t.keyLength) || !in.U32(records) || records != recordCount) return false;
        if (!in.Bytes(static_cast<uint64_t>(records) * t.keyLength, keys) || !in.U32(count) || count > records)
            return false;
        std::string_view numbers;
        if (!in.Bytes(static_cast<uint64_t>(count) * 4, numbers)) return false;
        t.keys = std::string(keys);
        t.order.resize(count);
        for (uint32_t i = 0; i < count; ++i) t.order[i] = GetLe32(numbers, uint64_t{i} * 4);
    }
    return in.AtEnd();
}

}  // namespace

std::string SerializeIndex(const DbfStamp& stamp, const std::vector<const TagIndex*>& tags, bool withEntries) {
    std::string definitions;
    for (const TagIndex* t : tags) {
        AddText(definitions, t->Info().name);
        AddText(definitions, t->Info().keyExpr);
        definitions += static_cast<char>(t->Info().descending ? 1 : 0);
        AddText(definitions, t->Info().condition);
    }
    std::string entries;
    if (withEntries) {
        const size_t records = stamp.recordCount;
        size_t size = 0;
        for (const TagIndex* t : tags) size += 12 + records * t->KeyLength() + t->Size() * 4;
        entries.reserve(size);
        for (const TagIndex* t : tags) {
            Add32(entries, static_cast<uint32_t>(t->KeyLength()));
            Add32(entries, static_cast<uint32_t>(records));
            // Exactly one key per record of the stamp, whatever the tag holds.
            const std::string_view keys = t->Keys().substr(0, records * t->KeyLength());
            entries += keys;
            entries.append(records * t->KeyLength() - keys.size(), ' ');
            Add32(entries, static_cast<uint32_t>(t->Size()));
            const size_t at = entries.size();
            entries.resize(at + t->Size() * 4);
            size_t i = 0;
            for (auto it = t->Begin(); it != t->End(); ++it, ++i) PutLe32(entries, at + i * 4, *it);
        }
    }
    const std::string stampBytes = StampBytes(stamp);
    std::string out(kMagic);
    out += stampBytes;
    Add32(out, static_cast<uint32_t>(tags.size()));
    Add32(out, static_cast<uint32_t>(definitions.size()));
    Add64(out, ContentHash(definitions));
    Add64(out, ContentHash(entries, ContentHash(stampBytes)));
    out += definitions;
    out += entries;
    return out;
}

std::optional<SavedIndex> ParseIndex(std::string_view bytes) {
    if (bytes.size() < kFixedSize || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    Reader in(bytes.substr(kStampAt));
    SavedIndex index;
    DbfStamp& s = index.stamp;
    uint32_t tagCount = 0;
    uint32_t definitionsLength = 0;
    uint64_t definitionsHash = 0;
    uint64_t entriesHash = 0;
    in.U32(s.recordCount);
    in.U16(s.headerLength);
    in.U16(s.recordLength);
    in.U32(s.changeCounter);
    in.U64(s.tableId);
    in.U64(s.contentHash);
    in.U64(s.fileSize);
    in.U32(tagCount);
    in.U32(definitionsLength);
    in.U64(definitionsHash);
    in.U64(entriesHash);
    if (tagCount > kMaxTags || definitionsLength > bytes.size() - kFixedSize) return std::nullopt;
    const std::string_view definitions = bytes.substr(kFixedSize, definitionsLength);
    if (ContentHash(definitions) != definitionsHash || !ReadDefinitions(definitions, tagCount, index.tags))
        return std::nullopt;
    const std::string_view entries = bytes.substr(kFixedSize + definitionsLength);
    if (ContentHash(entries, ContentHash(bytes.substr(kStampAt, kStampSize))) == entriesHash)
        index.entriesUsable = ReadEntries(entries, index.tags, s.recordCount);
    if (!index.entriesUsable)
        for (SavedTag& t : index.tags) {
            t.order.clear();
            t.keys.clear();
        }
    return index;
}

}  // namespace vl::store
