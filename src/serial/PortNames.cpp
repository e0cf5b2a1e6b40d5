#include "serial/PortNames.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "base/IniFile.h"
#include "base/TextCase.h"
#include "serial/VlComPort.h"

namespace vl::serial {

namespace {

constexpr std::array<const char*, 6> kDefaultDevices = {"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyS0",
                                                       "/dev/ttyS1",   "/dev/ttyACM1", "/dev/ttyUSB1"};

}  // namespace

std::string_view ComKey(int comNumber) {
    static const std::array<std::string, kMaxComNumber> keys = [] {
        std::array<std::string, kMaxComNumber> all;
        for (int n = 1; n <= kMaxComNumber; ++n) all[static_cast<std::size_t>(n - 1)] = "COM" + std::to_string(n);
        return all;
    }();
    if (comNumber < 1 || comNumber > kMaxComNumber) return {};
    return keys[static_cast<std::size_t>(comNumber - 1)];
}

std::string DevicePathForCom(int comNumber, const base::IniFile& ini) {
    if (comNumber < 1 || comNumber > kMaxComNumber) return {};
    const char* fallback =
        static_cast<std::size_t>(comNumber) <= kDefaultDevices.size() ? kDefaultDevices[static_cast<std::size_t>(comNumber - 1)] : "";
    return ini.ReadString(kPortsSection, ComKey(comNumber), fallback);
}

std::string DevicePathForCom(int comNumber, const std::string& iniFile) {
    if (comNumber < 1 || comNumber > kMaxComNumber) return {};
    return DevicePathForCom(comNumber, base::IniFile::Load(iniFile));
}

std::string DevicePathForPortName(const std::string& name, const std::string& iniFile) {
    if (!name.empty() && name.front() == '/') return name;
    std::string_view digits = name;
    if (digits.size() > 3 && base::EqualsNoCase(digits.substr(0, 3), "COM")) digits.remove_prefix(3);
    int number = 0;
    const auto [rest, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || rest != digits.data() + digits.size()) return {};
    return DevicePathForCom(number, iniFile);
}

std::string PortLabel(int comNumber, const std::string& device) {
    if (comNumber <= 0 && !device.empty()) return device;
    return "COM" + std::to_string(comNumber) + " (" + (device.empty() ? std::string("no device") : device) + ")";
}

std::string ComPortLabel(int comNumber, const std::string& iniFile) {
    return PortLabel(comNumber, DevicePathForCom(comNumber, iniFile));
}

std::string PortLabel(const VlComPort& port) { return PortLabel(port.ComNumber(), port.PortDevice()); }

}  // namespace vl::serial
