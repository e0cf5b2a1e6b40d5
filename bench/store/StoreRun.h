// One benchmark repetition on one store: the operations timed, in the order
// they run. Walks return what they read, so both stores can be compared and
// the reads cannot be optimised away.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BenchRecords.h"

namespace vl::bench {

struct WalkResult {
    uint64_t records = 0;
    uint64_t bytes = 0;  // length of the two fields read, summed
};

class StoreRun {
public:
    virtual ~StoreRun() = default;
    // Creates the table in the folder and adds every record.
    virtual void Append(const std::vector<OutRecord>& records) = 0;
    // Builds every index of the outgoing layout.
    virtual void BuildTags() = 0;
    virtual int TagCount() const = 0;
    // Every record in the order of tag number tag (0-based), reading
    // SUBJECT and RECIPIENT.
    virtual WalkResult Walk(int tag) = 0;
    // The records that are not archived, newest first.
    virtual WalkResult FilteredWalk() = 0;
    // Closes the table and opens it again with its indexes, then reads the
    // first record in DATESENT order.
    virtual WalkResult Reopen() = 0;
    // The index rebuild: the file rewritten without deleted records and
    // every index built afresh. Answers how often the progress reported
    // moved (0 where the store reports none).
    virtual int Rebuild() = 0;
    // Removes every tenth record for good, indexes kept up to date.
    virtual void DeleteTenthAndPack() = 0;
    virtual uint64_t Count() = 0;
};

std::unique_ptr<StoreRun> MakeEngineRun(const std::string& folder);
std::unique_ptr<StoreRun> MakeSqliteRun(const std::string& folder);

}  // namespace vl::bench
