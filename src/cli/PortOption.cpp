#include "cli/PortOption.h"

#include "app/ProgramFolders.h"
#include "base/TextCase.h"
#include "cli/ArgNumbers.h"
#include "serial/PortNames.h"
#include "serial/VlComPort.h"
#include "serial/VlLinuxDispatcher.h"

namespace vl::cli {

bool ConfigurePort(serial::VlComPort& port, const std::string& name)
{
    if (name.empty())
        return false;
    port.SetPromptForPort(false);
    port.SetIniFile(app::SettingsFileName());
    port.SetDispatcherFactory(
        [](base::MessageLoop& loop) { return serial::MakeLinuxDispatcher(loop, app::ProgramFolder()); });
    if (name.front() == '/') {
        port.SetDevicePath(name);
        return true;
    }
    std::string digits = name;
    if (digits.size() > 3 && base::EqualsNoCase(digits.substr(0, 3), "COM"))
        digits.erase(0, 3);
    int number = 0;
    if (!ParseNumber(digits, 1, serial::kMaxComNumber, number))
        return false;
    port.SetComNumber(number);
    return true;
}

std::string LinuxLines(std::string text)
{
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

}  // namespace vl::cli
