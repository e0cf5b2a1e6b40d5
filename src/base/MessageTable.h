// The program's numbered message table: texts for error codes (looked up by
// absolute value) and the fax progress texts.
#pragma once

#include <cstddef>
#include <string>

#include "base/StringTable.h"

namespace vl::base {

// The compiled-in message table.
const StringTable& MessageTable();

// The text for a code, by its absolute value, cut to fit a buffer of bufferSize
// bytes including its terminator. A code the table lacks falls back to the
// system's text for that number with control characters made blanks; when the
// system has no text either, the result is empty.
std::string ErrorText(int code, std::size_t bufferSize = 1024);

// The status text of a fax progress code (4801 to 4843), cut to fit the 80-byte
// buffer of the status displays; empty for any other code.
std::string ProgressText(int code);

}  // namespace vl::base
