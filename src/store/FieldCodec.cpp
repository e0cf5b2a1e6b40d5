#include "store/FieldCodec.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "base/Cp1252.h"
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

// Puts the text into the field's bytes, blank-padded on the right or left.
void Place(const FieldDef& field, std::string_view text, bool rightAligned, std::string& record) {
    const auto width = static_cast<size_t>(field.width);
    const size_t pad = width - text.size();
    char* out = record.data() + field.offset;
    std::fill(out, out + width, ' ');
    std::copy(text.begin(), text.end(), out + (rightAligned ? pad : 0));
}

void PlaceNumber(const FieldDef& field, std::string_view text, std::string& record) {
    if (text.size() > static_cast<size_t>(field.width))
        Refuse(field, "the number " + std::string(text) + " is wider than the field");
    Place(field, text, true, record);
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
    return base::Cp1252ToUtf8(TrimRight(bytes));
}

bool FieldLogical(const FieldDef& field, std::string_view record) {
    const char c = FieldBytes(field, record)[0];
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

double FieldNumber(const FieldDef& field, std::string_view record) {
    const std::string text(Trim(FieldBytes(field, record)));
    return text.empty() ? 0 : std::strtod(text.c_str(), nullptr);
}

void EncodeText(const FieldDef& field, std::string_view value, std::string& record) {
    const auto width = static_cast<size_t>(field.width);
    switch (field.type) {
    case FieldType::Character: {
        std::optional<std::string> converted;
        if (!base::IsAscii(value)) {
            converted = base::Utf8ToCp1252(value);
            if (!converted) Refuse(field, "the text holds characters the table cannot store");
            value = *converted;
        }
        if (value.size() > width)
            Refuse(field, "the text is " + std::to_string(value.size()) + " characters long, the field holds " +
                              std::to_string(width));
        Place(field, value, false, record);
        return;
    }
    case FieldType::Date:
        if (!value.empty() && (value.size() != 8 || NormalizeDate(value) != value))
            Refuse(field, "\"" + std::string(value) + "\" is not a date written yyyymmdd");
        Place(field, value, false, record);
        return;
    case FieldType::Logical: {
        const bool known = value.empty() || (value.size() == 1 && std::string_view("TFYNtfyn").find(value[0]) != std::string_view::npos);
        if (!known) Refuse(field, "\"" + std::string(value) + "\" is not a logical value");
        const char c = value.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
        Place(field, std::string_view(&c, 1), false, record);
        return;
    }
    case FieldType::Numeric: {
        const std::string_view text = Trim(value);
        if (!text.empty() && !IsNumberText(text, field.decimals))
            Refuse(field, "\"" + std::string(value) + "\" is not a number the field can hold");
        PlaceNumber(field, text, record);
        return;
    }
    }
    Refuse(field, "unknown field type");
}

void EncodeNumber(const FieldDef& field, double value, std::string& record) {
    if (field.type != FieldType::Numeric) Refuse(field, "not a numeric field");
    if (!std::isfinite(value)) Refuse(field, "the number is not finite");
    if (value == 0) value = 0;  // no "-0"
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", field.decimals, value);
    PlaceNumber(field, text, record);
}

}  // namespace vl::store
