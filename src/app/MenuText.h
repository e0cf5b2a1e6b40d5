// Text that must show in a menu entry as written: menus take "&" as the mark
// of the next letter's shortcut, so each one is doubled.
#pragma once

#include <string>
#include <string_view>

namespace vl::app {

std::string LiteralMenuText(std::string_view text);

}  // namespace vl::app
