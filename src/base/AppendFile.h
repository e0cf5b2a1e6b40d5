// Adding text to the end of a log file that is opened and closed for each
// entry, so that other programs can read or rotate it in between.
#pragma once

#include <string>
#include <string_view>

namespace vl::base {

// Appends the text, creating the file when it is missing. Returns 0 or the
// negated I/O code; what the file held before is never changed.
int AppendToFile(const std::string& name, std::string_view text);

}  // namespace vl::base
