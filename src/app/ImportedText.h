// Text files that other programs wrote, as UTF-8: address book exports come
// in UTF-8 with or without a byte order mark, in UTF-16 with one, or in the
// Windows code page of older programs.
#pragma once

#include <string>
#include <string_view>

namespace vl::app {

// The bytes as UTF-8 without a byte order mark: UTF-16 (either byte order)
// when its mark is there, else UTF-8 when every sequence is valid, else
// Windows-1252.
std::string ImportedText(std::string_view bytes);

}  // namespace vl::app
