// The names of the machines' states, which the dispatch log shows: the
// message table holds them, send states from tfNone, receive states from
// rfNone, in state order. The send machine's state table repeats its names
// beside each state's handler; a test keeps the two the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vl::fax {

inline constexpr std::uint32_t kFirstSendStateName = 15130;     // tfNone .. tfDone
inline constexpr std::uint32_t kFirstReceiveStateName = 15179;  // rfNone .. rfDone

// The `count` names from `firstId` on, indexed by state number.
std::vector<std::string> StateNamesFrom(std::uint32_t firstId, int count);

}  // namespace vl::fax
