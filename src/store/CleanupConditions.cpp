#include "store/CleanupConditions.h"

#include <cstdio>

#include "base/TextCase.h"

namespace vl::store {
namespace {

// Blanks and control characters at either end are not part of what the user meant.
std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

// The text as a string literal, or empty when every delimiter occurs in it.
std::string Quote(const std::string& text) {
    if (text.find('"') == std::string::npos) return '"' + text + '"';
    if (text.find('\'') == std::string::npos) return '\'' + text + '\'';
    if (text.find(']') == std::string::npos) return '[' + text + ']';
    return {};
}

const char* FieldOf(MatchChoice choice) {
    switch (choice) {
        case MatchChoice::From: return "FROM";
        case MatchChoice::Recipient: return "RECIPIENT";
        case MatchChoice::FaxNumber: return "PHONE";
    }
    return "";
}

}  // namespace

std::string BeforeDateCondition(CleanupPage page, std::chrono::year_month_day date) {
    const int year = static_cast<int>(date.year());
    if (!date.ok() || year < 1 || year > 9999) return {};
    char mdy[16];
    std::snprintf(mdy, sizeof mdy, "%02u/%02u/%04d", static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), year);
    const std::string f = page == CleanupPage::Outgoing ? "DATESENT" : "DATEREC";
    return "(" + f + "<CTOD(\"" + mdy + "\")) .and. (.not. EMPTY(" + f + "))";
}

std::string MatchCondition(MatchChoice choice, std::string_view typed, bool exactMatch, std::string& error) {
    const std::string value = base::UpperAscii(Trim(typed));
    if (value.empty()) {
        error = "Please enter a value";
        return {};
    }
    const std::string literal = Quote(value);
    if (literal.empty()) {
        error = "The value cannot contain double quotes, single quotes and a closing bracket \"]\" all together";
        return {};
    }
    const std::string field = std::string("ALLTRIM(UPPER(") + FieldOf(choice) + "))";
    return exactMatch ? field + "==" + literal : literal + "$" + field;
}

}  // namespace vl::store
