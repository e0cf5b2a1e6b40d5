// vellora-cli ports: each COM number with a device, and whether it can be
// opened now.
#include <cstdio>
#include <string>

#include "app/ProgramFolders.h"
#include "base/MessageTable.h"
#include "cli/Commands.h"
#include "serial/PortNames.h"
#include "serial/PortProbe.h"
#include "serial/UucpLock.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "ports";

std::string StateText(const serial::PortProbe& probe) {
    switch (probe.state) {
        case serial::PortState::Available: return "available";
        case serial::PortState::Absent: return "absent";
        case serial::PortState::PermissionDenied: return "permission denied";
        case serial::PortState::InUse:
            if (!probe.holder) return "in use";
            return "in use by " + std::to_string(probe.holder->pid) + " " + probe.holder->program;
        case serial::PortState::Failed: break;
    }
    return base::ErrorText(probe.code);
}

}  // namespace

int RunPortsCommand(const Args& args) {
    if (!args.empty()) return BadInput(kGroup, "takes no arguments\nusage: vellora-cli ports");
    const std::string settings = app::SettingsFileName();
    const auto lockFolders = serial::LockFolders(app::ProgramFolder());
    for (int com = 1; com <= serial::kMaxComNumber; ++com) {
        const std::string device = serial::DevicePathForCom(com, settings);
        if (device.empty()) continue;
        const std::string state = StateText(serial::ProbeDevice(device, lockFolders));
        std::printf("COM%d\t%s\t%s\n", com, device.c_str(), state.c_str());
    }
    return kExitOk;
}

}  // namespace vl::cli
