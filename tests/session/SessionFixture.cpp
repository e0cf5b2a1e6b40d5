#include "SessionFixture.h"

#include <sstream>

#include "support/TestSupport.h"

namespace vl::test {

SessionFixture::SessionFixture(FakeModemScript script)
    : ComPortFixture(std::move(script)), home("VELLORA_HOME", dir.folder())
{
    settings.ComPort = kModemCom - 1;
}

void SessionFixture::UseModem(serial::VlComPort& sessionPort) const
{
    sessionPort.SetDispatcherFactory(Factory());
}

std::vector<std::string> SessionFixture::FileLines(const std::string& name) const
{
    std::istringstream in(ReadFile(dir.path() / name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

FakeModemScript AllOkScript()
{
    FakeModemScript script;
    script.responder = [](const std::string&) { return std::string("\r\nOK\r\n"); };
    return script;
}

FakeModemScript SilentScript()
{
    FakeModemScript script;
    script.silent = true;
    return script;
}

}  // namespace vl::test
