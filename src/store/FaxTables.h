// Opening the three fax tables in the program folder, creating them (and
// their index tags) when they are missing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "store/FaxTableLayouts.h"
#include "store/Table.h"

namespace vl::store {

enum class FaxTableKind { Outgoing, Incoming, PhoneBook };

const FaxTableDef& FaxTableDefinition(FaxTableKind kind);

// programFolder + the table's file name ("VLOUT.DBF"), matched without regard
// to letter case ("vlout.dbf" copied from another system is the same table);
// the folder ends in "/".
std::string FaxTablePath(const std::string& programFolder, FaxTableKind kind);

// The fields of a table definition in the form Table::Create takes.
std::vector<FieldSpec> FieldSpecs(const FaxTableDef& def);

// Builds the table's tags in their order; rebuild-only tags (DATEND) only
// when asked.
void BuildFaxTags(Table& table, const FaxTableDef& def, bool withRebuildOnly);

struct FaxTableOpenResult {
    bool ok = false;
    // The table as far as the open got: null when it could not be opened,
    // open (possibly without tags, order or filter) when a later step failed.
    std::unique_ptr<Table> table;
    std::string error;  // what failed; empty on success
};

// Open-or-create: creates the .DBF from its layout when it is missing, opens
// it, builds every tag but the rebuild-only ones when the table has none (no
// index file, or one that could not be read), then per table:
//   outgoing: listFilter in force and the first record it shows current;
//   incoming: ".not. deleted()" in force (the list filter replaces it later);
//   phone book: NAME order and ".not. deleted()".
// The fax tables open exclusively; the phone book shared unless asked.
// Building tags leaves the order where a plain reopen would have it.
FaxTableOpenResult OpenOrCreateOutgoing(const std::string& programFolder, const std::string& listFilter);
FaxTableOpenResult OpenOrCreateIncoming(const std::string& programFolder);
FaxTableOpenResult OpenOrCreatePhoneBook(const std::string& programFolder, bool exclusive);

}  // namespace vl::store
