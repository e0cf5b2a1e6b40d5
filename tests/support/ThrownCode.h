// The code a component's call throws, for tests of the exception family.
#pragma once

#include <exception>
#include <functional>

#include "base/Exceptions.h"

namespace vl::test {

// 0 when the call returns normally.
inline int ThrownCode(const std::function<void()>& call) {
    try {
        call();
    } catch (...) {
        return base::ExceptionCode(std::current_exception());
    }
    return 0;
}

}  // namespace vl::test
