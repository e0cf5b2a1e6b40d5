// The other programs that can stand in the way of the fax modem: those that
// hold a serial device open, and those known to take modems for themselves.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/SerialDeviceList.h"

namespace vl::app {

inline constexpr std::string_view kModemManager = "ModemManager";

struct OtherProgram {
    pid_t pid = 0;
    std::string program;
    std::string device;  // the device it holds open; empty when it holds none
};

// From `procFolder` (a /proc tree, ending in "/"): every process holding one
// of the devices, and every running ModemManager, mgetty, efax or minicom,
// whether it holds one or not. This program's own processes (any name
// holding "vellora") are left out. Sorted by program, process and device.
std::vector<OtherProgram> OtherPrograms(const std::string& procFolder, const std::vector<std::string>& devices);

bool ModemManagerRunning(const std::vector<OtherProgram>& programs);

// A udev rule that makes ModemManager leave the device alone: by USB vendor
// and product when the device has them, else by its kernel name.
std::string ModemManagerIgnoreRule(const SerialDeviceInfo& device);

}  // namespace vl::app
