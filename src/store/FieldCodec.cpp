#include "store/FieldCodec.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "store/Cp1252.h"
#include "store/XbaseDate.h"

namespace vl::store {

namespace {

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimRight(s);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
}

[[noreturn]] void Refuse(const FieldDef& field, const std::string& why) {
    throw std::invalid_argument("field " + field.name + ": " + why);
}

bool IsNumberText(std::string_view s, int maxDecimals) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        int decimals = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++decimals;
        if (decimals == 0 || decimals > maxDecimals) return false;
        digits += static_cast<size_t>(decimals);
    }
    return digits > 0 && i == s.size();
}

std::string RightAligned(const FieldDef& field, std::string_view text) {
    if (text.size() > static_cast<size_t>(field.width))
        Refuse(field, "the number " + std::string(text) + " is wider than the field");
    return std::string(static_cast<size_t>(field.width) - text.size(), ' ') + std::string(text);
}

}  // namespace

std::string_view FieldBytes(const FieldDef& field, std::string_view record) {
    return record.substr(static_cast<size_t>(field.offset), static_cast<size_t>(field.width));
}

std::string FieldText(const FieldDef& field, std::string_view record) {
    const std::string_view bytes = FieldBytes(field, record);
    switch (field.type) {
    case FieldType::Date: {
        const std::string date = NormalizeDate(bytes);
        return date == kEmptyDate ? std::string() : date;
    }
    case FieldType::Numeric:
        return std::string(Trim(bytes));
    case FieldType::Character:
    case FieldType::Logical:
        break;
    }
    return Cp1252ToUtf8(TrimRight(bytes));
}

bool FieldLogical(const FieldDef& field, std::string_view record) {
    const char c = FieldBytes(field, record)[0];
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

double FieldNumber(const FieldDef& field, std::string_view record) {
    const std::string text(Trim(FieldBytes(field, record)));
    return text.empty() ? 0 : std::strtod(text.c_str(), nullptr);
}

std::string EncodeText(const FieldDef& field, std::string_view value) {
    const auto width = static_cast<size_t>(field.width);
    switch (field.type) {
    case FieldType::Character: {
        const auto bytes = Utf8ToCp1252(value);
        if (!bytes) Refuse(field, "the text holds characters the table cannot store");
        if (bytes->size() > width)
            Refuse(field, "the text is " + std::to_string(bytes->size()) + " characters long, the field holds " +
                              std::to_string(width));
        return *bytes + std::string(width - bytes->size(), ' ');
    }
    case FieldType::Date:
        if (value.empty()) return std::string(kEmptyDate);
        if (value.size() != 8 || NormalizeDate(value) != value)
            Refuse(field, "\"" + std::string(value) + "\" is not a date written yyyymmdd");
        return std::string(value);
    case FieldType::Logical:
        if (value.empty()) return " ";
        if (value.size() == 1 && std::string_view("TFYNtfyn").find(value[0]) != std::string_view::npos)
            return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(value[0]))));
        Refuse(field, "\"" + std::string(value) + "\" is not a logical value");
    case FieldType::Numeric: {
        const std::string_view text = Trim(value);
        if (text.empty()) return std::string(width, ' ');
        if (!IsNumberText(text, field.decimals))
            Refuse(field, "\"" + std::string(value) + "\" is not a number the field can hold");
        return RightAligned(field, text);
    }
    }
    Refuse(field, "unknown field type");
}

std::string EncodeNumber(const FieldDef& field, double value) {
    if (field.type != FieldType::Numeric) Refuse(field, "not a numeric field");
    if (!std::isfinite(value)) Refuse(field, "the number is not finite");
    if (value == 0) value = 0;  // no "-0"
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", field.decimals, value);
    return RightAligned(field, text);
}

}  // namespace vl::store
