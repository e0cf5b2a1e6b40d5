// Whether a serial device can be opened now, and if not, why.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "serial/UucpLock.h"

namespace vl::serial {

enum class PortState { Available, Absent, InUse, PermissionDenied, Failed };

struct PortProbe {
    PortState state = PortState::Absent;
    int code = 0;                     // what the open answered
    std::optional<LockOwner> holder;  // for InUse, when the holder can be found
};

// Opens the device for a moment and closes it again. A port in use names its
// holder from a lock file in `lockFolders`, or else from the processes that
// have the device open.
PortProbe ProbeDevice(const std::string& devicePath, const std::vector<std::string>& lockFolders);

// The first process that has the device open, from /proc (only processes this
// user may look into).
std::optional<LockOwner> DeviceUser(const std::string& devicePath);

}  // namespace vl::serial
