// Finding the lowest number not yet used by a numbered file name.
#pragma once

#include <functional>
#include <optional>

namespace vl::base {

// The lowest number from `first` to `last` for which `taken` answers false,
// asking in rising order and stopping at the first free one; nothing when
// every number in the range is taken (or the range is empty).
std::optional<int> FirstFreeNumber(int first, int last, const std::function<bool(int)>& taken);

}  // namespace vl::base
