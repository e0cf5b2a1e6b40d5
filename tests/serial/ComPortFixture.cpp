#include "ComPortFixture.h"

#include <thread>

#include "base/IniFile.h"
#include "serial/TermiosDevice.h"
#include "serial/UucpLock.h"

namespace vl::test {

ComPortFixture::ComPortFixture(FakeModemScript script) : modem(std::move(script))
{
    port = std::make_unique<serial::VlComPort>(loop);
    port->SetIniFile(dir.folder() + "VL.INI");
    port->SetPromptForPort(false);
    const std::string locks = dir.folder();
    port->SetDispatcherFactory([locks](base::MessageLoop& l) {
        return std::make_unique<serial::VlBaseDispatcher>(
            std::make_unique<serial::TermiosDevice>(std::vector<std::string>{locks}), l);
    });
    MapCom(kModemCom, modem.SlavePath());
    port->SetComNumber(kModemCom);
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
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        loop.ProcessPendingMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace vl::test
