// Sending one request line to the first copy of Vellora for a data folder.
#pragma once

#include <string>
#include <string_view>

namespace vl::instance {

// Connects to the first copy's socket and writes `request` (a line of
// app/InstanceRequests.h), trying `tries` times a tenth of a second apart:
// a copy that has just taken its lock listens a moment later. True when
// the request was written.
bool SendInstanceRequest(const std::string& programFolder, std::string_view request, int tries = 1);

}  // namespace vl::instance
