// Whether a COM number's device can be opened now.
#include <atomic>

#include "base/ErrorCodes.h"
#include "serial/PortNames.h"
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
    const std::unique_ptr<SerialDevice> device = MakeTermiosDevice();
    const int rc = device->Open(path);
    if (rc == 0) {
        device->Close();
        return true;
    }
    return rc == base::ecPortInUse && ShowPortsInUse();
}

}  // namespace vl::serial
