// Phone book entries as files from other programs bring them and as the
// phone book hands them out.
#pragma once

#include <string>
#include <vector>

namespace vl::app {

struct PhoneBookEntry {
    std::string name;  // UTF-8; may hold line breaks
    std::string fax;
    int line = 0;      // where the entry starts in the file it came from; 0 for none

    friend bool operator==(const PhoneBookEntry&, const PhoneBookEntry&) = default;
};

// A row or card left out, and why.
struct SkippedRow {
    int line = 0;
    std::string reason;

    friend bool operator==(const SkippedRow&, const SkippedRow&) = default;
};

struct PhoneBookRows {
    std::vector<PhoneBookEntry> entries;
    std::vector<SkippedRow> skipped;
};

}  // namespace vl::app
