#include "app/FieldText.h"

#include "base/Cp1252.h"

namespace vl::app {

namespace {

size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    return lead >= 0xC0 ? 2 : 1;
}

}  // namespace

std::string FitToField(const store::Table& table, std::string_view field, std::string_view text) {
    const int index = table.Layout().FindField(field);
    if (index < 0) throw store::EStoreError(table.Path() + ": there is no field named " + std::string(field));
    return StorableText(text, static_cast<size_t>(table.Layout().Fields()[static_cast<size_t>(index)].width));
}

std::string StorableText(std::string_view text, size_t maxCharacters) {
    std::string fitted;
    for (size_t at = 0, chars = 0; at < text.size() && chars < maxCharacters; ++chars) {
        const std::string_view one = text.substr(at, SequenceLength(static_cast<unsigned char>(text[at])));
        fitted += base::Utf8ToCp1252(one) ? one : std::string_view("?");
        at += one.size();
    }
    return fitted;
}

std::string TextFromOutside(std::string_view bytes) {
    return base::Utf8ToCp1252(bytes) ? std::string(bytes) : base::Cp1252ToUtf8(bytes);
}

}  // namespace vl::app
