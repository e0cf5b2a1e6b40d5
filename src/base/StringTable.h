// Reader of STR0 string tables: "STR0", a 32-bit little-endian count, count
// entries of (identifier, offset of the text from the table start, length in
// UTF-16 units), then the texts in UTF-16LE without terminators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace vl::base {

// Raised when a table's bytes do not hold a well-formed STR0 table; the message
// is the reader's own "Invalid string resource" text.
class EInvalidStringResource : public std::runtime_error {
public:
    EInvalidStringResource();
};

class StringTable {
public:
    // Checks the whole layout up front, so that lookups never read outside the
    // table; throws EInvalidStringResource on bad magic, truncated entries or a
    // text outside the table. The bytes are not copied and must outlive the table.
    explicit StringTable(std::span<const unsigned char> bytes);

    // The same checks without throwing: nothing for a malformed table.
    static std::optional<StringTable> Parse(std::span<const unsigned char> bytes);

    std::size_t Count() const { return entries_.size(); }
    // Identifiers in ascending order (a repeated identifier is listed once).
    std::vector<std::uint32_t> Identifiers() const;

    // The text of an identifier as UTF-8, cut to fit a buffer of bufferSize
    // bytes that also holds a terminator; nothing when the table has no entry.
    // With a repeated identifier the first entry in the table wins.
    std::optional<std::string> Find(std::uint32_t id, std::size_t bufferSize = SIZE_MAX) const;

private:
    struct Entry {
        std::uint32_t id;
        std::uint32_t offset;
        std::uint32_t length;  // UTF-16 units
    };
    StringTable(std::span<const unsigned char> bytes, std::vector<Entry> entries);

    std::span<const unsigned char> bytes_;
    std::vector<Entry> entries_;  // sorted by id, stable for repeated ids
};

}  // namespace vl::base
