#include "Waiting.h"

#include <cstdint>
#include <thread>

namespace vl::test {
namespace {

bool PollUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               const std::function<void()>& between) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        if (between) between();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return PollUntil(done, timeout, {});
}

bool PumpUntil(base::MessageLoop& loop, const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return PollUntil(done, timeout, [&loop] { loop.ProcessPendingMessages(); });
}

std::string ReadUntil(serial::SerialDevice& device, std::size_t count, std::chrono::milliseconds timeout) {
    std::string got;
    WaitUntil(
        [&] {
            std::uint8_t buffer[256];
            const int n = device.Read(buffer);
            if (n > 0) got.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
            return got.size() >= count;
        },
        timeout);
    return got;
}

}  // namespace vl::test
