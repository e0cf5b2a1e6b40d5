// A cover's object list built up in a test: each object is added blank and
// handed back to be set up.
#pragma once

#include <memory>

#include "cover/CoverObjects.h"

namespace vl::test {

template <typename T>
T& AddObject(cover::CoverObjects& objects) {
    objects.push_back(std::make_unique<T>());
    return static_cast<T&>(*objects.back());
}

}  // namespace vl::test
