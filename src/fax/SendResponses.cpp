// The send states that wait for the modem: Class 1 connection, negotiation,
// training and the post-page exchange. Frames act in every state.
#include <algorithm>
#include <vector>

#include "base/ErrorCodes.h"
#include "fax/Class1Training.h"
#include "fax/ResponseChecks.h"
#include "fax/SendMachine.h"

namespace vl::fax {

namespace {

// States that wait for the reply to a post-page message, where "ERROR" means
// the frame was garbled and the message is repeated.
bool WaitsForPostPageReply(int state)
{
    return state == tf1WaitMPS || state == tf1WaitEOP || state == tf1WaitMCF;
}

}  // namespace

bool SendMachine::TakeResponse(FaxEvent event)
{
    if (event == FaxEvent::Timeout) {
        OnTimeout();
        return false;
    }
    switch (engine_.Collect()) {
    case ResponseKind::Frame:
        OnFrame();
        return false;
    case ResponseKind::Line:
        OnLine(engine_.Response());
        return true;
    case ResponseKind::None:
        break;
    }
    return false;
}

void SendMachine::OnTimeout()
{
    switch (state_) {
    case tf1Connect:
        // After EOM the call is up: the receiver's new DIS never came.
        Fail(postPageFcf_ == fcf::kEom ? base::ecFaxSessionError : base::ecFaxNoAnswer);
        return;
    case tf1WaitMCF:
        // Ends the modem's frame reception, then the message is repeated.
        engine_.SendRaw(" ");
        state_ = tf1PrepEOP;
        return;
    case tf1WaitHngp:
        engine_.HangUpSender();
        state_ = tfClose;
        return;
    case tf2Connect:
        Fail(base::ecFaxNoAnswer);
        return;
    default:
        Fail(base::ecFatalTimeout);
    }
}

void SendMachine::OnFrame()
{
    switch (engine_.LastFrameAction()) {
    case FrameAction::Disconnect:
        Fail(base::ecCancelRequested);
        return;
    case FrameAction::Incompatible:
        Fail(base::ecFaxBadMachine);
        return;
    case FrameAction::Retrain: {
        // A bad page (RTN) after the post-page message ends the fax there.
        if (state_ == tf1WaitMCF && RecogniseFcf(modem_.lastFcf) == FrameKind::Rtn)
            return;
        const int lower = LowerSpeed(modem_.speedIndex, modem_.localSpeeds, modem_.remoteSpeeds);
        if (lower == 0) {
            Fail(base::ecFaxTrainError);
            return;
        }
        modem_.speedIndex = lower;
        // The modem ends the frame with "OK"; the new DCS follows that.
        retrainPending_ = true;
        return;
    }
    case FrameAction::None:
        return;
    }
}

void SendMachine::OnLine(const std::string& line)
{
    if (HasError(line) && !WaitsForPostPageReply(state_)) {
        Fail(base::ecFaxBadModemResult);
        return;
    }
    if (IsClass2()) {
        // A hang-up report ends the fax unless a page status is awaited.
        if (state_ != tf2WaitFET && state_ != tf20ChckPg && HasHangupReport(line, modem_.vocabulary.hangupReport)) {
            modem_.hangupCode = HangupCode(line);
            Fail(base::ecFaxBadModemResult);
            return;
        }
        Class2Line(line);
        return;
    }
    if (retrainPending_ && HasOk(line) && modem_.lastFrameFinal) {
        retrainPending_ = false;
        modem_.lastFrameFinal = false;
        engine_.PauseMs(kExtraPauseMs);
        engine_.SendInCallCommand("AT+FTH=3");
        state_ = tf1TSIRespns;
        return;
    }
    Class1Line(line);
}

void SendMachine::SendDcs()
{
    const SpeedInfo& speed = SpeedAt(modem_.speedIndex);
    modem_.modulation = std::string(speed.modulation.longTraining);
    modem_.pageModulation = std::string(speed.modulation.shortTraining);
    modem_.params.bps = speed.bps;
    modem_.params.fine = modem_.resolution == '1';
    modem_.params.wide = modem_.wide;
    modem_.params.ecm = false;
    RecomputeMinBytes(modem_.params);
    engine_.SendFrame(BuildDcsFrame(modem_.speedIndex, modem_.params.fine, modem_.wide, modem_.params.stCode));
}

void SendMachine::SendPostPageFrame()
{
    // A page of another resolution needs a new DCS, which only EOM allows:
    // after MPS the receiver would take it at the old resolution.
    const bool resolutionChanges =
        modem_.previousResolution != ' ' && modem_.previousResolution != modem_.resolution;
    if (!modem_.morePages)
        postPageFcf_ = fcf::kEop;
    else if (options_.endOfDocument == EndOfDocument::ContinueMps && !resolutionChanges)
        postPageFcf_ = fcf::kMps;
    else
        postPageFcf_ = fcf::kEom;
    engine_.SendFrame(BuildFrame(postPageFcf_, {}, true));
}

void SendMachine::Class1Line(const std::string& line)
{
    const bool ok = HasOk(line);
    const bool connect = HasConnect(line);
    switch (state_) {
    case tf1Init1:
        if (ok)
            state_ = tfDial;
        else
            Fail(base::ecFaxInitError);
        return;
    case tf1Connect:
        if (ok && modem_.lastFrameFinal) {
            engine_.PauseMs(kExtraPauseMs);
            engine_.SendInCallCommand("AT+FTH=3");
            modem_.lastFrameFinal = false;
            state_ = tf1SendTSI;
        } else if (ok) {
            engine_.ReceiveFrame();
        } else if (postPageFcf_ == fcf::kEom && HasNoCarrier(line)) {
            // The receiver is still quiet after its MCF: listen again for
            // its new DIS for what is left of the wait.
            engine_.ReceiveFrame();
            engine_.SetTimeout(std::max<base::Tick>(1, base::RemainingTicks(newDisWait_)));
        } else {
            DialFailed(line);
        }
        return;
    case tf1SendTSI:
        if (connect) {
            engine_.SendFrame(BuildStationIdFrame(fcf::kTsi, session_.stationId));
            state_ = tf1TSIRespns;
            return;
        }
        break;
    case tf1TSIRespns:
        if (connect) {
            SendDcs();
            state_ = tf1DCSRspns;
            return;
        }
        break;
    case tf1DCSRspns:
        if (ok) {
            engine_.SendInCallCommand("AT+FTM=" + modem_.modulation);
            state_ = tf1TrainStrt;
            return;
        }
        break;
    case tf1TrainStrt:
        if (connect) {
            if (session_.flags & kFlagSoftwareFlow)
                engine_.Port().SetSoftwareFlow(0, 0, serial::sfTransmit);
            std::vector<std::uint8_t> tcf(TcfLength(modem_.params.bps), 0);
            tcf.push_back(kDle);
            tcf.push_back(kEtx);
            SendToPort(tcf);
            state_ = tf1TrainFnsh;
            return;
        }
        break;
    case tf1TrainFnsh:
        if (ok) {
            if (session_.flags & kFlagSoftwareFlow)
                engine_.Port().ClearSoftwareFlow();
            engine_.PauseMs(kExtraPauseMs);
            modem_.trainingOk = false;
            engine_.ReceiveFrame();
            state_ = tf1WaitCFR;
            return;
        }
        break;
    case tf1WaitCFR:
        if (ok && !modem_.lastFrameFinal) {
            engine_.ReceiveFrame();
        } else if (ok && modem_.trainingOk) {
            engine_.PauseMs(kExtraPauseMs);
            engine_.SendInCallCommand("AT+FTM=" + modem_.pageModulation);
            modem_.lastFrameFinal = false;
            state_ = tf1WaitPgCn;
        } else if (ok) {
            engine_.PauseMs(kExtraPauseMs);
            engine_.SendInCallCommand("AT+FTH=3");
            modem_.lastFrameFinal = false;
            state_ = tf1TSIRespns;
        } else {
            break;
        }
        return;
    case tf1WaitPgCn:
        if (connect) {
            // Page data goes out at once: a Class 1 modem sends no XON.
            engine_.SetTimeout(modem_.dataTimeout);
            engine_.ArmOutputFree(kOutputFreeWanted);
            state_ = tfWaitFrHead;
            return;
        }
        break;
    case tf1PageEnd:
        if (ok) {
            modem_.retryCount = 0;
            engine_.SetProgress(base::fpSendingEop);
            state_ = tf1PrepEOP;
            return;
        }
        if (HasNoCarrier(line)) {
            // The line went while the page was on its way.
            Fail(base::ecFaxSessionError);
            return;
        }
        break;
    case tf1SendEOP:
        if (connect) {
            SendPostPageFrame();
            state_ = tf1WaitMPS;
            return;
        }
        break;
    case tf1WaitMPS:
        if (ok) {
            engine_.PauseMs(kExtraPauseMs);
            engine_.ReceiveFrame();
            engine_.SetTimeout(kPostPageReplyTicks);
            state_ = tf1WaitMCF;
            return;
        }
        break;
    case tf1WaitMCF:
        if (HasError(line)) {
            state_ = tf1PrepEOP;
            return;
        }
        if (ok) {
            AfterPostPageReply();
            return;
        }
        break;
    case tf1SendDCN:
        if (connect) {
            engine_.SendFrame(BuildFrame(fcf::kDcn, {}, true));
            state_ = tf1Hangup;
            return;
        }
        break;
    case tf1Hangup:
        if (ok) {
            engine_.SendCommand("ATH");
            engine_.SetTimeout(kHangupReplyTicks);
            state_ = tf1WaitHngp;
            return;
        }
        break;
    case tf1WaitHngp:
        if (ok) {
            state_ = tfClose;
            return;
        }
        break;
    default:
        break;
    }
    engine_.ResetResponse();
}

void SendMachine::AfterPostPageReply()
{
    if (postPageFcf_ == fcf::kEom && modem_.morePages && RecogniseFcf(modem_.lastFcf) == FrameKind::Mcf) {
        // Negotiation starts over with the receiver's new DIS, after the MCF
        // in the same transmission or in its next one: a DCS sent before it
        // is refused by receivers that wait to send their DIS.
        engine_.SetProgress(base::fpPageAccepted);
        modem_.lastFrameFinal = false;
        engine_.ReceiveFrame();
        engine_.SetTimeout(kNewDisTicks);
        base::NewTimer(newDisWait_, kNewDisTicks);
        state_ = tf1Connect;
        return;
    }
    if (!modem_.lastFrameFinal) {
        engine_.ReceiveFrame();
        return;
    }
    modem_.lastFrameFinal = false;
    const bool more = modem_.morePages;
    switch (RecogniseFcf(modem_.lastFcf)) {
    case FrameKind::Rtn:
        retrainPending_ = false;
        Fail(base::ecFaxSessionError);
        return;
    case FrameKind::Mcf:
        engine_.SetProgress(base::fpPageAccepted);
        if (more) {
            engine_.SendInCallCommand("AT+FTM=" + modem_.pageModulation);
            state_ = tf1WaitPgCn;
        } else {
            engine_.SendInCallCommand("AT+FTH=3");
            state_ = tf1SendDCN;
        }
        return;
    case FrameKind::Rtp:
        engine_.SendInCallCommand("AT+FTH=3");
        state_ = more ? tf1TSIRespns : tf1SendDCN;
        return;
    default:
        // No usable answer (a garbled or unexpected frame): ask again.
        state_ = tf1PrepEOP;
        return;
    }
}

}  // namespace vl::fax
