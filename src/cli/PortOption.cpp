#include "cli/PortOption.h"

#include "app/ModemCommands.h"
#include "base/TextCase.h"
#include "cli/ArgNumbers.h"
#include "serial/PortNames.h"
#include "serial/VlComPort.h"

namespace vl::cli {

bool ConfigurePort(serial::VlComPort& port, const std::string& name)
{
    if (name.empty())
        return false;
    app::UseProgramPorts(port);
    if (name.front() == '/') {
        port.SetDevicePath(name);
        return true;
    }
    int number = 0;
    if (!ParseComName(name, number))
        return false;
    port.SetComNumber(number);
    return true;
}

bool ParseComName(const std::string& name, int& number)
{
    std::string digits = name;
    if (digits.size() > 3 && base::EqualsNoCase(digits.substr(0, 3), "COM"))
        digits.erase(0, 3);
    return ParseNumber(digits, 1, serial::kMaxComNumber, number);
}

}  // namespace vl::cli
