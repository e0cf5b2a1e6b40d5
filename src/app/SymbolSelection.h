// The rules of the symbol selector: how many columns its character grid
// has for a font size, and how its font button names the font.
#pragma once

#include <string>

#include "cover/FaxCoverSymbol.h"

namespace vl::app {

// The characters offered: every code a symbol may hold.
using cover::kFirstSymbolCode;
using cover::kLastSymbolCode;

// 14 columns up to 10 points, then 10, 8, 6, 4, 3 and 2 for sizes up to 20,
// 30, 40, 50, 60 and 72; one column above that (and below 6 points).
int SymbolColumns(int points);

// "Arial 10pt Bold Italic ": name, size and the styles that apply.
std::string FontButtonCaption(const std::string& name, int points, bool bold, bool italic);

}  // namespace vl::app
