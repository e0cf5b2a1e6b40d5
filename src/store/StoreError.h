// The one exception the table engine throws: the message names the file and
// what went wrong with it.
#pragma once

#include <stdexcept>
#include <string>

namespace vl::store {

class EStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vl::store
