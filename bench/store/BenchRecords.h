// Outgoing fax records for the store benchmark: varied subjects, recipients
// and dates, a tenth never sent, a fifth archived. The same records go to
// both stores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vl::bench {

struct OutRecord {
    std::string subject;
    std::string dateSent;  // "yyyymmdd", "" when never sent
    std::string timeSent;  // "hh:mm", "" when never sent
    std::string recipient;
    std::string phone;
    std::string lastResult;
    std::string faxDoc;
    std::string faxCover;
    std::string notes;
    std::string codes;
    bool archived = false;
};

// Deterministic for a given count.
std::vector<OutRecord> MakeOutRecords(uint32_t count);

}  // namespace vl::bench
