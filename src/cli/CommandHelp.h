// One command's part of the usage text, for "vellora-cli COMMAND --help".
#pragma once

#include <string>
#include <string_view>

namespace vl::cli {

// The entries of `usage` for the command (lines indented by two blanks that
// start with its name, each with the deeper-indented lines after it), under
// a usage line; empty when the usage names no such command.
std::string CommandHelp(std::string_view usage, std::string_view command);

}  // namespace vl::cli
