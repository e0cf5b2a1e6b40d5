#include "app/InitStringHelper.h"

#include <array>
#include <charconv>

#include "base/TextCase.h"

namespace vl::app {

namespace {

struct ModemType {
    std::string_view text;
    std::string_view base;
    std::string_view suffix;
};

constexpr std::array<ModemType, 6> kModemTypes = {{
    {"Hayes Compatible modem   or   UNKNOWN", "AT&F&C1&D2&K3", ""},
    {"US Robotics/3COM Modem   or   WinModem", "AT&H3&I2&R2", ""},
    {"US Robotics/3COM Sportster 28.8 or Early 33.6 model", "AT&H3&I2&R2", "S36=0"},
    {"US Robotics/3COM Late Model Sportster 33.6 model", "AT&H3&I2&R2", "S36=8"},
    {"US Robotics/3COM Sportster X2 modem", "AT&H3&I2&R2", "S36=8S33=34"},
    {"Cirrus Logic or AT&&T modem or Motorola SM56", "AT&F&C1&D2\\Q3", ""},
}};

// The settings that identify a modem type, in the order they are tried.
struct TypeMark {
    std::string_view mark;
    int item;
};
constexpr std::array<TypeMark, 5> kTypeMarks = {{
    {"S36=0", 3},
    {"S33=34", 5},
    {"S36=8", 4},
    {"\\Q3", 6},
    {"&R2", 2},
}};

// How much of the string after "S7=" is read for the wait.
constexpr std::size_t kWaitField = 6;
constexpr std::string_view kWaitSetting = "S7=";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The wait that "S7=" sets, or -1 when there is none or it cannot be read.
int WaitSeconds(const std::string& upper)
{
    const std::size_t at = upper.find(kWaitSetting);
    if (at == std::string::npos)
        return -1;
    std::string_view field = std::string_view(upper).substr(at, kWaitField);
    while (!field.empty() && !IsDigit(field.back()))
        field.remove_suffix(1);
    if (field.size() <= kWaitSetting.size())
        return -1;
    field.remove_prefix(kWaitSetting.size());
    int seconds = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), seconds);
    return error == std::errc() && end == field.data() + field.size() ? seconds : -1;
}

}  // namespace

std::string_view ModemTypeText(int item)
{
    if (item < kFirstModemType || item > kLastModemType)
        return {};
    return kModemTypes[static_cast<std::size_t>(item - 1)].text;
}

bool HangUpBoxTicked(std::string_view initString)
{
    const std::string upper = base::UpperAscii(initString);
    // The thresholds are the waits the helper itself writes without the box:
    // 90 in strings for modems that take "&H3", 65 in the generic one.
    const int threshold = upper.find("&H3") != std::string::npos ? 90 : 65;
    return WaitSeconds(upper) > threshold;
}

int ModemTypeItem(std::string_view initString)
{
    const std::string upper = base::UpperAscii(initString);
    for (const TypeMark& type : kTypeMarks)
        if (upper.find(type.mark) != std::string::npos)
            return type.item;
    return kFirstModemType;
}

std::string InitStringFor(int item, bool sending, bool hangUpBox)
{
    if (item < kFirstModemType || item > kLastModemType)
        item = kFirstModemType;
    const ModemType& type = kModemTypes[static_cast<std::size_t>(item - 1)];
    std::string_view wait = "S7=65";
    if (sending && hangUpBox)
        wait = "S7=120";
    else if (sending && item != kFirstModemType)
        wait = "S7=90";
    return std::string(type.base) + std::string(wait) + std::string(type.suffix);
}

std::string InitStringResult(int result, const std::string& current, int item, bool sending, bool hangUpBox)
{
    switch (result) {
    case kInitHelperOk:
        return InitStringFor(item, sending, hangUpBox);
    case kInitHelperBlank:
        return {};
    default:
        return current;
    }
}

}  // namespace vl::app
