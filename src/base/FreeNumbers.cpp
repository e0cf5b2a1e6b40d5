#include "base/FreeNumbers.h"

namespace vl::base {

std::optional<int> FirstFreeNumber(int first, int last, const std::function<bool(int)>& taken) {
    for (int number = first; number <= last; ++number) {
        if (!taken(number)) return number;
    }
    return std::nullopt;
}

}  // namespace vl::base
