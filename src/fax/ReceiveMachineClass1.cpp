// The receive machine's Class 1 states: the T.30 dialogue the engine carries
// out itself through the modem's V.21 channel (CSI, DIS, DCS, training check,
// CFR or FTT, post-page messages, MCF, DCN).
#include <ctime>

#include "base/ErrorCodes.h"
#include "fax/Class1Frames.h"
#include "fax/ControlBytes.h"
#include "fax/FaxEngine.h"
#include "fax/ReceiveMachine.h"
#include "fax/ResponseChecks.h"

namespace vl::fax {
namespace {

// T.30's T4: how long the far side takes to answer a frame we sent.
constexpr base::Tick kFrameWaitTicks = 54;
// The frames a post-page message may be repeated in before the call fails.
constexpr int kMostFrameRetries = 3;
constexpr int kMostCollectRetries = 3;

}  // namespace

void ReceiveMachine::ReceiveFast(const std::string& modulation) {
    fastCommand_ = "AT+FRM=" + modulation;
    fastRetries_ = 0;
    Engine().SendInCallCommand(fastCommand_);
}

void ReceiveMachine::FrameAgain() {
    ++frameRetries_;
    Engine().ReceiveFrame();
    if (state_ == rf1CollFrms)
        Engine().SetTimeout(kFrameWaitTicks);
}

bool ReceiveMachine::FrameActsEverywhere() {
    frameRetries_ = 0;
    switch (Engine().LastFrameAction()) {
    case FrameAction::Disconnect:
        if (state_ == rf1WaitDCN) {
            // The end the sender announces after our last MCF.
            Engine().Session().lastError = 0;
            return false;
        }
        Fail(base::ecCancelRequested);
        return true;
    case FrameAction::Retrain:
        Engine().PauseMs(kExtraPauseMs);
        Engine().ReceiveFrame();
        Engine().SetTimeout(kFrameWaitTicks);
        Go(rf1CollFrms);
        return true;
    case FrameAction::None:
    case FrameAction::Incompatible:
        return false;
    }
    return false;
}

void ReceiveMachine::ProcessClass1(const Input& in) {
    if (in.event == FaxEvent::Timeout) {
        switch (state_) {
        case rf1SendCSI:
            if (Engine().Modem().retryCount != 0)
                Go(rf1CollRtry1);
            else
                Fail(base::ecFatalTimeout);
            return;
        case rf1CollFrms:
            Go(rf1CollRtry1);
            return;
        case rf1CollTrn:
            break;  // the response timer decides
        case rf1CollRtry1:
        case rf1CollRtry2:
            break;  // they run on any event
        case rf1WaitDCN:
        case rf1WtHngp:
            Go(rfComplete);
            return;
        case rf1EcmFrame:
            // No frames came: a character ends the wait, and the command
            // after the block is listened for.
            ecm_.abortedWait = true;
            Engine().SendRaw(" ");
            Engine().SetTimeout(Engine().Modem().responseTimeout);
            return;
        default:
            Fail(base::ecFatalTimeout);
            return;
        }
    }
    switch (state_) {
    case rf1SendCSI:
        SendCsi(in);
        break;
    case rf1SendDIS:
        SendDis(in);
        break;
    case rf1CollFrms:
        CollectFrames(in);
        break;
    case rf1CollRtry1:
        CollectRetry1();
        break;
    case rf1CollRtry2:
        CollectRetry2();
        break;
    case rf1StrtTrn:
        StartTraining(in);
        break;
    case rf1CollTrn:
        CollectTraining();
        break;
    case rf1Retrain:
        Retrain(in);
        break;
    case rf1FinTrn:
        FinishTraining(in);
        break;
    case rf1SendCFR:
        SendCfr(in);
        break;
    case rf1WtPgCnnct:
        WaitPageConnect(in);
        break;
    case rf1FinPage:
        FinishPage(in);
        break;
    case rf1WaitEOP:
        WaitPostPage(in);
        break;
    case rf1WritePage:
        WritePage();
        break;
    case rf1SendMCF:
        SendMcf(in);
        break;
    case rf1WaitDCN:
        WaitDcn(in);
        break;
    case rf1WtHngp:
        WaitHangup(in);
        break;
    case rf1EcmFrame:
        TakeEcmFrame(in);
        break;
    case rf1EcmCmd:
        TakeEcmCommand(in);
        break;
    case rf1EcmAnswer:
        EcmAnswered(in);
        break;
    default:
        break;  // rf1ChkTrn: nothing leads there
    }
}

void ReceiveMachine::SendCsi(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasNoCarrier(line)) {
        Fail(base::ecFaxNoCarrier);
        return;
    }
    if (!HasConnect(line))
        return;
    Engine().SendFrame(BuildStationIdFrame(fcf::kCsi, Engine().Session().stationId));
    Engine().ResetResponse();
    Go(rf1SendDIS);
}

void ReceiveMachine::SendDis(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasConnect(line)) {
        Engine().SendFrame(BuildDisFrame(Engine().Modem().speedIndex, Engine().Class1CodingCaps()));
        Engine().ResetResponse();
        return;
    }
    if (!HasOk(line))
        return;
    Engine().PauseMs(kExtraPauseMs);
    Engine().PauseMs(kExtraPauseMs);
    Engine().Modem().modulation.clear();
    frameRetries_ = 0;
    Engine().ReceiveFrame();
    Engine().SetTimeout(kFrameWaitTicks);
    Go(rf1CollFrms);
}

void ReceiveMachine::CollectFrames(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasNoCarrier(line)) {
        // The modem gave up on what it heard (noise, or the caller still
        // quiet): listen again before offering our DIS once more, which
        // would talk over a DCS on its way.
        if (frameRetries_ < kMostFrameRetries)
            FrameAgain();
        else
            Go(rf1CollRtry1);
        return;
    }
    if (!HasOk(line))
        return;
    if (!Engine().Modem().lastFrameFinal) {
        Engine().ReceiveFrame();
        Engine().SetTimeout(kFrameWaitTicks);
        return;
    }
    Engine().Modem().lastFrameFinal = false;
    if (Engine().Modem().modulation.empty()) {
        // The caller's command was not a DCS: offer our DIS again.
        Go(rf1CollRtry1);
        return;
    }
    if ((Engine().Session().flags & kFlagSoftwareFlow) != 0)
        Engine().Port().SetSoftwareFlow(6144, 2048, serial::sfReceive);
    ReceiveFast(Engine().Modem().modulation);
    Engine().StartResponseTimer(Engine().Modem().responseTimeout);
    Go(rf1StrtTrn);
}

void ReceiveMachine::CollectRetry1() {
    ModemRecord& modem = Engine().Modem();
    if (++modem.retryCount > kMostCollectRetries) {
        Fail(base::ecFatalTimeout);
        return;
    }
    // Any character ends the modem's wait for a frame.
    Engine().SendCommand("AT");
    Go(rf1CollRtry2);
}

void ReceiveMachine::CollectRetry2() {
    Engine().SendInCallCommand("AT+FTH=3");
    Go(rf1SendCSI);
}

void ReceiveMachine::StartTraining(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasNoCarrier(line)) {
        // No training arrived: the caller repeats its DCS.
        Engine().ReceiveFrame();
        Engine().SetTimeout(kFrameWaitTicks);
        Go(rf1CollFrms);
        return;
    }
    if (!HasConnect(line))
        return;
    training_.Reset();
    Engine().StartResponseTimer(Engine().Modem().responseTimeout);
    Go(rf1CollTrn);
}

void ReceiveMachine::CollectTraining() {
    serial::VlBaseDispatcher& port = Engine().Port();
    while (!Engine().ResponseTimerExpired()) {
        const int byte = port.ReadByte();
        if (byte < 0)
            return;
        if (!training_.Take(static_cast<std::uint8_t>(byte)))
            continue;
        if (training_.Accepted()) {
            Go(rf1FinTrn);
        } else {
            Engine().SendInCallCommand("AT+FTH=3");
            Go(rf1Retrain);
        }
        return;
    }
    // The training never ended: the call cannot go on. Recorded as a
    // time-out so that the failed call's log line gives a reason and a
    // session that ends on errors does not finish with 0, which reads as
    // success.
    Fail(base::ecFatalTimeout);
}

void ReceiveMachine::Retrain(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasConnect(line)) {
        Engine().SendFrame(BuildFrame(fcf::kFtt, {}, true));
        Engine().ResetResponse();
        if (Engine().Modem().modulation == SpeedAt(kLowestSpeedIndex).modulation.longTraining)
            Fail(base::ecFaxTrainError);
        return;
    }
    if (!HasOk(line))
        return;
    Engine().ReceiveFrame();
    Engine().SetTimeout(kFrameWaitTicks);
    Go(rf1CollFrms);
}

void ReceiveMachine::FinishTraining(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    // The modem ends the training data with DLE ETX and then reports the
    // carrier's end; some say OK rather than NO CARRIER.
    if (!HasNoCarrier(line) && !HasOk(line))
        return;
    if ((Engine().Session().flags & kFlagSoftwareFlow) != 0)
        Engine().Port().ClearSoftwareFlow();
    Engine().PauseMs(kFramePauseMs);
    Engine().SendInCallCommand("AT+FTH=3");
    Go(rf1SendCFR);
}

void ReceiveMachine::SendCfr(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasConnect(line)) {
        if ((Engine().Session().flags & kFlagSoftwareFlow) != 0)
            Engine().Port().SetSoftwareFlow(6144, 2048, serial::sfReceive);
        Engine().SendFrame(BuildFrame(fcf::kCfr, {}, true));
        Engine().ResetResponse();
        return;
    }
    if (!HasOk(line))
        return;
    if (Engine().Modem().params.ecm) {
        ecm_.newPage = true;
        ecm_.longTrain = false;
        ecm_.lastClosedValid = false;
        StartEcmFrames();
    } else {
        ReceiveFast(Engine().Modem().pageModulation);
        Go(rf1WtPgCnnct);
    }
    AcceptCall();
}

void ReceiveMachine::WaitPageConnect(const Input& in) {
    if (!in.line || !HasConnect(Engine().Response()))
        return;
    Engine().SetProgress(base::fpSessionParams);
    Go(rfStartPage);
}

void ReceiveMachine::FinishPage(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (!HasNoCarrier(line) && !HasOk(line))
        return;
    frameRetries_ = 0;
    Engine().ReceiveFrame();
    Go(rf1WaitEOP);
}

bool ReceiveMachine::CommandFrameIn(const Input& in) {
    if (!in.line)
        return false;
    const std::string& line = Engine().Response();
    if (HasNoCarrier(line)) {
        // The command has not begun yet; listen again.
        if (frameRetries_ >= kMostFrameRetries) {
            Fail(base::ecFatalTimeout);
            return false;
        }
        FrameAgain();
        return false;
    }
    if (!HasOk(line))
        return false;
    ModemRecord& modem = Engine().Modem();
    if (!modem.lastFrameFinal) {
        Engine().ReceiveFrame();
        return false;
    }
    modem.lastFrameFinal = false;
    return true;
}

void ReceiveMachine::WaitPostPage(const Input& in) {
    if (!CommandFrameIn(in))
        return;
    ModemRecord& modem = Engine().Modem();
    const std::uint8_t command = modem.lastFcf & 0xFE;
    morePages_ = command == (fcf::kMps & 0xFE) || command == (fcf::kEom & 0xFE);
    modem.endOfMessage = command == (fcf::kEom & 0xFE);
    Engine().SetProgress(base::fpGettingPageEnd);
    Go(rf1WritePage);
}

void ReceiveMachine::WritePage() {
    int rc = EndStoredPage();
    if (rc == 0)
        rc = file_.CompletePage(Engine().RemoteId(), std::time(nullptr));
    if (rc != 0) {
        Fail(rc);
        return;
    }
    Engine().SendInCallCommand("AT+FTH=3");
    Engine().SetProgress(base::fpGettingDocStatus);
    Go(rf1SendMCF);
}

void ReceiveMachine::SendMcf(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    const bool afterEom = Engine().Modem().endOfMessage;
    if (HasConnect(line)) {
        // After EOM the session starts over with our CSI and DIS, which
        // follow the MCF in the same transmission.
        const bool startOver = afterEom && morePages_;
        Engine().SendFrame(BuildFrame(fcf::kMcf, {}, !startOver));
        Engine().ResetResponse();
        if (startOver)
            Go(rf1SendCSI);
        return;
    }
    if (!HasOk(line))
        return;
    if (morePages_ && afterEom) {
        Engine().PauseMs(kExtraPauseMs);
        Engine().SendInCallCommand("AT+FTH=3");
        Go(rf1SendCSI);
        return;
    }
    if (morePages_) {
        // The next page follows at once; its CONNECT comes before its data.
        arrival_ = PageArrival::MorePages;
        if (Engine().Modem().params.ecm) {
            StartEcmFrames();
            return;
        }
        ReceiveFast(Engine().Modem().pageModulation);
        Go(rf1WtPgCnnct);
        return;
    }
    Engine().PauseMs(kExtraPauseMs);
    frameRetries_ = 0;
    Engine().ReceiveFrame();
    Go(rf1WaitDCN);
    CloseReceivedFax();
}

void ReceiveMachine::WaitDcn(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    const bool ended = HasNoCarrier(line);
    if (!ended && !HasOk(line))
        return;
    if (!ended && !Engine().Modem().lastFrameFinal) {
        Engine().ReceiveFrame();
        return;
    }
    Engine().Modem().lastFrameFinal = false;
    Engine().SendCommand("ATH");
    Go(rf1WtHngp);
}

void ReceiveMachine::WaitHangup(const Input& in) {
    if (!in.line || !HasOk(Engine().Response()))
        return;
    Engine().SetProgress(base::fpGotHangupCode);
    Go(rfComplete);
}

}  // namespace vl::fax
