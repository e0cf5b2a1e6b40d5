#include "base/StringTable.h"

#include <algorithm>

#include "base/StringResources.h"
#include "base/Utf16Text.h"

namespace vl::base {

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kEntrySize = 12;
constexpr std::uint32_t kInvalidResourceMessage = 5;

std::uint32_t Read32(std::span<const unsigned char> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::string InvalidResourceText() {
    // The reader's own table is built with the program, so it always parses.
    const auto reader = StringTable::Parse(ReaderStringsResource());
    return reader ? reader->Find(kInvalidResourceMessage).value_or(std::string()) : std::string();
}

}  // namespace

EInvalidStringResource::EInvalidStringResource() : std::runtime_error(InvalidResourceText()) {}

StringTable::StringTable(std::span<const unsigned char> bytes, std::vector<Entry> entries)
    : bytes_(bytes), entries_(std::move(entries)) {}

StringTable::StringTable(std::span<const unsigned char> bytes) {
    auto parsed = Parse(bytes);
    if (!parsed) throw EInvalidStringResource();
    *this = std::move(*parsed);
}

std::optional<StringTable> StringTable::Parse(std::span<const unsigned char> bytes) {
    if (bytes.size() < kHeaderSize || !std::equal(bytes.begin(), bytes.begin() + 4, "STR0")) return std::nullopt;
    const std::uint64_t count = Read32(bytes, 4);
    const std::uint64_t textsStart = kHeaderSize + count * kEntrySize;
    if (textsStart > bytes.size()) return std::nullopt;
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        const Entry entry{Read32(bytes, at), Read32(bytes, at + 4), Read32(bytes, at + 8)};
        const std::uint64_t end = std::uint64_t{entry.offset} + 2 * std::uint64_t{entry.length};
        // A text must lie in the text area: overlapping the header or the entry
        // list would mean the table was damaged.
        if (entry.offset < textsStart || end > bytes.size()) return std::nullopt;
        entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    return StringTable(bytes, std::move(entries));
}

std::vector<std::uint32_t> StringTable::Identifiers() const {
    std::vector<std::uint32_t> ids;
    ids.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        if (ids.empty() || ids.back() != entry.id) ids.push_back(entry.id);
    }
    return ids;
}

std::optional<std::string> StringTable::Find(std::uint32_t id, std::size_t bufferSize) const {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                     [](const Entry& entry, std::uint32_t key) { return entry.id < key; });
    if (it == entries_.end() || it->id != id) return std::nullopt;
    const auto text = bytes_.subspan(it->offset, 2 * static_cast<std::size_t>(it->length));
    return FitToBuffer(Utf16LeToUtf8(text), bufferSize);
}

}  // namespace vl::base
