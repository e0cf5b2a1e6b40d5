// Lock files are written by any program on the system: reading one must never
// crash whatever it holds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "serial/UucpLock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pid_t pid = vl::serial::ParseLockPid(std::string_view(reinterpret_cast<const char*>(data), size));
    if (pid != -1 && pid <= 0) __builtin_trap();
    return 0;
}
