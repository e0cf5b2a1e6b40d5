// Arbitrary bytes as a cover data file: it parses, its flags parse, and what
// it gives writes back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/CoverData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::app;
    const CoverData cover = ParseCoverData(std::string_view(reinterpret_cast<const char*>(data), size));
    const ImportanceFlags flags = ParseFlags(cover.flagsText);
    if (ParseFlags(FlagsText(flags)) != flags) std::abort();
    if (cover.templateName.find_first_of("/\\") != std::string::npos) std::abort();
    return 0;
}
