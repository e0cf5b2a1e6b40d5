#include "cover/TaggedWriter.h"

#include <algorithm>

namespace vl::cover {

namespace {

constexpr std::size_t kShortStringMax = 255;

}  // namespace

void TaggedWriter::LittleEndian(std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void TaggedWriter::Integer(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (value >= INT8_MIN && value <= INT8_MAX) {
        Tag(ValueTag::Int8);
        LittleEndian(bits, 1);
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        Tag(ValueTag::Int16);
        LittleEndian(bits, 2);
    } else {
        Tag(ValueTag::Int32);
        LittleEndian(bits, 4);
    }
}

void TaggedWriter::String(std::string_view text) {
    if (text.size() <= kShortStringMax) {
        Tag(ValueTag::String);
        ShortString(text);
        return;
    }
    Tag(ValueTag::LongString);
    LittleEndian(static_cast<std::uint32_t>(text.size()), 4);
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void TaggedWriter::Identifier(std::string_view name) {
    Tag(ValueTag::Identifier);
    ShortString(name);
}

void TaggedWriter::Set(const std::vector<std::string>& members) {
    Tag(ValueTag::Set);
    for (const std::string& member : members) ShortString(member);
    ShortString({});
}

void TaggedWriter::ShortString(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kShortStringMax));
    bytes_.push_back(static_cast<std::uint8_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

}  // namespace vl::cover
