#include "serial/DeviceHolders.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "serial/UucpLock.h"

namespace vl::serial {

std::vector<DeviceHolder> DeviceHolders(const std::string& procFolder, const std::vector<std::string>& devices) {
    std::vector<DeviceHolder> holders;
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator(procFolder, error)) {
        const std::string name = process.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        const auto pid = static_cast<pid_t>(std::atoi(name.c_str()));
        std::vector<std::string> open;
        std::error_code fdError;
        for (const auto& fd : std::filesystem::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            const std::string target = std::filesystem::read_symlink(fd.path(), linkError).string();
            if (linkError || std::find(devices.begin(), devices.end(), target) == devices.end()) continue;
            // A process may hold the same device on several descriptors.
            if (std::find(open.begin(), open.end(), target) == open.end()) open.push_back(target);
        }
        for (const std::string& device : open) holders.push_back({pid, ProcessName(pid, procFolder), device});
    }
    return holders;
}

}  // namespace vl::serial
