// The COM numbers a user can be offered for the port: those whose device is
// there, as a character device this user may read and write. Nothing is
// opened to find out, since opening a modem's port raises DTR and hangs up
// a call on it.
#pragma once

#include <string>
#include <vector>

namespace vl::serial {

// Whether `devicePath` (symbolic links followed) is a character device this
// user may read and write.
bool DeviceUsable(const std::string& devicePath);

struct AvailablePort {
    int comNumber = 0;
    std::string device;

    friend bool operator==(const AvailablePort&, const AvailablePort&) = default;
};

// COM1..COM50 in order, each with its device through `iniFile`'s section
// "Ports", left out when it has none or its device is not usable.
std::vector<AvailablePort> AvailablePorts(const std::string& iniFile);

}  // namespace vl::serial
