// The index rebuild: packs the outgoing and incoming tables and the phone
// book and builds all their tags afresh, DATEND included, reporting what it
// does through callbacks so that a window or a terminal can show it.
#pragma once

#include <functional>
#include <string>

#include "store/Table.h"

namespace vl::store {

struct RebuildReport {
    std::function<void(const std::string& label)> label;  // may be empty
    std::function<void(int percent)> progress;             // 0..100; may be empty
};

// For the outgoing table, then the incoming table, then the phone book
// (opened exclusively here and closed again; left out when that fails):
// remembers the order, closes the indexes and deletes the index file,
// packs (label "Removing FAX file records marked for deletion", RECEIVE and
// PHONE for the others), builds every tag in order (label "Rebuilding FAX
// file indexes", ...), and selects the remembered order again (the phone
// book: NAME). The progress returns to 0 before each step. Filters are left
// as they were. Errors throw EStoreError.
void RebuildIndexes(Table& outgoing, Table& incoming, const std::string& programFolder, const RebuildReport& report);

}  // namespace vl::store
