// COM numbers and the device paths they stand for.
#pragma once

#include <string>
#include <string_view>

namespace vl::base {
class IniFile;
}

namespace vl::serial {

class VlComPort;

inline constexpr int kMaxComNumber = 50;
inline constexpr std::string_view kPortsSection = "Ports";

// The key of COM`comNumber` in section "Ports": "COM1" to "COM50", held for
// the life of the program; empty outside 1..kMaxComNumber.
std::string_view ComKey(int comNumber);

// The device of COM`comNumber`: the key "COMn" of section "Ports" in the INI
// file, else the built-in default (COM1 /dev/ttyACM0, COM2 /dev/ttyUSB0,
// COM3 /dev/ttyS0, COM4 /dev/ttyS1, COM5 /dev/ttyACM1, COM6 /dev/ttyUSB1).
// Empty when the number is outside 1..kMaxComNumber or has no device (an empty
// value in the file turns a default off).
std::string DevicePathForCom(int comNumber, const std::string& iniFile);
std::string DevicePathForCom(int comNumber, const base::IniFile& ini);

// A port as the user names it: an absolute device path is taken as it is,
// "COMn" (any letter case) or a bare number goes through DevicePathForCom.
// Empty when the name stands for no device.
std::string DevicePathForPortName(const std::string& name, const std::string& iniFile);

// How every text for the user names a port, so that the device can be
// checked at a glance: "COM3 (/dev/ttyS0)"; "COM9 (no device)" when the
// number maps to none; the device alone when it was given by its path
// without a number.
std::string PortLabel(int comNumber, const std::string& device);
// The label of COM`comNumber` as the INI file maps it.
std::string ComPortLabel(int comNumber, const std::string& iniFile);
// The label of the device the port opens.
std::string PortLabel(const VlComPort& port);

}  // namespace vl::serial
