// The processes that have serial devices open, found through the links in
// each process's fd folder under /proc.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vl::serial {

struct DeviceHolder {
    pid_t pid = 0;
    std::string program;  // from PID/comm; empty when unreadable
    std::string device;   // the device as given to DeviceHolders
};

// Every process in `procFolder` (a /proc tree, ending in "/") with one of the
// devices open, once per process and device, in the order the folder lists
// them. Only processes this user may look into are seen.
std::vector<DeviceHolder> DeviceHolders(const std::string& procFolder, const std::vector<std::string>& devices);

}  // namespace vl::serial
