// The string tables compiled into the program, in STR0 layout (see StringTable.h).
// Their sources are the lists in base/messages/; the build turns each into bytes.
#pragma once

#include <span>

namespace vl::base {

// The numbered message table: error texts by absolute code, fax progress texts.
std::span<const unsigned char> ErrorStringsResource();
// The messages of the string table reader itself.
std::span<const unsigned char> ReaderStringsResource();

}  // namespace vl::base
