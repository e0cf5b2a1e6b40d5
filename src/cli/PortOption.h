// The --port value of the commands that use the modem: a device path, or a
// COM number mapped to a device by the settings.
#pragma once

#include <string>

namespace vl::serial {
class VlComPort;
}

namespace vl::cli {

// Points the port at `name` ("/dev/..." as given; "COMn" or n through the
// settings file) with the data folder's dispatcher, never prompting. False
// when the name is neither.
bool ConfigurePort(serial::VlComPort& port, const std::string& name);
// The number of "COMn" (any letter case) or a bare n, 1..50; false for
// anything else.
bool ParseComName(const std::string& name, int& number);

}  // namespace vl::cli
