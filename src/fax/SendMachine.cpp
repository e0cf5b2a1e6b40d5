#include "fax/SendMachine.h"

#include "base/ErrorCodes.h"

namespace vl::fax {

const std::vector<std::string>& SendStateNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (int state = 0; state < kSendStateCount; ++state)
            all.emplace_back(SendMachine::Row(state).name);
        return all;
    }();
    return names;
}

SendMachine::SendMachine(FaxEngine& engine)
    : engine_(engine),
      session_(engine.Session()),
      modem_(engine.Modem()),
      options_(engine.Sender()),
      escaper_([this](std::span<const std::uint8_t> bytes) {
          if (!ecm_.collecting)
              return SendToPort(bytes);
          ecm_.page.Append(bytes);
          return 0;
      })
{
}

SendMachine::~SendMachine() = default;

void SendMachine::Prepare()
{
    modem_.resolution = ' ';
    state_ = tfGetEntry;
    engine_.SetProgress(base::fpInitModem);
    session_.lastError = 0;
    engine_.SendStatus(kStatusFirst);
    session_.pages.bytes = 0;
    session_.pages.pageLength = 0;
    session_.pages.coverPages = 0;
    session_.pages.currentPage = 1;
    session_.dialAttempts = 0;
    engine_.SetRemoteId("");
    session_.faxFile.clear();
    session_.coverFile.clear();
    session_.phoneNumber.clear();

    auto& port = engine_.Port();
    // With an init rate the modem is set up at it, where the start of the
    // session left the port; otherwise at the command speed.
    if (modem_.initBaud == 0)
        port.SetLineParams(kPortCommandBaud, serial::kParityUnchanged, serial::kDataBitsUnchanged,
                           serial::kStopBitsUnchanged);
    port.SetDtrState(true);
    port.SetRtsState(true);

    if ((session_.faxClass == kClassUnknown || session_.faxClass == kClassDetect) && !engine_.DetectFaxClass()) {
        engine_.RecordError(base::ecFaxBadModemResult);
        return;
    }
    if (!engine_.InitModem()) {
        engine_.RecordError(base::ecFaxBadModemResult);
        return;
    }
    if (IsClass2())
        modem_.vocabulary = VocabularyFor(session_.faxClass);
    engine_.SwitchToNormalBaud();
    if (!IsClass2() && !engine_.DetermineLocalSpeeds()) {
        engine_.RecordError(base::ecFaxBadModemResult);
        return;
    }
    session_.prepared = true;
}

bool SendMachine::Process(FaxEvent event)
{
    const StateRow& row = Row(state_);
    if (row.onPass == nullptr)
        return TakeResponse(event, row.onReply);
    (this->*row.onPass)(event);
    return false;
}

std::unique_ptr<FaxEngine> CreateSender(std::string_view stationId, serial::VlBaseDispatcher& port,
                                        base::MessageWindow* window)
{
    auto engine = std::make_unique<FaxEngine>(EngineKind::Sender, stationId, port, window);
    engine->AttachMachine(std::make_unique<SendMachine>(*engine));
    return engine;
}

}  // namespace vl::fax
