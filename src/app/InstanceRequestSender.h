// Sending a request line to the first copy of the program running on a
// data folder, over its single-instance socket.
#pragma once

#include <string>
#include <string_view>

namespace vl::app {

// Connects up to `tries` times, a tenth of a second apart, and writes
// `request`; false when no copy listened or the line was not all written.
bool SendInstanceRequest(const std::string& programFolder, std::string_view request, int tries);

}  // namespace vl::app
