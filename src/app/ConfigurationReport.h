// The configuration report for technical support: the machine, the serial
// devices, the settings, the other programs that may hold the modem, and the
// last send and receive logs, as lines of plain text. Built fresh each time.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SerialDeviceList.h"
#include "base/IniFile.h"

namespace vl::app {

inline constexpr std::string_view kReceiveLogCapMarker = "...maximum log lines copied...";
inline constexpr std::size_t kReceiveLogMaxLines = 101;

// What only the desktop program can tell about the screen.
struct ScreenFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int dotsPerInch = 96;
};

// Where the report reads from. Tests put a fake tree with proc/, sys/, etc/
// and dev/ folders under rootFolder.
struct ReportSources {
    std::string rootFolder;     // "" for this system
    std::string programFolder;  // ends in "/"
    std::string settingsFile;
    std::time_t now = 0;
    std::time_t buildTime = 0;
    std::optional<ScreenFacts> screen;

    // This system, the data folder, the present time and the running program
    // file's time as the build time.
    static ReportSources ThisSystem();
};

class ConfigurationReport {
public:
    explicit ConfigurationReport(const ReportSources& sources);

    const std::vector<std::string>& Lines() const { return lines_; }
    // Every line followed by a line feed.
    std::string Text() const;
    // Throws std::system_error when the file cannot be written.
    void SaveAs(const std::string& fileName) const;

    // "16 bits" as a colour count, as the report shows it: 2, 16, 256, 32768,
    // 65535 (sic, one short), 16777216 for 24 and 32; others unchanged.
    static long long ColorCount(int bitsPerPixel);

private:
    // A block that throws leaves out whatever it had added.
    void Guarded(void (ConfigurationReport::*block)());
    void Add(std::string line);
    void Add(std::string_view label, std::string_view value);
    void AddYesNo(std::string_view label, bool value);

    void AddDate();
    void AddProduct();
    void AddEnvironment();
    void AddScreen();
    void AddMemory();
    void AddLocale();
    void AddSerialDevices();
    void AddComPorts();
    void AddSettings();
    void AddOtherPrograms();
    void AddLogs();

    std::string SystemFile(std::string_view path) const;

    ReportSources sources_;
    base::IniFile ini_;
    std::vector<SerialDeviceInfo> devices_;
    std::vector<std::string> lines_;
};

}  // namespace vl::app
