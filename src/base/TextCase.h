// Letter-case helpers for names the program matches without regard to case
// (INI sections and keys, file names). Only ASCII letters fold: the names in
// question are ASCII, and folding bytes of other encodings would corrupt them.
#pragma once

#include <string>
#include <string_view>

namespace vl::base {

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);
bool ContainsNoCase(std::string_view text, std::string_view part);

}  // namespace vl::base
