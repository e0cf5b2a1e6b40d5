#include "ComPortFixture.h"

#include "Waiting.h"
#include "base/IniFile.h"
#include "serial/TermiosDevice.h"
#include "serial/UucpLock.h"

namespace vl::test {

ComPortFixture::ComPortFixture(FakeModemScript script) : modem(std::move(script))
{
    port = std::make_unique<serial::VlComPort>(loop);
    port->SetIniFile(dir.folder() + "VL.INI");
    port->SetPromptForPort(false);
    port->SetDispatcherFactory(Factory());
    MapCom(kModemCom, modem.SlavePath());
    port->SetComNumber(kModemCom);
}

serial::VlComPort::DispatcherFactory ComPortFixture::Factory() const
{
    return [locks = dir.folder()](base::MessageLoop& l) {
        return std::make_unique<serial::VlBaseDispatcher>(
            std::make_unique<serial::TermiosDevice>(std::vector<std::string>{locks}), l);
    };
}

FakeModemScript ComPortFixture::OkScript()
{
    FakeModemScript script;
    script.replies["AT"] = "\r\nOK\r\n";
    return script;
}

void ComPortFixture::MapCom(int number, const std::string& device)
{
    base::IniFile ini = base::IniFile::Load(port->IniFile());
    ini.WriteString("Ports", "COM" + std::to_string(number), device);
    ini.Save();
}

std::string ComPortFixture::LockFile() const
{
    return dir.folder() + serial::LockFileName(modem.SlavePath());
}

bool ComPortFixture::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    return test::PumpUntil(loop, done, timeout);
}

}  // namespace vl::test
