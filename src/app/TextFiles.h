// Small plain text files from other programs and earlier runs: lines end in
// LF, CR LF or CR.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vl::app {

// The lines of the text without their line ends; a final line end does not
// start another line. At most maxLines lines are returned.
std::vector<std::string> SplitTextLines(std::string_view text, size_t maxLines = SIZE_MAX);

// The file's first maxBytes bytes; empty when it cannot be read.
std::string ReadFileStart(const std::string& path, size_t maxBytes);

}  // namespace vl::app
