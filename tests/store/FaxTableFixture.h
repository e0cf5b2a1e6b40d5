// A program folder for the fax table tests, with helpers to add records and
// walk the tables.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "store/FaxTables.h"

namespace vl::test {

// Opens a table that must open, failing the test with the error otherwise.
inline std::unique_ptr<store::Table> MustOpen(store::FaxTableOpenResult result) {
    EXPECT_TRUE(result.ok) << result.error;
    if (!result.ok) throw std::runtime_error(result.error);
    return std::move(result.table);
}

struct OutRow {
    std::string subject;
    std::string date;   // yyyymmdd or ""
    std::string time;
    std::string recipient = "";
    std::string codes = "";
    bool archived = false;
};

inline void AddOut(store::Table& t, const OutRow& row) {
    t.AppendBlank();
    t.SetText("SUBJECT", row.subject);
    t.SetDate("DATESENT", row.date);
    t.SetText("TIMESENT", row.time);
    t.SetText("RECIPIENT", row.recipient);
    t.SetText("CODES", row.codes);
    t.SetLogical("ARCHIVED", row.archived);
    t.Post();
}

inline void AddIn(store::Table& t, const std::string& date, const std::string& time, const std::string& from) {
    t.AppendBlank();
    t.SetDate("DATEREC", date);
    t.SetText("TIMEREC", time);
    t.SetText("FROM", from);
    t.Post();
}

inline void AddName(store::Table& t, const std::string& name) {
    t.AppendBlank();
    t.SetText("NAME", name);
    t.Post();
}

// One field of every visible record, in the current order.
inline std::vector<std::string> Column(store::Table& t, const std::string& field) {
    std::vector<std::string> out;
    for (t.GoTop(); !t.Eof(); t.Skip()) out.push_back(t.Text(field));
    return out;
}

inline std::vector<std::string> TagNames(const store::Table& t) {
    std::vector<std::string> out;
    for (const store::TagInfo& tag : t.Tags()) out.push_back(tag.name);
    return out;
}

}  // namespace vl::test
