#include "serial/AvailablePorts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "base/IniFile.h"
#include "serial/PortNames.h"

namespace vl::serial {

bool DeviceUsable(const std::string& devicePath)
{
    struct stat info {};
    return !devicePath.empty() && ::stat(devicePath.c_str(), &info) == 0 && S_ISCHR(info.st_mode) &&
           ::access(devicePath.c_str(), R_OK | W_OK) == 0;
}

std::vector<AvailablePort> AvailablePorts(const std::string& iniFile)
{
    const base::IniFile ini = base::IniFile::Load(iniFile);
    std::vector<AvailablePort> ports;
    for (int n = 1; n <= kMaxComNumber; ++n)
        if (std::string device = DevicePathForCom(n, ini); DeviceUsable(device))
            ports.push_back({n, std::move(device)});
    return ports;
}

}  // namespace vl::serial
