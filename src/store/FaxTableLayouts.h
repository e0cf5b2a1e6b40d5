// The formats of the three fax tables: fields, index tags and list filters.
// Every part of the program that creates, opens or reads these tables takes
// them from here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/RecordLayout.h"

namespace vl::store {

struct FaxTag {
    std::string name;
    std::string key;        // key expression
    bool descending = false;
    std::string condition;  // ".not. deleted()" for every tag
    // Built only by the index rebuild, never when a missing index file is
    // recreated at open; its presence shows that the rebuild has run.
    bool rebuildOnly = false;
};

struct FaxTableDef {
    std::string fileName;           // "VLOUT.DBF", in the program folder
    std::vector<FieldDef> fields;   // in creation order; offsets already set
    std::vector<FaxTag> tags;       // in the order they are built
};

const FaxTableDef& OutgoingTableDef();   // VLOUT: outgoing faxes
const FaxTableDef& IncomingTableDef();   // VLREC: incoming faxes
const FaxTableDef& PhoneBookTableDef();  // VLPB: phone book

// The condition every tag carries, and the phone book's filter.
inline constexpr std::string_view kNotDeletedCondition = ".not. deleted()";
// The fax lists' filter at start, and after archived faxes are hidden again.
inline constexpr std::string_view kHideArchivedAtStart = ".not. archived";
inline constexpr std::string_view kHideArchivedAgain = ".not. ARCHIVED";

}  // namespace vl::store
