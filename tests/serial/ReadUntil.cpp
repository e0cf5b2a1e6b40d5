#include "ReadUntil.h"

#include <cstdint>
#include <thread>

namespace vl::test {

std::string ReadUntil(serial::SerialDevice& device, std::size_t count, std::chrono::milliseconds timeout) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (got.size() < count && std::chrono::steady_clock::now() < end) {
        std::uint8_t buffer[256];
        const int n = device.Read(buffer);
        if (n > 0) {
            got.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return got;
}

}  // namespace vl::test
