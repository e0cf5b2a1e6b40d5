// A small fax-like table for the engine's tests, and helpers to fill and
// walk it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "store/Table.h"

namespace vl::test {

inline std::vector<store::FieldSpec> SampleFields() {
    using store::FieldType;
    return {
        {"SUBJECT", FieldType::Character, 20, 0},
        {"DATESENT", FieldType::Date, 8, 0},
        {"TIMESENT", FieldType::Character, 5, 0},
        {"PAGES", FieldType::Numeric, 5, 1},
        {"ARCHIVED", FieldType::Logical, 1, 0},
    };
}

struct SampleRow {
    std::string subject;
    std::string date;   // yyyymmdd or ""
    std::string time;
};

inline void AppendRow(store::Table& t, const SampleRow& row) {
    t.AppendBlank();
    t.SetText("SUBJECT", row.subject);
    t.SetDate("DATESENT", row.date);
    t.SetText("TIMESENT", row.time);
    t.Post();
}

// The numbers of the visible records in the current order.
inline std::vector<uint32_t> WalkForward(store::Table& t) {
    std::vector<uint32_t> out;
    for (t.GoTop(); !t.Eof(); t.Skip()) out.push_back(t.RecNo());
    return out;
}

inline std::vector<uint32_t> WalkBackward(store::Table& t) {
    std::vector<uint32_t> out;
    for (t.GoBottom(); !t.Bof() && !t.Eof(); t.Skip(-1)) out.push_back(t.RecNo());
    return out;
}

// Runs the steps in a child process that then ends without closing anything:
// the steps release the tables they open instead of closing them.
template <typename Steps>
void InChildThatDies(Steps steps) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        steps();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
}

// A folder holding an empty sample table "FAXES.DBF".
class SampleTable {
public:
    SampleTable() { store::Table::Create(Path(), SampleFields()); }
    std::string Path() const { return dir_.folder() + "FAXES.DBF"; }
    std::string IndexPath() const { return dir_.folder() + "FAXES.CDX"; }
    const TempDir& Dir() const { return dir_; }

private:
    TempDir dir_;
};

}  // namespace vl::test
