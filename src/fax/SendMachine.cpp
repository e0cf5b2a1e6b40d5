#include "fax/SendMachine.h"

#include "base/ErrorCodes.h"
#include "fax/StateNames.h"

namespace vl::fax {

const std::vector<std::string>& SendStateNames()
{
    static const std::vector<std::string> names = StateNamesFrom(kFirstSendStateName, tfDone + 1);
    return names;
}

SendMachine::SendMachine(FaxEngine& engine)
    : engine_(engine),
      session_(engine.Session()),
      modem_(engine.Modem()),
      options_(engine.Sender()),
      escaper_([this](std::span<const std::uint8_t> bytes) { return SendToPort(bytes); })
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
    switch (state_) {
    case tfGetEntry:
        GetEntry();
        return false;
    case tfInit:
        InitFax();
        return false;
    case tfDial:
        Dial();
        return false;
    case tfRetryWait:
        // Only the wait's end redials: a late report of the failed call or
        // an incoming ring must not cut short the wait the user set.
        if (event == FaxEvent::Timeout)
            state_ = tfDial;
        else if (event == FaxEvent::Chars)
            while (engine_.Port().ReadByte() >= 0) {
            }
        return false;
    case tfWaitFrHead:
        if (event == FaxEvent::Timeout) {
            Fail(base::ecFatalTimeout);
        } else if (event == FaxEvent::OutputFree) {
            engine_.SetProgress(base::fpSendingPage);
            if (session_.flags & kFlagSoftwareFlow)
                engine_.Port().SetSoftwareFlow(0, 0, serial::sfTransmit);
            state_ = tfSndPgeHdr;
        }
        return false;
    case tfSndPgeHdr:
        SendPageHeader();
        return false;
    case tfOpenCover:
        OpenCover();
        return false;
    case tfSendCover:
        SendCover(event);
        return false;
    case tfPrepPage:
        PreparePage();
        return false;
    case tfSendPage:
        PumpPage(event);
        return false;
    case tfDrainPage:
        DrainPage(event);
        return false;
    case tfWaitXon:
        WaitXon(event);
        return false;
    case tf2SendEOP:
        Class2PageEnd();
        return false;
    case tf2SndNwPrm:
        SendNewParams();
        return false;
    case tf2NextPage:
        NextClass2Page();
        return false;
    case tf1PrepEOP:
        if (++modem_.retryCount < 4) {
            engine_.PauseMs(kPostPagePauseMs);
            engine_.SendInCallCommand("AT+FTH=3");
            state_ = tf1SendEOP;
        } else {
            Fail(base::ecFatalTimeout);
        }
        return false;
    case tfClose:
        CloseFax();
        return false;
    case tfCompleteOK:
        CompleteOk();
        return false;
    case tfAbort:
        AbortFax();
        return false;
    case tfDone:
        return false;
    default:
        return TakeResponse(event);
    }
}

RunRule SendMachine::RuleAfter(int state) const
{
    switch (state) {
    case tfGetEntry:
    case tfInit:
    case tfDial:
    case tfSndPgeHdr:
    case tfOpenCover:
    case tfPrepPage:
    case tf1PrepEOP:
    case tf2SendEOP:
    case tf2NextPage:
    case tfClose:
    case tfCompleteOK:
    case tfAbort:
        return RunRule::Again;
    case tfRetryWait:
    case tfWaitXon:
    case tfWaitFrHead:
    case tfSendCover:
    case tfSendPage:
    case tfDrainPage:
    case tfDone:
        return RunRule::Wait;
    case tf2SndNwPrm:
        return RunRule::Keep;
    default:
        return RunRule::WhileChars;
    }
}

std::unique_ptr<FaxEngine> CreateSender(std::string_view stationId, serial::VlBaseDispatcher& port,
                                        base::MessageWindow* window)
{
    auto engine = std::make_unique<FaxEngine>(EngineKind::Sender, stationId, port, window);
    engine->AttachMachine(std::make_unique<SendMachine>(*engine));
    return engine;
}

}  // namespace vl::fax
