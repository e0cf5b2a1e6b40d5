// Arbitrary bytes as what a stranger sends to the program's local socket, cut
// into pieces at every NUL byte: never more activations or imports than
// "activate" or "import" lines, only absolute paths from "view" lines, and
// once refused, nothing more.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "app/InstanceRequests.h"

using vl::fuzz::Check;

namespace {

int CountLines(std::string_view bytes, std::string_view line) {
    int count = 0;
    for (size_t at = 0; (at = bytes.find(line, at)) != std::string_view::npos; ++at) ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    app::InstanceRequestReader reader;
    int activations = 0;
    int imports = 0;
    std::vector<std::string> views;
    bool refused = false;
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\0', start);
        if (end == std::string_view::npos) end = bytes.size();
        const auto result = reader.Feed(bytes.substr(start, end - start));
        if (refused) Check(result.refused && result.activations == 0 && result.imports == 0 && result.views.empty());
        refused = result.refused;
        activations += result.activations;
        imports += result.imports;
        views.insert(views.end(), result.views.begin(), result.views.end());
        start = end + 1;
    }
    std::string joined(bytes);
    std::erase(joined, '\0');
    Check(activations <= CountLines(joined, app::kActivateRequest));
    Check(imports <= CountLines(joined, app::kImportRequest));
    // Every path handed over was an absolute path on a "view" line of its own.
    for (const std::string& path : views)
        Check(!path.empty() && path.front() == '/' && path.find('\n') == std::string::npos &&
              joined.find("view " + path + "\n") != std::string::npos);
    return 0;
}
