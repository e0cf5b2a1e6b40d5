// Turns xBase expression text into a typed tree bound to a record layout.
#pragma once

#include <string>
#include <string_view>

#include "store/RecordLayout.h"
#include "store/XbaseExprNode.h"

namespace vl::store {

// Returns nullptr and sets error (naming the position) when source does not
// parse: unknown names, wrong argument counts or types, unbalanced
// parentheses, trailing text, type mismatches, nesting beyond a sane depth.
XNodePtr ParseXbase(std::string_view source, const RecordLayout& layout, std::string& error);

}  // namespace vl::store
