// Whole numbers given on the command line.
#pragma once

#include <string>

namespace vl::cli {

// True when `text` is decimal digits only (no sign, no spaces) for a number
// from `low` to `high`.
bool ParseNumber(const std::string& text, int low, int high, int& value);

}  // namespace vl::cli
