// Arbitrary bytes as the system texts the configuration report reads
// (os-release, /proc/meminfo, /proc/cpuinfo, /etc/default/locale): every
// reader answers, and the memory load stays a share.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/SystemFacts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::app;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    OsReleaseName(text);
    CpuModelName(text);
    ShellAssignment(text, "LANG");
    const MemoryFacts memory = ParseMemInfo(text);
    const int load = memory.Load();
    if (load < 0 || load > 100) std::abort();
    GroupedNumber(memory.total);
    return 0;
}
