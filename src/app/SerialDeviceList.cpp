#include "app/SerialDeviceList.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/TextFiles.h"
#include "base/PlainText.h"

namespace vl::app {

namespace fs = std::filesystem;

namespace {

// Attribute files are short; a longer one is not what it should be.
constexpr std::size_t kAttributeBytes = 256;

std::string Attribute(const fs::path& file) { return base::TrimBlanks(ReadFileStart(file.string(), kAttributeBytes)); }

std::string LinkName(const fs::path& link) {
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    return error ? std::string() : target.filename().string();
}

// The driver of the device folder; the serial core's own layers ("port",
// "ctrl") stand between a UART and its driver, so these are looked past.
std::string DriverName(const fs::path& deviceFolder) {
    fs::path folder = deviceFolder;
    for (int level = 0; level < 3 && folder.has_relative_path(); ++level, folder = folder.parent_path()) {
        const std::string driver = LinkName(folder / "driver");
        if (!driver.empty() && driver != "port" && driver != "ctrl") return driver;
    }
    return {};
}

// The USB device above the tty's device folder: the first folder upwards
// that has idVendor.
fs::path UsbDeviceFolder(const fs::path& deviceFolder) {
    for (fs::path folder = deviceFolder; folder.has_relative_path(); folder = folder.parent_path()) {
        std::error_code error;
        if (fs::exists(folder / "idVendor", error)) return folder;
    }
    return {};
}

std::string ByIdName(const std::string& rootFolder, const std::string& ttyName) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(rootFolder + "/dev/serial/by-id", error))
        if (LinkName(entry.path()) == ttyName) return "/dev/serial/by-id/" + entry.path().filename().string();
    return {};
}

}  // namespace

std::vector<SerialDeviceInfo> SerialDevices(const std::string& rootFolder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(rootFolder + "/sys/class/tty", error)) {
        std::error_code deviceError;
        if (fs::exists(entry.path() / "device", deviceError)) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::vector<SerialDeviceInfo> devices;
    for (const std::string& name : names) {
        const fs::path tty = fs::path(rootFolder + "/sys/class/tty") / name;
        SerialDeviceInfo info;
        info.path = "/dev/" + name;
        if (Attribute(tty / "type") == "0") continue;
        std::error_code canonicalError;
        const fs::path device = fs::canonical(tty / "device", canonicalError);
        if (canonicalError) continue;
        info.driver = DriverName(device);
        const fs::path usb = UsbDeviceFolder(device);
        if (!usb.empty()) {
            info.manufacturer = Attribute(usb / "manufacturer");
            info.product = Attribute(usb / "product");
            info.usbId = Attribute(usb / "idVendor") + ":" + Attribute(usb / "idProduct");
        }
        info.byId = ByIdName(rootFolder, name);
        devices.push_back(std::move(info));
    }
    return devices;
}

bool DeviceAccessible(const std::string& rootFolder, const std::string& devicePath) {
    return access((rootFolder + devicePath).c_str(), R_OK | W_OK) == 0;
}

std::string DeviceGroup(const std::string& rootFolder, const std::string& devicePath) {
    struct stat status {};
    if (stat((rootFolder + devicePath).c_str(), &status) != 0) return "dialout";
    group entry{};
    group* found = nullptr;
    char buffer[4096];
    if (getgrgid_r(status.st_gid, &entry, buffer, sizeof buffer, &found) != 0 || found == nullptr) return "dialout";
    return found->gr_name;
}

std::string SystemDevicePath(const std::string& rootFolder, const std::string& devicePath) {
    std::error_code error;
    const std::string real = fs::canonical(rootFolder + devicePath, error).string();
    if (error) return devicePath;
    const std::string root = rootFolder.empty() ? std::string() : fs::canonical(rootFolder, error).string();
    if (error || real.compare(0, root.size(), root) != 0) return devicePath;
    return real.substr(root.size());
}

}  // namespace vl::app
