// COM numbers and the device paths they stand for.
#pragma once

#include <string>

namespace vl::serial {

inline constexpr int kMaxComNumber = 50;

// The device of COM`comNumber`: the key "COMn" of section "Ports" in the INI
// file, else the built-in default (COM1 /dev/ttyACM0, COM2 /dev/ttyUSB0,
// COM3 /dev/ttyS0, COM4 /dev/ttyS1, COM5 /dev/ttyACM1, COM6 /dev/ttyUSB1).
// Empty when the number is outside 1..kMaxComNumber or has no device (an empty
// value in the file turns a default off).
std::string DevicePathForCom(int comNumber, const std::string& iniFile);

// A port as the user names it: an absolute device path is taken as it is,
// "COMn" (any letter case) or a bare number goes through DevicePathForCom.
// Empty when the name stands for no device.
std::string DevicePathForPortName(const std::string& name, const std::string& iniFile);

}  // namespace vl::serial
