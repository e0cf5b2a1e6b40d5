#include "serial/PortNames.h"

#include <array>
#include <charconv>
#include <string_view>

#include "base/IniFile.h"
#include "base/TextCase.h"

namespace vl::serial {

namespace {

constexpr std::array<const char*, 6> kDefaultDevices = {"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyS0",
                                                       "/dev/ttyS1",   "/dev/ttyACM1", "/dev/ttyUSB1"};

}  // namespace

std::string DevicePathForCom(int comNumber, const std::string& iniFile) {
    if (comNumber < 1 || comNumber > kMaxComNumber) return {};
    const char* fallback =
        static_cast<std::size_t>(comNumber) <= kDefaultDevices.size() ? kDefaultDevices[static_cast<std::size_t>(comNumber - 1)] : "";
    return base::IniFile::Load(iniFile).ReadString("Ports", "COM" + std::to_string(comNumber), fallback);
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

}  // namespace vl::serial
