#include "AtCommandLine.h"

#include <cctype>

namespace vl::linesim {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsPrintable(char c) { return c >= 0x20 && c < 0x7f; }

// Walks the text after "AT". Spaces are skipped everywhere except inside
// quoted strings, where they belong to the value.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    bool AtEnd() { SkipSpaces(); return pos_ == text_.size(); }
    char Peek() { SkipSpaces(); return pos_ < text_.size() ? text_[pos_] : '\0'; }
    char Take() { char c = Peek(); if (pos_ < text_.size()) ++pos_; return c; }
    bool TakeIf(char c) { if (Peek() != c || c == '\0') return false; ++pos_; return true; }
    // Raw access for quoted strings, where spaces count.
    bool RawEnd() const { return pos_ == text_.size(); }
    char RawTake() { return text_[pos_++]; }

private:
    void SkipSpaces() { while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_; }
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Optional decimal number; false when it exceeds kMaxAtNumber.
bool TakeNumber(Cursor& c, int& number, bool& present) {
    number = 0;
    present = false;
    while (IsDigit(c.Peek())) {
        number = number * 10 + (c.Take() - '0');
        present = true;
        if (number > kMaxAtNumber) return false;
    }
    return true;
}

bool ParseSRegister(Cursor& c, AtCommand& cmd) {
    bool present = false;
    if (!TakeNumber(c, cmd.number, present) || !present) return false;
    if (c.TakeIf('?')) {
        cmd.kind = AtKind::SRead;
        return true;
    }
    if (!c.TakeIf('=')) return false;
    cmd.kind = AtKind::SSet;
    return TakeNumber(c, cmd.value, present) && present;
}

bool IsDialChar(char c) {
    if (IsDigit(c)) return true;
    switch (c) {
    case 'T': case 'P': case 'W': case ',': case '*': case '#': case '@': case '!':
    case 'A': case 'B': case 'C': case 'D':
        return true;
    default:
        return false;
    }
}

// The dial string runs to the end of the line or to ';', after which further
// commands may follow. Characters that are neither digits nor modifiers, such
// as the '-' and parentheses people write in numbers, are ignored as V.250
// asks.
bool ParseDial(Cursor& c, AtCommand& cmd) {
    cmd.kind = AtKind::Dial;
    while (!c.AtEnd()) {
        const char ch = Upper(c.Take());
        if (ch == ';') {
            cmd.dialStaysInCommandMode = true;
            return true;
        }
        if (IsDialChar(ch)) cmd.dial += ch;
    }
    return true;
}

bool IsNameChar(char c) {
    return IsLetter(c) || IsDigit(c) || c == '!' || c == '%' || c == '-' || c == '.' || c == '/' ||
           c == ':' || c == '_';
}

bool ParseQuoted(Cursor& c, std::string& value) {
    while (!c.RawEnd()) {
        const char ch = c.RawTake();
        if (ch == '"') return true;
        value += ch;
    }
    return false;  // unterminated
}

bool ParseValues(Cursor& c, AtCommand& cmd) {
    for (;;) {
        if (cmd.values.size() == kMaxExtendedValues) return false;
        std::string value;
        if (c.TakeIf('"')) {
            if (!ParseQuoted(c, value)) return false;
        } else {
            while (IsLetter(c.Peek()) || IsDigit(c.Peek()) || c.Peek() == '.') value += Upper(c.Take());
        }
        cmd.values.push_back(std::move(value));
        if (!c.TakeIf(',')) return true;
    }
}

bool ParseExtended(Cursor& c, AtCommand& cmd) {
    cmd.name = "+";
    while (IsNameChar(c.Peek())) cmd.name += Upper(c.Take());
    if (cmd.name.size() == 1) return false;
    if (c.TakeIf('?')) {
        cmd.kind = AtKind::ExtRead;
    } else if (c.TakeIf('=')) {
        if (c.TakeIf('?')) {
            cmd.kind = AtKind::ExtTest;
        } else {
            cmd.kind = AtKind::ExtSet;
            if (!ParseValues(c, cmd)) return false;
        }
    } else {
        cmd.kind = AtKind::ExtAction;
    }
    // Another command may follow an extended one only after ';'.
    return c.AtEnd() || c.TakeIf(';');
}

bool ParseOne(Cursor& c, AtCommand& cmd) {
    const char first = Upper(c.Take());
    if (first == '+') return ParseExtended(c, cmd);
    if (first == 'D') return ParseDial(c, cmd);
    if (first == 'S') return ParseSRegister(c, cmd);
    if (first == '&') {
        if (!IsLetter(c.Peek())) return false;
        cmd.kind = AtKind::Ampersand;
        cmd.letter = Upper(c.Take());
        return TakeNumber(c, cmd.number, cmd.hasNumber);
    }
    if (!IsLetter(first)) return false;
    cmd.kind = AtKind::Basic;
    cmd.letter = first;
    return TakeNumber(c, cmd.number, cmd.hasNumber);
}

bool ParseAll(std::string_view line, std::vector<AtCommand>& out) {
    if (line.size() > kMaxAtLineLength || line.size() < 2) return false;
    if (Upper(line[0]) != 'A' || Upper(line[1]) != 'T') return false;
    for (char ch : line) {
        if (!IsPrintable(ch)) return false;
    }
    Cursor c(line.substr(2));
    while (!c.AtEnd()) {
        AtCommand cmd;
        if (!ParseOne(c, cmd)) return false;
        out.push_back(std::move(cmd));
    }
    return true;
}

}  // namespace

bool ParseCommandLine(std::string_view line, std::vector<AtCommand>& out) {
    out.clear();
    if (ParseAll(line, out)) return true;
    out.clear();
    return false;
}

}  // namespace vl::linesim
