// Reading a whole file into memory, for the readers that parse from a buffer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vl::base {

// Fills data with the file's bytes. Returns 0, the negative I/O code of a
// failed open, seek or read, or tooLargeCode when the file holds more than
// maxSize bytes (nothing is read then).
int ReadFileBytes(const std::string& name, std::vector<std::uint8_t>& data, long maxSize, int tooLargeCode);

}  // namespace vl::base
