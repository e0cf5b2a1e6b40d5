#include "EngineHarness.h"

#include "fax/FaxCodes.h"
#include "serial/TermiosDevice.h"

namespace vl::test {

EngineHarness::EngineHarness(const std::string& device, const std::string& lockFolder)
{
    port = std::make_unique<serial::VlBaseDispatcher>(
        std::make_unique<serial::TermiosDevice>(std::vector<std::string>{lockFolder}), loop);
    openResult = port->OpenDevicePort(device, 19200, 0, 8, 1, 16384, 16384, serial::kOpenDtrOn | serial::kOpenRtsOn);
    window = std::make_unique<base::MessageWindow>(loop, [this](const base::WindowMessage& m) { return OnMessage(m); });
}

EngineHarness::~EngineHarness()
{
    engine.reset();
    if (port) {
        port->StopThreads();
        port->CloseDevicePort();
    }
}

fax::FaxEngine& EngineHarness::MakeSender(std::string_view stationId)
{
    engine = fax::CreateSender(stationId, *port, window.get());
    return *engine;
}

std::optional<int> EngineHarness::RunToFinish(std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!finished && std::chrono::steady_clock::now() < until)
        loop.Run(std::chrono::milliseconds(20));
    return finished;
}

std::intptr_t EngineHarness::OnMessage(const base::WindowMessage& message)
{
    switch (message.msg) {
    case fax::kMsgNextFile:
        if (faxes.empty())
            return 0;
        engine->SetNextFax(faxes.front().phone, faxes.front().faxFile, faxes.front().coverFile);
        faxes.pop_front();
        return 1;
    case fax::kMsgStatus:
        statusFlags.push_back(static_cast<unsigned>(message.wParam));
        progress.push_back(engine->Session().progress);
        return 0;
    case fax::kMsgLog:
        logs.push_back(static_cast<int>(message.wParam));
        return 0;
    case fax::kMsgError:
        errors.push_back(static_cast<int>(static_cast<std::intptr_t>(message.wParam)));
        return 0;
    case fax::kMsgFinish:
        finished = static_cast<int>(static_cast<std::intptr_t>(message.wParam));
        return 0;
    default:
        return 0;
    }
}

}  // namespace vl::test
