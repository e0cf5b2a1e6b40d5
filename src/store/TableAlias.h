// Aliases of the tables open in this process.
#pragma once

#include <string>

namespace vl::store {

// The base name of the file cut to 8 characters, with "~", "-" and blank
// made "_"; when another open table has it (letter case aside), "_1", "_2",
// ... is added. The alias stays taken until released.
std::string ClaimAlias(const std::string& dbfPath);
void ReleaseAlias(const std::string& alias);

}  // namespace vl::store
