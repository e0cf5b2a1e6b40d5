#include "cover/TaggedReader.h"

#include <algorithm>

#include "base/Cp1252.h"
#include "base/ErrorCodes.h"

namespace vl::cover {

using base::ecFaxBadFormat;
using base::ecOK;

int TaggedReader::PeekTag(ValueTag& tag) const {
    if (AtEnd()) return ecFaxBadFormat;
    tag = static_cast<ValueTag>(bytes_[pos_]);
    return ecOK;
}

int TaggedReader::Tag(ValueTag& tag) {
    if (int rc = PeekTag(tag); rc != ecOK) return rc;
    ++pos_;
    return ecOK;
}

int TaggedReader::Expect(ValueTag tag) {
    ValueTag found{};
    if (int rc = PeekTag(found); rc != ecOK) return rc;
    if (found != tag) return ecFaxBadFormat;
    ++pos_;
    return ecOK;
}

int TaggedReader::Take(std::size_t count, std::span<const std::uint8_t>& taken) {
    if (count > bytes_.size() - pos_) return ecFaxBadFormat;
    taken = bytes_.subspan(pos_, count);
    pos_ += count;
    return ecOK;
}

int TaggedReader::LittleEndian(int byteCount, std::uint32_t& value) {
    std::span<const std::uint8_t> raw;
    if (int rc = Take(static_cast<std::size_t>(byteCount), raw); rc != ecOK) return rc;
    value = 0;
    for (int i = byteCount - 1; i >= 0; --i) value = (value << 8) | raw[static_cast<std::size_t>(i)];
    return ecOK;
}

int TaggedReader::Integer(std::int32_t& value) {
    ValueTag tag{};
    if (int rc = Tag(tag); rc != ecOK) return rc;
    std::uint32_t raw = 0;
    int rc = ecFaxBadFormat;
    switch (tag) {
        case ValueTag::Int8:
            rc = LittleEndian(1, raw);
            value = static_cast<std::int8_t>(raw);
            break;
        case ValueTag::Int16:
            rc = LittleEndian(2, raw);
            value = static_cast<std::int16_t>(raw);
            break;
        case ValueTag::Int32:
            rc = LittleEndian(4, raw);
            value = static_cast<std::int32_t>(raw);
            break;
        default: break;
    }
    return rc;
}

int TaggedReader::String(std::string& text) {
    ValueTag tag{};
    if (int rc = Tag(tag); rc != ecOK) return rc;
    std::string bytes;
    if (tag == ValueTag::String) {
        if (int rc = ShortString(bytes); rc != ecOK) return rc;
    } else if (tag == ValueTag::LongString) {
        std::uint32_t length = 0;
        if (int rc = LittleEndian(4, length); rc != ecOK) return rc;
        std::span<const std::uint8_t> raw;
        if (int rc = Take(length, raw); rc != ecOK) return rc;
        bytes.assign(raw.begin(), raw.end());
    } else {
        return ecFaxBadFormat;
    }
    // Templates made by older programs hold their texts in Windows-1252.
    text = base::Utf8OrCp1252(bytes);
    return ecOK;
}

int TaggedReader::Boolean(bool& value) {
    ValueTag tag{};
    if (int rc = Tag(tag); rc != ecOK) return rc;
    if (tag != ValueTag::False && tag != ValueTag::True) return ecFaxBadFormat;
    value = tag == ValueTag::True;
    return ecOK;
}

int TaggedReader::Identifier(std::string& name) {
    if (int rc = Expect(ValueTag::Identifier); rc != ecOK) return rc;
    return ShortString(name);
}

int TaggedReader::Set(std::vector<std::string>& members) {
    if (int rc = Expect(ValueTag::Set); rc != ecOK) return rc;
    members.clear();
    for (;;) {
        std::string member;
        if (int rc = ShortString(member); rc != ecOK) return rc;
        if (member.empty()) return ecOK;
        members.push_back(std::move(member));
    }
}

int TaggedReader::ShortString(std::string& text) {
    std::span<const std::uint8_t> length;
    if (int rc = Take(1, length); rc != ecOK) return rc;
    std::span<const std::uint8_t> raw;
    if (int rc = Take(length[0], raw); rc != ecOK) return rc;
    text.assign(raw.begin(), raw.end());
    return ecOK;
}

int TaggedReader::Literal(std::string_view expected) {
    std::span<const std::uint8_t> raw;
    if (int rc = Take(expected.size(), raw); rc != ecOK) return rc;
    return std::equal(raw.begin(), raw.end(), expected.begin(), expected.end(),
                      [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); })
               ? ecOK
               : ecFaxBadFormat;
}

}  // namespace vl::cover
