#include "store/XbaseLexer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/TextCase.h"

namespace vl::store {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A character for a message: printable ones as they are, others by code.
std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) return std::string("'") + c + "'";
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", byte);
    return code;
}

std::string At(size_t index) { return " at position " + std::to_string(index + 1); }

// A word between dots: logical literals and the logical operators.
bool DottedKeyword(std::string_view word, XToken& token) {
    struct Entry { const char* word; XToken token; };
    static const Entry kWords[] = {
        {"T", XToken::True},   {"TRUE", XToken::True}, {"F", XToken::False},
        {"FALSE", XToken::False}, {"AND", XToken::And}, {"OR", XToken::Or},
        {"NOT", XToken::Not},
    };
    for (const Entry& e : kWords) {
        if (base::EqualsNoCase(word, e.word)) {
            token = e.token;
            return true;
        }
    }
    return false;
}

}  // namespace

bool TokenizeXbase(std::string_view s, std::vector<XLexeme>& out, std::string& error) {
    out.clear();
    size_t i = 0;
    while (true) {
        while (i < s.size() && IsSpace(s[i])) ++i;
        XLexeme lx;
        lx.position = static_cast<int>(i) + 1;
        if (i >= s.size()) {
            out.push_back(lx);
            return true;
        }
        const char c = s[i];
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (IsLetter(c)) {
            size_t end = i;
            while (end < s.size() && (IsLetter(s[end]) || IsDigit(s[end]))) ++end;
            lx.token = XToken::Name;
            lx.text = std::string(s.substr(i, end - i));
            i = end;
        } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            size_t end = i;
            while (end < s.size() && IsDigit(s[end])) ++end;
            // "1.and." is 1 followed by .and., not "1." followed by "and."
            if (end < s.size() && s[end] == '.' && !(end + 1 < s.size() && IsLetter(s[end + 1]))) {
                ++end;
                while (end < s.size() && IsDigit(s[end])) ++end;
            }
            const auto result = std::from_chars(s.data() + i, s.data() + end, lx.number);
            if (result.ec != std::errc() || !std::isfinite(lx.number)) {
                error = "number too large" + At(i);
                return false;
            }
            lx.token = XToken::Number;
            i = end;
        } else if (c == '.') {
            size_t end = i + 1;
            while (end < s.size() && IsLetter(s[end])) ++end;
            if (end >= s.size() || s[end] != '.' ||
                !DottedKeyword(s.substr(i + 1, end - i - 1), lx.token)) {
                error = "unknown keyword starting with '.'" + At(i);
                return false;
            }
            i = end + 1;
        } else if (c == '"' || c == '\'' || c == '[') {
            const char close = c == '[' ? ']' : c;
            const size_t end = s.find(close, i + 1);
            if (end == std::string_view::npos) {
                error = "unterminated string" + At(i);
                return false;
            }
            lx.token = XToken::String;
            lx.text = std::string(s.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            struct Op { const char* text; XToken token; };
            // Two-character operators first, so "==" is not read as "=" "=".
            static const Op kOps[] = {
                {"==", XToken::ExactEqual}, {"<>", XToken::NotEqual}, {"!=", XToken::NotEqual},
                {"<=", XToken::LessEqual},  {">=", XToken::GreaterEqual}, {"=", XToken::Equal},
                {"#", XToken::NotEqual},    {"<", XToken::Less},    {">", XToken::Greater},
                {"+", XToken::Plus},        {"-", XToken::Minus},   {"$", XToken::Contained},
                {"!", XToken::Not},         {"(", XToken::LeftParen}, {")", XToken::RightParen},
                {",", XToken::Comma},
            };
            bool found = false;
            for (const Op& op : kOps) {
                const std::string_view text(op.text);
                if (s.substr(i, text.size()) == text) {
                    lx.token = op.token;
                    lx.text = std::string(text);
                    i += text.size();
                    found = true;
                    break;
                }
            }
            if (!found) {
                error = "unexpected character " + Shown(c) + At(i);
                return false;
            }
        }
        out.push_back(std::move(lx));
    }
}

std::string DescribeToken(const XLexeme& lx) {
    switch (lx.token) {
        case XToken::End: return "end of expression";
        case XToken::Name: return "'" + lx.text + "'";
        case XToken::String: return "string \"" + lx.text + "\"";
        case XToken::Number: return "number";
        case XToken::True: return ".T.";
        case XToken::False: return ".F.";
        case XToken::And: return ".AND.";
        case XToken::Or: return ".OR.";
        case XToken::Not: return ".NOT.";
        default: return "'" + lx.text + "'";
    }
}

}  // namespace vl::store
