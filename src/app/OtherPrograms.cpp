#include "app/OtherPrograms.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <tuple>

#include "base/TextCase.h"
#include "serial/DeviceHolders.h"
#include "serial/UucpLock.h"

namespace vl::app {

namespace {

constexpr std::array<std::string_view, 4> kModemTakers = {kModemManager, "mgetty", "efax", "minicom"};

bool Ours(const std::string& program) { return base::ContainsNoCase(program, "vellora"); }

}  // namespace

std::vector<OtherProgram> OtherPrograms(const std::string& procFolder, const std::vector<std::string>& devices) {
    std::vector<OtherProgram> programs;
    for (serial::DeviceHolder& holder : serial::DeviceHolders(procFolder, devices))
        if (!Ours(holder.program)) programs.push_back({holder.pid, std::move(holder.program), std::move(holder.device)});
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator(procFolder, error)) {
        const std::string name = process.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        const auto pid = static_cast<pid_t>(std::atoi(name.c_str()));
        const std::string program = serial::ProcessName(pid, procFolder);
        if (std::find(kModemTakers.begin(), kModemTakers.end(), program) == kModemTakers.end()) continue;
        const bool listed = std::any_of(programs.begin(), programs.end(), [&](const OtherProgram& p) { return p.pid == pid; });
        if (!listed) programs.push_back({pid, program, {}});
    }
    std::sort(programs.begin(), programs.end(), [](const OtherProgram& a, const OtherProgram& b) {
        return std::tie(a.program, a.pid, a.device) < std::tie(b.program, b.pid, b.device);
    });
    return programs;
}

bool ModemManagerRunning(const std::vector<OtherProgram>& programs) {
    return std::any_of(programs.begin(), programs.end(), [](const OtherProgram& p) { return p.program == kModemManager; });
}

std::string ModemManagerIgnoreRule(const SerialDeviceInfo& device) {
    const std::size_t colon = device.usbId.find(':');
    if (colon != std::string::npos && colon > 0 && colon + 1 < device.usbId.size())
        return "ACTION==\"add|change\", ATTRS{idVendor}==\"" + device.usbId.substr(0, colon) +
               "\", ATTRS{idProduct}==\"" + device.usbId.substr(colon + 1) + "\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"";
    const std::string name = device.path.substr(device.path.find_last_of('/') + 1);
    return "ACTION==\"add|change\", KERNEL==\"" + name + "\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"";
}

}  // namespace vl::app
