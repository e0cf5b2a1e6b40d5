#include "app/VCardProperties.h"

#include "app/TextFiles.h"
#include "base/TextCase.h"

namespace vl::app {

namespace {

// Positions of sep in text that are not inside double quotes; text.size()
// stands for the end.
std::vector<size_t> SplitPoints(std::string_view text, char sep, size_t maxParts) {
    std::vector<size_t> points;
    bool quoted = false;
    for (size_t i = 0; i < text.size() && points.size() + 1 < maxParts; ++i) {
        if (text[i] == '"') quoted = !quoted;
        else if (text[i] == sep && !quoted) points.push_back(i);
    }
    points.push_back(text.size());
    return points;
}

std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    size_t from = 0;
    for (size_t point : SplitPoints(text, sep, SIZE_MAX)) {
        parts.push_back(text.substr(from, point - from));
        from = point + 1;
    }
    return parts;
}

std::string Unquoted(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '"') out += c;
    return out;
}

bool IsEncodingName(std::string_view word) {
    for (std::string_view encoding : {"QUOTED-PRINTABLE", "BASE64", "8BIT", "7BIT"})
        if (base::EqualsNoCase(word, encoding)) return true;
    return false;
}

void AddParam(VCardProperty& property, std::string_view text) {
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        property.params.emplace_back(IsEncodingName(text) ? "ENCODING" : "TYPE", Unquoted(text));
        return;
    }
    const std::string name = base::UpperAscii(text.substr(0, equals));
    // Quotes or not, a comma parts the items of a list (TYPE="work,fax").
    const std::string values = Unquoted(text.substr(equals + 1));
    for (size_t from = 0, comma = 0; comma != std::string::npos; from = comma + 1) {
        comma = values.find(',', from);
        property.params.emplace_back(name, values.substr(from, comma - from));
    }
}

bool ParseProperty(std::string_view text, int line, VCardProperty& property) {
    const size_t colon = SplitPoints(text, ':', 2).front();
    if (colon == text.size()) return false;
    const std::vector<std::string_view> head = SplitOutsideQuotes(text.substr(0, colon), ';');
    const std::string_view name = head.front().substr(head.front().rfind('.') + 1);
    property = VCardProperty{line, base::UpperAscii(name), {}, std::string(text.substr(colon + 1))};
    for (size_t i = 1; i < head.size(); ++i) AddParam(property, head[i]);
    return true;
}

// Whether the content line that starts so has a quoted-printable value,
// which goes on in the next line wherever it ends in "=".
bool QuotedPrintable(std::string_view line) {
    const size_t colon = line.find(':');
    return colon != std::string_view::npos && base::ContainsNoCase(line.substr(0, colon), "QUOTED-PRINTABLE");
}

}  // namespace

bool VCardProperty::Has(std::string_view param, std::string_view wanted) const {
    for (const auto& [name, value] : params)
        if (name == param && base::EqualsNoCase(value, wanted)) return true;
    return false;
}

std::vector<VCardProperty> ReadVCardProperties(std::string_view text) {
    const std::vector<std::string> lines = SplitTextLines(text);
    std::vector<VCardProperty> properties;
    for (size_t i = 0; i < lines.size();) {
        const int line = static_cast<int>(i) + 1;
        const bool quotedPrintable = QuotedPrintable(lines[i]);
        std::string logical = lines[i++];
        while (i < lines.size()) {
            const std::string& next = lines[i];
            if (quotedPrintable && logical.ends_with('=')) {
                logical.pop_back();
                logical += next;
            } else if (!next.empty() && (next[0] == ' ' || next[0] == '\t')) {
                logical += std::string_view(next).substr(1);
            } else {
                break;
            }
            ++i;
        }
        VCardProperty property;
        if (ParseProperty(logical, line, property)) properties.push_back(std::move(property));
    }
    return properties;
}

}  // namespace vl::app
