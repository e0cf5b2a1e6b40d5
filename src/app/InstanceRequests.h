// What a later copy of the program sends to the first over the local socket:
// one line per request, of which there is only "activate".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vl::app {

inline constexpr std::string_view kActivateRequest = "activate\n";
// A line this long (line feed included) is not from a copy of this program.
inline constexpr std::size_t kMaxRequestLine = 64;

// Collects the bytes of one connection as they arrive.
class InstanceRequestReader {
public:
    struct Result {
        int activations = 0;  // "activate" lines completed by these bytes
        bool refused = false;  // a line grew too long: drop the connection
    };

    // Once refused, a reader stays refused and counts nothing more.
    Result Feed(std::string_view bytes);

private:
    std::string pending_;
    bool refused_ = false;
};

}  // namespace vl::app
