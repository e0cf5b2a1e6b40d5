// spandsp's API; it needs libtiff's declarations first.
#pragma once

#include <tiffio.h>

#include <spandsp.h>

namespace vl::linesim {

// Sends spandsp's protocol log of `log` to stderr (used with --verbose).
void LogToStderr(logging_state_t* log, const char* tag);

}  // namespace vl::linesim
