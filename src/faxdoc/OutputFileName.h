// The name of a file made from another: a converted fax, an exported page.
#pragma once

#include <string>
#include <string_view>

namespace vl::faxdoc {

// The output name when one is given, with "." + extension added when it has
// none; else the input name with its extension replaced. Empty when both are
// empty.
std::string OutputFileName(const std::string& inputName, const std::string& outName, std::string_view extension);

}  // namespace vl::faxdoc
