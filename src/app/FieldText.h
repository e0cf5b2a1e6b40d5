// Text from the user or another program made fit for a table field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/Table.h"

namespace vl::app {

// The first characters of the UTF-8 text that fill the field's width; a
// character the table cannot store becomes "?", so the result always stores.
std::string FitToField(const store::Table& table, std::string_view field, std::string_view text);

// The first maxCharacters characters of the UTF-8 text, each one the tables
// cannot store made "?".
std::string StorableText(std::string_view text, size_t maxCharacters = SIZE_MAX);

// Text of unknown encoding: kept when it is UTF-8 the table can store, else
// read as Windows-1252 (every byte is a character there).
std::string TextFromOutside(std::string_view bytes);

}  // namespace vl::app
