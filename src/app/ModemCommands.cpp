#include "app/ModemCommands.h"

#include <chrono>
#include <thread>

#include "app/ProgramFolders.h"
#include "base/Exceptions.h"
#include "base/MessageTable.h"
#include "base/MessageWindow.h"
#include "base/PlainText.h"
#include "base/TextCase.h"
#include "serial/PortNames.h"
#include "serial/VlComPort.h"
#include "serial/VlLinuxDispatcher.h"

namespace vl::app {

namespace {

// The pause before the first command, so the modem settles after the open.
constexpr base::Tick kSettleTicks = 12;
constexpr std::chrono::milliseconds kSettlePoll{5};

int lastPortError = -1;

const std::string kCrLf = "\r\n";

std::string OpenFailureText(int code, const std::string& portName)
{
    if (code == base::ecPortInUse || code == base::ecPortAlreadyOpen)
        return "The communications port is in use ( " + portName + " )" + kCrLf + kCrLf +
               "Please make sure that all communication " + "programs (internet, AOL, etc) are closed, and then try " +
               "again.";
    const std::string unable = "Unable to open the specified communications port ( " + portName + " )";
    if (code == base::ecNoSuchPort)
        return unable;
    const std::string text = base::ErrorText(code);
    return unable + kCrLf + "Error message: " + (text.empty() ? "Unknown error" : text);
}

// Sends `command` and CR and waits for "OK"; exceptions pass through.
bool Exchange(serial::VlComPort& port, const std::string& command)
{
    port.SendText(command + "\r");
    return port.AwaitReply("OK", kModemReplyTicks, false, true);
}

bool ExchangeQuietly(serial::VlComPort& port, const std::string& command)
{
    try {
        return Exchange(port, command);
    } catch (...) {
        return false;
    }
}

void Settle(serial::VlComPort& port)
{
    base::EventTimer timer;
    base::NewTimer(timer, kSettleTicks);
    while (!base::TimerExpired(timer)) {
        port.Loop().Yield();
        std::this_thread::sleep_for(kSettlePoll);
    }
}

}  // namespace

int LastPortError()
{
    return lastPortError;
}

bool OpenPort(serial::VlComPort& port, std::string& message)
{
    message.clear();
    lastPortError = -1;
    try {
        port.SetOpen(true);
        return true;
    } catch (const base::EVlException& e) {
        lastPortError = e.ErrorCode();
        message = OpenFailureText(e.ErrorCode(), serial::PortLabel(port));
    } catch (const std::exception& e) {
        message = "Unable to open the specified communications port( " + serial::PortLabel(port) + " )" + kCrLf +
                  "Error message: " + e.what();
    }
    return false;
}

bool CheckModem(serial::VlComPort& port, const std::string& resetString)
{
    try {
        Settle(port);
    } catch (...) {
        return false;
    }
    if (ExchangeQuietly(port, "AT"))
        return true;
    const std::string reset = base::TrimBlanks(resetString);
    return !reset.empty() && ExchangeQuietly(port, reset);
}

std::string WithAtPrefix(const std::string& command)
{
    return base::ContainsNoCase(command, "AT") ? command : "AT" + command;
}

void UseProgramPorts(serial::VlComPort& port)
{
    port.SetPromptForPort(false);
    port.SetIniFile(SettingsFileName());
    port.SetDispatcherFactory(
        [](base::MessageLoop& loop) { return serial::MakeLinuxDispatcher(loop, ProgramFolder()); });
}

bool SendModemCommand(serial::VlComPort& port, const std::string& command)
{
    return ExchangeQuietly(port, WithAtPrefix(command));
}

bool ResetModem(serial::VlComPort& port)
{
    try {
        return Exchange(port, "AT&F");
    } catch (...) {
        ExchangeQuietly(port, "ATZ");
        return false;
    }
}

}  // namespace vl::app
