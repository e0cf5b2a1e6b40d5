#include "serial/PortProbe.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/ErrorCodes.h"
#include "serial/TermiosDevice.h"

namespace vl::serial {

namespace {

std::string RealPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    return error ? path : real.string();
}

}  // namespace

std::optional<LockOwner> DeviceUser(const std::string& devicePath) {
    const std::string device = RealPath(devicePath);
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = process.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code fdError;
        for (const auto& fd : std::filesystem::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            if (std::filesystem::read_symlink(fd.path(), linkError).string() == device) {
                const auto pid = static_cast<pid_t>(std::atoi(name.c_str()));
                return LockOwner{pid, ProcessName(pid)};
            }
        }
    }
    return std::nullopt;
}

PortProbe ProbeDevice(const std::string& devicePath, const std::vector<std::string>& lockFolders) {
    PortProbe probe;
    TermiosDevice device(lockFolders);
    probe.code = device.Open(devicePath);
    device.Close();
    switch (probe.code) {
        case 0: probe.state = PortState::Available; break;
        case base::ecFileNotFound: probe.state = PortState::Absent; break;
        case base::ecPermissionDenied: probe.state = PortState::PermissionDenied; break;
        case base::ecPortInUse:
            probe.state = PortState::InUse;
            probe.holder = LockHolder(RealPath(devicePath), lockFolders);
            if (!probe.holder) probe.holder = DeviceUser(devicePath);
            break;
        default: probe.state = PortState::Failed; break;
    }
    return probe;
}

}  // namespace vl::serial
