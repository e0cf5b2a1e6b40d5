// Reads values in the tagged encoding from a byte buffer. Every call returns 0
// or ecFaxBadFormat when the next value is not of the kind asked for or runs
// past the end of the buffer; the reader never reads beyond the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cover/ValueTag.h"

namespace vl::cover {

class TaggedReader {
public:
    explicit TaggedReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // The next tag without consuming it.
    int PeekTag(ValueTag& tag) const;

    int ListBegin() { return Expect(ValueTag::ListBegin); }
    int ListEnd() { return Expect(ValueTag::EndOfList); }
    // Any of the 8, 16 and 32-bit integer tags.
    int Integer(std::int32_t& value);
    // A string or a long string, as UTF-8: bytes that are not UTF-8 are read
    // as Windows-1252.
    int String(std::string& text);
    int Boolean(bool& value);
    int Identifier(std::string& name);
    int Set(std::vector<std::string>& members);
    // Untagged: a length byte, then the text.
    int ShortString(std::string& text);
    // Untagged bytes that must be exactly these, such as a signature.
    int Literal(std::string_view expected);

private:
    int Expect(ValueTag tag);
    int Tag(ValueTag& tag);
    int Take(std::size_t count, std::span<const std::uint8_t>& taken);
    int LittleEndian(int byteCount, std::uint32_t& value);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace vl::cover
