#include "store/IndexFile.h"

#include "store/DbfHeader.h"
#include "store/TagIndex.h"

namespace vl::store {

namespace {

constexpr std::string_view kMagic = "VLINDEX1";
constexpr size_t kStampAt = 8;
constexpr size_t kStampSize = 36;
constexpr size_t kFixedSize = 68;

uint64_t Fnv1a(std::string_view bytes, uint64_t hash = 0xcbf29ce484222325ULL) {
    for (char c : bytes) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

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
    Add64(out, static_cast<uint64_t>(s.modifiedNs));
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
        uint32_t count = 0;
        if (!in.U32(t.keyLength) || !in.U32(count) || count > recordCount) return false;
        if (!in.Has(static_cast<uint64_t>(count) * (4 + uint64_t{t.keyLength}))) return false;
        t.order.reserve(count);
        t.keys.reserve(static_cast<size_t>(count) * t.keyLength);
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t recno = 0;
            std::string_view key;
            if (!in.U32(recno) || !in.Bytes(t.keyLength, key)) return false;
            t.order.push_back(recno);
            t.keys += key;
        }
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
        size_t size = 0;
        for (const TagIndex* t : tags) size += 8 + t->Size() * (4 + t->KeyLength());
        entries.resize(size);
        size_t at = 0;
        auto put32 = [&](uint32_t v) {
            PutLe32(entries, at, v);
            at += 4;
        };
        for (const TagIndex* t : tags) {
            put32(static_cast<uint32_t>(t->KeyLength()));
            put32(static_cast<uint32_t>(t->Size()));
            for (auto it = t->Begin(); it != t->End(); ++it) {
                put32(*it);
                const std::string_view key = t->Key(*it);
                entries.replace(at, key.size(), key);
                at += key.size();
            }
        }
    }
    const std::string stampBytes = StampBytes(stamp);
    std::string out(kMagic);
    out += stampBytes;
    Add32(out, static_cast<uint32_t>(tags.size()));
    Add32(out, static_cast<uint32_t>(definitions.size()));
    Add64(out, Fnv1a(definitions));
    Add64(out, Fnv1a(entries, Fnv1a(stampBytes)));
    out += definitions;
    out += entries;
    return out;
}

std::optional<SavedIndex> ParseIndex(std::string_view bytes) {
    if (bytes.size() < kFixedSize || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    Reader in(bytes.substr(kStampAt));
    SavedIndex index;
    DbfStamp& s = index.stamp;
    uint64_t modified = 0;
    uint32_t tagCount = 0;
    uint32_t definitionsLength = 0;
    uint64_t definitionsHash = 0;
    uint64_t entriesHash = 0;
    in.U32(s.recordCount);
    in.U16(s.headerLength);
    in.U16(s.recordLength);
    in.U32(s.changeCounter);
    in.U64(s.tableId);
    in.U64(modified);
    in.U64(s.fileSize);
    in.U32(tagCount);
    in.U32(definitionsLength);
    in.U64(definitionsHash);
    in.U64(entriesHash);
    s.modifiedNs = static_cast<int64_t>(modified);
    if (tagCount > kMaxTags || definitionsLength > bytes.size() - kFixedSize) return std::nullopt;
    const std::string_view definitions = bytes.substr(kFixedSize, definitionsLength);
    if (Fnv1a(definitions) != definitionsHash || !ReadDefinitions(definitions, tagCount, index.tags))
        return std::nullopt;
    const std::string_view entries = bytes.substr(kFixedSize + definitionsLength);
    if (Fnv1a(entries, Fnv1a(bytes.substr(kStampAt, kStampSize))) == entriesHash)
        index.entriesUsable = ReadEntries(entries, index.tags, s.recordCount);
    if (!index.entriesUsable)
        for (SavedTag& t : index.tags) {
            t.order.clear();
            t.keys.clear();
        }
    return index;
}

}  // namespace vl::store
