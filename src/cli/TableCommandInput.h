// Checking what `vellora-cli table` is given before any table is touched:
// table names, field assignments, record numbers, expressions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/FaxTables.h"

namespace vl::cli {

// "outgoing", "incoming" or "phonebook", in any letter case.
std::optional<store::FaxTableKind> ParseTableName(const std::string& name);

struct FieldAssignment {
    std::string field;  // upper case, as in the table
    std::string value;  // in the form Table::SetText stores
};

// "FIELD=VALUE" for a field of the table. Dates are yyyymmdd (or empty),
// logicals T/F/Y/N, .T./.F. or true/false; the value must fit the field.
// Sets error when it does not; a field may be given once.
std::optional<std::vector<FieldAssignment>> ParseAssignments(const store::FaxTableDef& def,
                                                             const std::vector<std::string>& words, std::string& error);

// A record number: decimal digits only, at least 1.
std::optional<uint32_t> ParseRecordNumber(const std::string& text);

// True when the text is a logical expression on the table's fields; sets
// error otherwise.
bool CheckLogicalExpression(const store::FaxTableDef& def, const std::string& text, std::string& error);

}  // namespace vl::cli
