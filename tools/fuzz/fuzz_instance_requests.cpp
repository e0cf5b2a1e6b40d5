// Arbitrary bytes as what a stranger sends to the program's local socket, cut
// into pieces at every NUL byte: never more activations than "activate" lines,
// and once refused, nothing more.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "app/InstanceRequests.h"

using vl::fuzz::Check;

namespace {

int CountActivateLines(std::string_view bytes) {
    int count = 0;
    for (size_t at = 0; (at = bytes.find(vl::app::kActivateRequest, at)) != std::string_view::npos; ++at) ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    app::InstanceRequestReader reader;
    int activations = 0;
    bool refused = false;
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\0', start);
        if (end == std::string_view::npos) end = bytes.size();
        const auto result = reader.Feed(bytes.substr(start, end - start));
        if (refused) Check(result.refused && result.activations == 0);
        refused = result.refused;
        activations += result.activations;
        start = end + 1;
    }
    std::string joined(bytes);
    std::erase(joined, '\0');
    Check(activations <= CountActivateLines(joined));
    return 0;
}
