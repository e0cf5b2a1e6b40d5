// Reading a print job's document whole, from a file or standard input.
#pragma once

#include <cstddef>
#include <string>

namespace vl::printfax {

// More than any sane fax; a larger job is refused rather than filling memory.
inline constexpr std::size_t kMaxJobBytes = std::size_t{256} << 20;

// The bytes of `input` ("-" for standard input) into `bytes`. Empty when
// read, else why not: the file cannot be read, or it holds more than
// maxBytes.
std::string ReadJobInput(const std::string& input, std::string& bytes, std::size_t maxBytes = kMaxJobBytes);

}  // namespace vl::printfax
