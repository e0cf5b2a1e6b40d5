// UTF-16LE to UTF-8 conversion and cutting UTF-8 text to a caller's buffer.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vl::base {

// Converts UTF-16LE bytes (an odd trailing byte is ignored) to UTF-8; an
// unpaired surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::span<const unsigned char> bytes);

// Cuts UTF-8 text so that it fits a buffer of bufferSize bytes that also holds a
// terminating zero: at most bufferSize - 1 bytes, never splitting a character.
std::string FitToBuffer(std::string_view text, std::size_t bufferSize);

}  // namespace vl::base
