#include "app/PhoneBookVCard.h"

#include <optional>

#include "app/ImportedText.h"
#include "app/VCardProperties.h"
#include "base/Cp1252.h"
#include "base/ErrorCodes.h"
#include "base/PlainText.h"
#include "base/TextCase.h"

namespace vl::app {

namespace {

constexpr size_t kFoldWidth = 75;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "=XX" becomes its byte; a "=" that starts no such pair stays.
std::string QuotedPrintableBytes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '=' ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low < 0) {
            out += text[i];
            continue;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// The value with its transfer encoding undone, as UTF-8; escapes stay.
std::string DecodedValue(const VCardProperty& property) {
    if (!property.Has("ENCODING", "QUOTED-PRINTABLE")) return property.value;
    const std::string bytes = QuotedPrintableBytes(property.value);
    for (const auto& [name, value] : property.params)
        if (name == "CHARSET" && !base::EqualsNoCase(value, "UTF-8")) return base::Cp1252ToUtf8(bytes);
    return base::Utf8OrCp1252(bytes);
}

// The parts of a structured value split at its unescaped semicolons, each
// unescaped: "\n" and "\N" become a line break, any other escaped character
// itself.
std::vector<std::string> Components(std::string_view value) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == ';') {
            parts.emplace_back();
        } else if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            parts.back() += next == 'n' || next == 'N' ? '\n' : next;
        } else {
            parts.back() += value[i];
        }
    }
    return parts;
}

// A value that is not structured: its semicolons are text.
std::string Unescaped(std::string_view value) {
    const std::vector<std::string> parts = Components(value);
    std::string text = parts.front();
    for (size_t i = 1; i < parts.size(); ++i) text += ";" + parts[i];
    return text;
}

// Prefix, given, additional names, family name, suffix: the order the name
// is spoken in.
std::string NameFromParts(std::string_view value) {
    const std::vector<std::string> parts = Components(value);
    std::string name;
    for (size_t index : {3, 1, 2, 0, 4})
        if (index < parts.size())
            if (const std::string part = base::TrimBlanks(parts[index]); !part.empty())
                name += (name.empty() ? "" : " ") + part;
    return name;
}

std::string Number(const VCardProperty& tel) {
    std::string number = base::TrimBlanks(Unescaped(DecodedValue(tel)));
    if (number.size() >= 4 && base::EqualsNoCase(std::string_view(number).substr(0, 4), "tel:"))
        return base::TrimBlanks(std::string_view(number).substr(4));
    return number;
}

class Card {
public:
    explicit Card(int line) : line_(line) {}

    void Take(const VCardProperty& property) {
        if (property.name == "FN" && fn_.empty()) fn_ = base::TrimBlanks(Unescaped(DecodedValue(property)));
        if (property.name == "N" && n_.empty()) n_ = NameFromParts(DecodedValue(property));
        if (property.name == "ORG" && org_.empty()) org_ = base::TrimBlanks(Components(DecodedValue(property)).front());
        if (property.name == "TEL") {
            const int rank = property.Has("TYPE", "FAX") ? (property.Has("TYPE", "WORK") ? 2 : 1) : 0;
            if (std::string number = Number(property); !number.empty() && (fax_.empty() || rank > faxRank_)) {
                fax_ = std::move(number);
                faxRank_ = rank;
            }
        }
    }

    PhoneBookEntry Entry() const {
        const std::string& name = !fn_.empty() ? fn_ : !n_.empty() ? n_ : org_;
        return {name, fax_, line_};
    }

    int Line() const { return line_; }

private:
    int line_;
    std::string fn_, n_, org_;
    std::string fax_;  // the best number so far
    int faxRank_ = 0;  // 2 a work fax, 1 another fax, 0 a number of no fax type
};

bool IsCardBoundary(const VCardProperty& property, std::string_view name) {
    return property.name == name && base::EqualsNoCase(base::TrimBlanks(property.value), "VCARD");
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// The content line folded: at most 75 bytes a line, continuation lines
// starting with a blank, never cutting a UTF-8 sequence.
std::string Folded(std::string_view line) {
    std::string out;
    size_t width = kFoldWidth;
    while (line.size() > width) {
        size_t cut = width;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out += std::string(line.substr(0, cut)) + "\r\n ";
        line.remove_prefix(cut);
        width = kFoldWidth - 1;
    }
    return out + std::string(line) + "\r\n";
}

}  // namespace

int ReadPhoneBookVCard(std::string_view bytes, PhoneBookRows& rows, std::string& error) {
    const std::string text = ImportedText(bytes);
    std::optional<Card> card;
    bool anyCard = false;
    int depth = 0;
    for (const VCardProperty& property : ReadVCardProperties(text)) {
        if (IsCardBoundary(property, "BEGIN")) {
            if (depth++ == 0) card.emplace(property.line);
            anyCard = true;
        } else if (IsCardBoundary(property, "END") && depth > 0) {
            if (--depth > 0) continue;
            const PhoneBookEntry entry = card->Entry();
            if (entry.name.empty() && entry.fax.empty())
                rows.skipped.push_back({entry.line, "no name and no fax number"});
            else
                rows.entries.push_back(entry);
            card.reset();
        } else if (depth == 1) {
            card->Take(property);
        }
    }
    if (card) rows.skipped.push_back({card->Line(), "the card has no END:VCARD"});
    if (!anyCard && !base::TrimBlanks(text).empty()) {
        error = "the file holds no vCard (no BEGIN:VCARD line)";
        return base::ecBadArgument;
    }
    return base::ecOK;
}

std::string PhoneBookVCardText(const std::vector<PhoneBookEntry>& entries) {
    std::string text;
    for (const PhoneBookEntry& entry : entries) {
        text += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        text += Folded("FN:" + Escaped(entry.name));
        text += Folded("N:" + Escaped(entry.name) + ";;;;");
        if (!entry.fax.empty()) text += Folded("TEL;TYPE=WORK,FAX:" + Escaped(entry.fax));
        text += "END:VCARD\r\n";
    }
    return text;
}

}  // namespace vl::app
