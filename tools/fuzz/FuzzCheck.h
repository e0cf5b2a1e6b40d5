// A fuzz target's promise about what it read: a broken one stops the run at
// once, so libFuzzer keeps the input that broke it.
#pragma once

#include <cstdlib>

namespace vl::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace vl::fuzz
