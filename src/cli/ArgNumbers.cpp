#include "cli/ArgNumbers.h"

namespace vl::cli {

bool ParseNumber(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int parsed = std::stoi(text);
    if (parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace vl::cli
