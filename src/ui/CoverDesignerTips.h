// The designer's "Quick tips": how to place, pick, move and fill in objects.
#pragma once

#include <string>

namespace vl::ui {

const std::string& CoverDesignerTips();

}  // namespace vl::ui
