// Writes values in the tagged encoding, appending to one byte buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cover/ValueTag.h"

namespace vl::cover {

class TaggedWriter {
public:
    void ListBegin() { Tag(ValueTag::ListBegin); }
    void ListEnd() { Tag(ValueTag::EndOfList); }
    // With the smallest of the 8, 16 and 32-bit tags that holds the value.
    void Integer(std::int32_t value);
    // Up to 255 bytes as a string, longer as a long string.
    void String(std::string_view text);
    void Boolean(bool value) { Tag(value ? ValueTag::True : ValueTag::False); }
    void Identifier(std::string_view name);
    void Set(const std::vector<std::string>& members);
    // Untagged: a length byte, then the text (cut at 255 bytes).
    void ShortString(std::string_view text);
    // Untagged bytes, such as a signature.
    void Literal(std::string_view bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    void Tag(ValueTag tag) { bytes_.push_back(static_cast<std::uint8_t>(tag)); }
    void LittleEndian(std::uint32_t value, int byteCount);

    std::vector<std::uint8_t> bytes_;
};

}  // namespace vl::cover
