#include "serial/PortProbe.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "base/ErrorCodes.h"
#include "serial/DeviceHolders.h"
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
    const std::vector<DeviceHolder> holders = DeviceHolders("/proc/", {RealPath(devicePath)});
    if (holders.empty()) return std::nullopt;
    return LockOwner{holders.front().pid, holders.front().program};
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
