#include "app/ModemSearch.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "app/ComLabel.h"
#include "app/ModemCommands.h"
#include "app/OtherPrograms.h"
#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "base/MessageTable.h"
#include "serial/DeviceHolders.h"
#include "serial/PortNames.h"
#include "serial/VlComPort.h"

namespace vl::app {

ModemSearch::ModemSearch(serial::VlComPort& port, std::string resetString)
    : port_(port), resetString_(std::move(resetString))
{
}

int ModemSearch::Run()
{
    const int selectedPort = port_.ComNumber();
    lines_.clear();
    foundPort_ = -1;
    portBusy_ = false;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (OnLine)
            OnLine(n, LineStart(n) + "TESTING", false);
        bool stop = false;
        const std::string outcome = Outcome(n, stop);
        lines_.push_back(LineStart(n) + outcome + HolderNote(n));
        if (OnLine)
            OnLine(n, lines_.back(), true);
        if (stop)
            break;
    }
    port_.SetComNumber(selectedPort);
    return foundPort_;
}

std::string ModemSearch::Outcome(int comNumber, bool& stop)
{
    try {
        port_.SetComNumber(comNumber);
        port_.SetOpen(true);
        const bool modem = port_.Open() && CheckModem(port_, resetString_);
        port_.SetOpen(false);
        if (!modem)
            return "Unknown";
        if (foundPort_ < 0)
            foundPort_ = comNumber;
        return "MODEM";
    } catch (const base::EVlException& e) {
        CloseQuietly();
        return CommErrorOutcome(e.ErrorCode());
    } catch (...) {
        CloseQuietly();
        stop = true;
        return "Unknown Error";
    }
}

std::string ModemSearch::CommErrorOutcome(int code)
{
    if (code == base::ecPortAlreadyOpen || code == base::ecPortInUse) {
        portBusy_ = true;
        return "Port is already open (could be modem)";
    }
    if (code == base::ecNoSuchPort)
        return "Port does not exist";
    // A refused permission explains itself: its text tells how to join the group.
    const std::string text = base::ErrorText(code);
    return text.empty() ? "Unknown Error" : text;
}

void ModemSearch::CloseQuietly()
{
    try {
        port_.SetOpen(false);
    } catch (...) {
        // Nothing more to do for a port that will not even close.
    }
}

std::string ModemSearch::LineStart(int comNumber) const
{
    return ComLabel(comNumber, serial::DevicePathForCom(comNumber, port_.IniFile())) + ": ";
}

// Another program with the port open stands in the way of faxing even when
// the modem answered; ModemManager in particular keeps probing modems.
std::string ModemSearch::HolderNote(int comNumber) const
{
    const std::string device = serial::DevicePathForCom(comNumber, port_.IniFile());
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(device, error);
    // The program at the other end of a pseudo terminal (a simulated modem)
    // holds it by design.
    if (device.empty() || (!error && real.string().rfind("/dev/pts/", 0) == 0))
        return {};
    for (const serial::DeviceHolder& holder : serial::DeviceHolders(procFolder_, {error ? device : real.string()})) {
        if (holder.pid == getpid())
            continue;
        if (holder.program == kModemManager)
            return " - ModemManager has it open: a udev rule setting ID_MM_DEVICE_IGNORE keeps it off a fax modem "
                   "(Configuration Information shows the rule)";
        return " - " + (holder.program.empty() ? std::string("another program") : holder.program) + " (process " +
               std::to_string(holder.pid) + ") has it open";
    }
    return {};
}

std::string ModemSearch::Summary() const
{
    if (foundPort_ > 0) {
        const std::string m = std::to_string(foundPort_);
        return "A modem was found on Com Port " + m + ". " + "We suggest setting the Port as Com " + m + ".";
    }
    if (portBusy_)
        return "No modem found. Please make sure that all communication programs (internet, AOL, etc) are "
               "closed, and then try again. If you know which Com port your modem uses, you can also just set "
               "the Port to that setting";
    return "No modem found. If you know which Com port your modem uses, you can also just set the Port to that "
           "setting. Please note that Velloradoes not work with CABLE, DSL or ISDN connections.";
}

}  // namespace vl::app
