#include "app/ModemCommands.h"

#include <chrono>
#include <thread>

#include "base/Exceptions.h"
#include "base/MessageTable.h"
#include "base/MessageWindow.h"
#include "base/TextCase.h"
#include "serial/VlComPort.h"

namespace vl::app {

namespace {

// The pause before the first command, so the modem settles after the open.
constexpr base::Tick kSettleTicks = 12;
constexpr std::chrono::milliseconds kSettlePoll{5};

int lastPortError = -1;

const std::string kCrLf = "\r\n";

std::string TrimBlanks(const std::string& text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

std::string OpenFailureText(int code, int comNumber)
{
    const std::string number = std::to_string(comNumber);
    if (code == base::ecPortInUse || code == base::ecPortAlreadyOpen)
        return "The communications port is in use ( Com " + number + " )" + kCrLf + kCrLf +
               "Please make sure that all communication " + "programs (internet, AOL, etc) are closed, and then try " +
               "again.";
    const std::string unable = "Unable to open the specified communications port ( Com" + number + " )";
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
        port.Loop().ProcessPendingMessages();
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
        message = OpenFailureText(e.ErrorCode(), port.ComNumber());
    } catch (const std::exception& e) {
        message = "Unable to open the specified communications port( Com" + std::to_string(port.ComNumber()) + " )" +
                  kCrLf + "Error message: " + e.what();
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
    const std::string reset = TrimBlanks(resetString);
    return !reset.empty() && ExchangeQuietly(port, reset);
}

bool SendModemCommand(serial::VlComPort& port, const std::string& command)
{
    const bool hasAt = base::UpperAscii(command).find("AT") != std::string::npos;
    return ExchangeQuietly(port, hasAt ? command : "AT" + command);
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
