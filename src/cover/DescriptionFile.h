// The description file of a cover template: its first line is the text the
// template pickers and the designer's title bar show.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vl::cover {

// The first line, without its line end (LF, CR LF or CR). A missing file is
// no description: 0 and nothing. Other failures give a negative I/O code, or
// ecFaxBadFormat for a file too large to be a description.
int ReadDescription(const std::string& path, std::optional<std::string>& description);

// Replaces the file with the one line. Returns 0 or a negative I/O code.
int WriteDescription(const std::string& path, std::string_view description);

}  // namespace vl::cover
