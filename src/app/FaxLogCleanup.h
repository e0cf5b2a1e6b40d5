// Deleting faxes from the outgoing or the incoming table together with
// their files: the current one, or every one that a condition holds for.
//
// A fax's record is marked deleted before its files go, so that a write that
// fails never leaves a record naming files that are gone; the files' own
// removal may fail unnoticed (they may be gone already). Write errors throw
// store::EStoreError, after the table's order and position are back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/CleanupConditions.h"
#include "store/Table.h"

namespace vl::app {

class FaxLogCleanup {
public:
    explicit FaxLogCleanup(std::string programFolder);

    // The table's current fax: an outgoing fax's body, cover page and cover
    // data file in the send folder, an incoming fax's file in the receive
    // folder, and its record.
    void DeleteFax(store::Table& table, store::CleanupPage page);
    // The current fax; the record that followed it becomes current (none,
    // Eof, when it was the last).
    void DeleteCurrent(store::Table& table, store::CleanupPage page);
    // Every record the filter lets through, not yet marked deleted, for which
    // the condition holds, taken in natural order; returns how many went. A
    // blank condition deletes nothing and leaves the table alone. The order
    // and the current record are as before afterwards.
    int DeleteMatching(store::Table& table, store::CleanupPage page, const std::string& condition);
    // The record numbers DeleteMatching would delete, nothing changed.
    std::vector<uint32_t> Matching(store::Table& table, const std::string& condition);

    // Something was deleted since this object was made: the tables want an
    // index rebuild.
    bool DeletedAnything() const { return deletedAnything_; }

private:
    std::string programFolder_;
    bool deletedAnything_ = false;
};

}  // namespace vl::app
