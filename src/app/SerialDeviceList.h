// The serial devices the system knows: the entries of /sys/class/tty that
// stand for a device, with what sysfs and /dev/serial/by-id say about them.
#pragma once

#include <string>
#include <vector>

namespace vl::app {

struct SerialDeviceInfo {
    std::string path;          // "/dev/ttyUSB0"
    std::string driver;        // "ftdi_sio", "cdc_acm", "serial8250"
    std::string manufacturer;  // USB devices only, as the device names itself
    std::string product;
    std::string usbId;         // "0572:1340"
    std::string byId;          // "/dev/serial/by-id/usb-..." or empty
};

// Every such device under `rootFolder` ("" for this system), by name. A
// UART port with no chip behind it (type 0) is left out.
std::vector<SerialDeviceInfo> SerialDevices(const std::string& rootFolder);

// Whether this user may read and write the device under `rootFolder`.
bool DeviceAccessible(const std::string& rootFolder, const std::string& devicePath);

// The group the device file belongs to ("dialout" on most systems); "dialout"
// when it cannot be told.
std::string DeviceGroup(const std::string& rootFolder, const std::string& devicePath);

// The path of a device as the processes that open it see it: symbolic links
// under `rootFolder` followed, the root taken off again.
std::string SystemDevicePath(const std::string& rootFolder, const std::string& devicePath);

}  // namespace vl::app
