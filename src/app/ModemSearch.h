// Finding the modem: COM1 to COM6 are opened in turn and asked for "OK", one
// line per port tells what was found, and a summary suggests the port to use.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vl::serial {
class VlComPort;
}

namespace vl::app {

class ModemSearch {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 6;

    // A port's line changed: "Com n (device): TESTING" while it is tested
    // (`final` false), then the line with its outcome (`final` true).
    using LineEvent = std::function<void(int comNumber, const std::string& line, bool final)>;

    // `resetString` is the second try of CheckModem (the settings' reset
    // string). The port goes by COM numbers (it names no device path) and
    // must outlive the search.
    ModemSearch(serial::VlComPort& port, std::string resetString);

    LineEvent OnLine;
    // The /proc tree (ending in "/") where the programs holding a port are
    // looked up.
    void SetProcFolder(std::string folder) { procFolder_ = std::move(folder); }

    // Tests the ports in order and puts the port's COM number back as it
    // was. The first port with a modem, or -1. Raises nothing.
    int Run();

    // The final lines so far, one per port tested.
    const std::vector<std::string>& Lines() const { return lines_; }
    int FoundPort() const { return foundPort_; }
    // Some port was held by another program (or already open).
    bool PortBusy() const { return portBusy_; }
    std::string Summary() const;

private:
    // What testing port n found; `stop` is set when the search cannot go on.
    std::string Outcome(int comNumber, bool& stop);
    std::string CommErrorOutcome(int code);
    void CloseQuietly();
    std::string LineStart(int comNumber) const;
    std::string HolderNote(int comNumber) const;

    serial::VlComPort& port_;
    std::string resetString_;
    std::string procFolder_ = "/proc/";
    std::vector<std::string> lines_;
    int foundPort_ = -1;
    bool portBusy_ = false;
};

}  // namespace vl::app
