// The characters of one text line: how its bytes are read, tab expansion and
// the encodings the renderers take.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vl::faxdoc {

// Code points of a line of a text file: valid UTF-8 (the usual Linux text) is
// decoded, any other line is taken as Latin-1.
std::u32string DecodeTextLine(std::string_view bytes);

// Tabs become spaces up to the next multiple of tabStop, columns counted from
// 0; a tab stop below 1 counts as 1. The result holds at most maxCharacters.
std::u32string ExpandTabs(std::u32string_view text, int tabStop, std::size_t maxCharacters);

// Latin-1 for the built-in font: code points above 255 become '?'.
std::string ToLatin1(std::u32string_view text);

// UTF-8 for system fonts; code points that no UTF-8 can carry become U+FFFD.
std::string ToUtf8(std::u32string_view text);

}  // namespace vl::faxdoc
