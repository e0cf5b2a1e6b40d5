#include "session/SendSetup.h"

#include <cctype>

#include "base/PlainText.h"
#include "base/TextCase.h"
#include "serial/PortNames.h"

namespace vl::session {

namespace {

constexpr int kDefaultDialWait = 75;

const char* ClassText(int faxClass)
{
    switch (faxClass) {
    case 0: return "Autodetect";
    case 1: return "Class 1";
    case 2: return "Class 2";
    case 3: return "Class 2.0";
    default: return "unknown";
    }
}

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::vector<std::string> SetupSummary(const app::Settings& s, const std::string& iniFile)
{
    std::vector<std::string> lines{
        "Communications Port: " + serial::ComPortLabel(s.ComPort + 1, iniFile),
        std::string("Fax Class: ") + ClassText(s.FaxClass),
        "Transfer Rate: " + std::to_string(s.MaximumBPS),
        std::string("Dialing with: ") + (s.ToneOrPulse == 1 ? "Pulse" : "Tone"),
        "Modem Init String: " + s.InitString,
        "Modem Reset String: " + s.String,
        "Post Reset String: " + s.AfterString,
        "Station ID (Fax #): " + s.Fax,
        "Dial Attempts: " + std::to_string(s.DialAttempts),
        "Retry in: " + std::to_string(s.RetryWait) + " seconds",
    };
    if (s.BlindDial)
        lines.push_back("Blind Dial is ACTIVE");
    if (s.IgnoreBusy)
        lines.push_back("Ignore Busy is ACTIVE");
    if (s.ECM)
        lines.push_back("Using Error Correction");
    return lines;
}

int DialWaitFromInit(const std::string& initString)
{
    const std::string upper = base::UpperAscii(initString);
    const std::size_t at = upper.find("S7=");
    if (at == std::string::npos)
        return kDefaultDialWait;
    // "S7=" and at most three characters of its value.
    std::string setting = upper.substr(at, 6);
    while (!setting.empty() && !IsDigit(setting.back()))
        setting.pop_back();
    if (setting.size() < 4)
        return kDefaultDialWait;
    int value = 0;
    for (std::size_t i = 3; i < setting.size(); ++i) {
        if (!IsDigit(setting[i]))
            return kDefaultDialWait;
        value = value * 10 + (setting[i] - '0');
    }
    return value >= kDefaultDialWait ? value : kDefaultDialWait;
}

std::string BuildHeader(const std::string& name, const std::string& fax, const std::string& shortDate,
                        const std::string& shortTime)
{
    const std::string sender = base::TrimBlanks(name);
    const std::string station = base::TrimBlanks(fax);
    std::string header = "Sent";
    if (!sender.empty() || !station.empty())
        header += " by";
    // A "$" in the name would be read as a tag; "$F" shows the sender as
    // it is, since the engine does not read an inserted value again.
    if (!sender.empty())
        header += ": " + (sender.find('$') == std::string::npos ? sender : std::string("$F")) + "    ";
    if (!station.empty())
        header += "         $I          ";
    header += std::string(11, ' ') + shortDate + "    " + shortTime;
    header += "              Page $P of $N";
    return header;
}

}  // namespace vl::session
