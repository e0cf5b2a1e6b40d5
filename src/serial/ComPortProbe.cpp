// Whether a COM number's device can be opened now.
#include <atomic>

#include "serial/PortNames.h"
#include "serial/PortProbe.h"
#include "serial/TermiosDevice.h"
#include "serial/VlComPort.h"

namespace vl::serial {

namespace {

// Off unless the program asks for ports in use to be listed too.
std::atomic<bool> showPortsInUse{false};

}  // namespace

bool VlComPort::ShowPortsInUse()
{
    return showPortsInUse.load();
}

void VlComPort::SetShowPortsInUse(bool show)
{
    showPortsInUse.store(show);
}

bool VlComPort::ProbePort(int comNumber, const std::string& iniFile)
{
    const std::string path = DevicePathForCom(comNumber, iniFile);
    if (path.empty())
        return false;
    const PortProbe probe = ProbeDevice(path, LockFolders({}));
    return probe.state == PortState::Available || (probe.state == PortState::InUse && ShowPortsInUse());
}

}  // namespace vl::serial
