// The report's blocks about the machine: the system, memory, locale, the
// serial devices and the other programs that may hold them.
#include <langinfo.h>
#include <locale.h>
#include <sys/utsname.h>

#include <cstdlib>
#include <filesystem>

#include "app/ConfigurationReport.h"
#include "app/OtherPrograms.h"
#include "app/Settings.h"
#include "app/SystemFacts.h"
#include "app/TextFiles.h"
#include "base/PlainText.h"
#include "base/ShortTimeFormat.h"
#include "serial/PortNames.h"

namespace vl::app {

namespace {

// System files read for the report are small; more than this is not one.
constexpr std::size_t kSystemFileBytes = 1 << 20;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The locale the user's messages follow.
std::string UserLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (std::string value = Environment(name); !value.empty()) return value;
    return "C";
}

// "en" of "en_US.UTF-8@euro", and "US".
std::string LanguageCode(const std::string& locale) { return locale.substr(0, locale.find_first_of("_.@")); }
std::string CountryCode(const std::string& locale) {
    const std::size_t underscore = locale.find('_');
    if (underscore == std::string::npos) return "";
    return locale.substr(underscore + 1, locale.find_first_of(".@", underscore) - underscore - 1);
}

// "English (en_US.UTF-8)" where the locale is installed, else the code.
std::string LanguageName(const std::string& locale) {
    std::string name = LanguageCode(locale);
    if (locale_t loc = newlocale(LC_IDENTIFICATION_MASK, locale.c_str(), static_cast<locale_t>(nullptr))) {
        const char* language = nl_langinfo_l(_NL_IDENTIFICATION_LANGUAGE, loc);
        if (language != nullptr && *language != '\0') name = language;
        freelocale(loc);
    }
    return name + " (" + locale + ")";
}

std::string DialoutAdvice(const std::string& group) {
    return "no access for you; members of group \"" + group + "\" may use it: join with \"sudo usermod -aG " + group +
           " $USER\", then log in again";
}

}  // namespace

std::string ConfigurationReport::SystemFile(std::string_view path) const {
    return base::TrimBlanks(ReadFileStart(sources_.rootFolder + std::string(path), kSystemFileBytes));
}

long long ConfigurationReport::ColorCount(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        case 15: return 32768;
        case 16: return 65535;
        case 24:
        case 32: return 16777216;
        default: return bitsPerPixel;
    }
}

void ConfigurationReport::AddEnvironment() {
    Add("[Environment]");
    std::string release = OsReleaseName(SystemFile("/etc/os-release"));
    if (release.empty()) release = OsReleaseName(SystemFile("/usr/lib/os-release"));
    utsname names{};
    uname(&names);
    std::string kernel = SystemFile("/proc/sys/kernel/ostype") + " " + SystemFile("/proc/sys/kernel/osrelease");
    if (kernel == " ") kernel = std::string(names.sysname) + " " + names.release;
    Add("System:      ", (release.empty() ? "" : release + " ") + "(" + kernel + ")");
    Add("CPU:         ", "Processor:  " + std::string(names.machine) + " " + CpuModelName(SystemFile("/proc/cpuinfo")));
    Guarded(&ConfigurationReport::AddScreen);
    Guarded(&ConfigurationReport::AddMemory);
    Guarded(&ConfigurationReport::AddLocale);
}

void ConfigurationReport::AddScreen() {
    if (!sources_.screen) return;
    const ScreenFacts& screen = *sources_.screen;
    const long long colors = ColorCount(screen.bitsPerPixel);
    Add("Video:       ", std::to_string(screen.width) + " x " + std::to_string(screen.height) + " x " +
                             (colors < 0 ? std::to_string(colors) : GroupedNumber(static_cast<std::uint64_t>(colors))) +
                             " colors");
    Add("Font:        ", screen.dotsPerInch == 96    ? "Small Fonts in use"
                         : screen.dotsPerInch == 120 ? "Large Fonts in use"
                                                     : "Custom font size in use");
}

void ConfigurationReport::AddMemory() {
    const MemoryFacts memory = ParseMemInfo(SystemFile("/proc/meminfo"));
    if (memory.total == 0) return;
    const auto totalAndAvailable = [](std::uint64_t total, std::uint64_t available) {
        return "Total: " + GroupedNumber(total) + ";    Available: " + GroupedNumber(available);
    };
    Add("Memory Load: ", std::to_string(memory.Load()));
    Add("Phys Memory: ", totalAndAvailable(memory.total, memory.available));
    Add("Page File:   ", totalAndAvailable(memory.swapTotal, memory.swapFree));
    Add("Virt Memory: ", totalAndAvailable(memory.commitLimit,
                                           memory.commitLimit > memory.committed ? memory.commitLimit - memory.committed : 0));
}

void ConfigurationReport::AddLocale() {
    const std::string user = UserLocale();
    std::string systemLocale = ShellAssignment(SystemFile("/etc/default/locale"), "LANG");
    if (systemLocale.empty()) systemLocale = ShellAssignment(SystemFile("/etc/locale.conf"), "LANG");
    if (systemLocale.empty()) systemLocale = "C";
    Add("Language:    ", "User: " + LanguageName(user) + ";    System: " + LanguageName(systemLocale));
    Add("Country:     ", "User: " + CountryCode(user) + ";    System: " + CountryCode(systemLocale));
    Add("Date Format: ", "Short: " + std::string(nl_langinfo(D_FMT)) + ";    Long: " + base::kLongDatePattern);
    Add("Time Format: ", "Short: " + base::ShortTimeFormat() + ";    Long: " + nl_langinfo(T_FMT));
}

void ConfigurationReport::AddSerialDevices() {
    Add("");
    Add("[Serial Devices]");
    Add("");
    devices_ = SerialDevices(sources_.rootFolder);
    if (devices_.empty()) Add("(none found)");
    for (const SerialDeviceInfo& device : devices_) {
        if (&device != &devices_.front()) Add("");
        int com = 0;
        for (int n = 1; n <= serial::kMaxComNumber && com == 0; ++n) {
            const std::string mapped = serial::DevicePathForCom(n, ini_);
            if (!mapped.empty() && SystemDevicePath(sources_.rootFolder, mapped) == device.path) com = n;
        }
        Add("Port:                 ", serial::PortLabel(com, device.path));
        if (!device.driver.empty()) Add("Driver:               ", device.driver);
        if (!device.usbId.empty()) {
            Add("Manufacturer:         ", device.manufacturer);
            Add("Model:                ", device.product);
            Add("USB ID:               ", device.usbId);
        }
        if (!device.byId.empty()) Add("By ID:                ", device.byId);
        if (!DeviceAccessible(sources_.rootFolder, device.path))
            Add("Access:               ", DialoutAdvice(DeviceGroup(sources_.rootFolder, device.path)));
    }
}

void ConfigurationReport::AddComPorts() {
    Add("");
    Add("[COM Ports]");
    Add("");
    for (int com = 1; com <= serial::kMaxComNumber; ++com) {
        const std::string device = serial::DevicePathForCom(com, ini_);
        if (device.empty()) continue;
        std::error_code error;
        const bool present = std::filesystem::exists(sources_.rootFolder + device, error);
        Add(serial::PortLabel(com, device),
            !present                                           ? "not present"
            : DeviceAccessible(sources_.rootFolder, device) ? "present"
                                                            : "present, " + DialoutAdvice(DeviceGroup(sources_.rootFolder, device)));
    }
}

void ConfigurationReport::AddOtherPrograms() {
    Add("");
    Add("[Other Programs Using Serial Devices]");
    Add("");
    std::vector<std::string> devices;
    for (const SerialDeviceInfo& device : devices_) devices.push_back(device.path);
    for (int com = 1; com <= serial::kMaxComNumber; ++com)
        if (const std::string mapped = serial::DevicePathForCom(com, ini_); !mapped.empty())
            devices.push_back(SystemDevicePath(sources_.rootFolder, mapped));
    const std::vector<OtherProgram> programs = OtherPrograms(sources_.rootFolder + "/proc/", devices);
    for (const OtherProgram& program : programs)
        Add(program.program + "  (" + std::to_string(program.pid) + ")" +
            (program.device.empty() ? "" : " holds " + program.device));
    if (!ModemManagerRunning(programs)) return;
    Add("");
    Add("ModemManager probes serial devices and may take a fax modem away from Vellora.");
    Add("To make it leave the modem alone, put this rule into a file such as");
    Add("/etc/udev/rules.d/99-vellora-fax-modem.rules, run \"sudo udevadm control --reload\"");
    Add("and plug the modem in again (or restart the computer):");
    std::vector<SerialDeviceInfo> modems = devices_;
    if (modems.empty()) {
        Settings settings;
        ReadSettings(ini_, settings);
        SerialDeviceInfo configured;
        configured.path = SystemDevicePath(sources_.rootFolder, serial::DevicePathForCom(settings.ComPort + 1, ini_));
        if (configured.path.size() > 1) modems.push_back(configured);
    }
    for (const SerialDeviceInfo& modem : modems) Add(ModemManagerIgnoreRule(modem));
}

}  // namespace vl::app
