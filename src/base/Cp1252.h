// Windows-1252, the character set of the table files and of text that older
// programs wrote, to and from UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vl::base {

// Plain ASCII reads the same in both.
bool IsAscii(std::string_view text);

// Every byte has a character: the five bytes the code page leaves undefined
// read as the C1 control characters of the same value, so text round-trips.
std::string Cp1252ToUtf8(std::string_view bytes);

// Text of unknown encoding: kept when it is valid UTF-8, else read as
// Windows-1252.
std::string Utf8OrCp1252(std::string_view bytes);

// Nothing when the text is not valid UTF-8 or holds a character the code
// page cannot store.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

}  // namespace vl::base
