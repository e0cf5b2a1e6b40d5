// Small clean-ups of texts that the program shows or compares: blanks
// trimmed, and Windows line ends made Linux ones.
#pragma once

#include <string>
#include <string_view>

namespace vl::base {

// Without the control characters and blanks at either end.
std::string TrimBlanks(std::string_view text);

// Every CR LF becomes LF (the port's and the engine's texts use CR LF).
std::string LinuxLines(std::string text);

}  // namespace vl::base
