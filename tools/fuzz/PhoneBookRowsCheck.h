// What every phone book reader promises about what it read, whatever the
// input: each entry has a name or a number in UTF-8, lines lie within the
// text, and the entries written out again read back as they were.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "app/PhoneBookEntry.h"
#include "base/Cp1252.h"
#include "base/ErrorCodes.h"
#include "base/TextCase.h"

namespace vl::fuzz {

inline bool IsUtf8(const std::string& text) { return base::Utf8OrCp1252(text) == text; }

template <typename Read, typename Write>
void CheckPhoneBookReader(std::string_view bytes, Read read, Write write) {
    app::PhoneBookRows rows;
    std::string error;
    const int rc = read(bytes, rows, error);
    Check(rc == base::ecOK || (rc == base::ecBadArgument && !error.empty() && rows.entries.empty()));
    if (rc != base::ecOK) return;
    // Every byte may end a line (a lone CR does), but no more.
    const int lastLine = static_cast<int>(bytes.size()) + 1;
    for (const app::PhoneBookEntry& entry : rows.entries) {
        Check(!entry.name.empty() || !entry.fax.empty());
        Check(IsUtf8(entry.name) && IsUtf8(entry.fax));
        Check(entry.line >= 1 && entry.line <= lastLine);
    }
    for (const app::SkippedRow& row : rows.skipped) Check(row.line >= 1 && row.line <= lastLine && !row.reason.empty());

    app::PhoneBookRows again;
    Check(read(write(rows.entries), again, error) == base::ecOK);
    Check(again.skipped.empty() && again.entries.size() == rows.entries.size());
    for (size_t i = 0; i < rows.entries.size(); ++i) {
        const app::PhoneBookEntry& before = rows.entries[i];
        const app::PhoneBookEntry& after = again.entries[i];
        // A carriage return inside a value comes back as a line feed, and a
        // number may itself begin with the scheme that is taken off.
        if (before.name.find('\r') == std::string::npos) Check(after.name == before.name);
        if (!base::ContainsNoCase(before.fax, "tel:") && before.fax.find('\r') == std::string::npos)
            Check(after.fax == before.fax);
    }
}

}  // namespace vl::fuzz
