// How the send states that read the modem take what it says: a time-out, a
// frame (which acts in every state) or a response line, classified once and
// handed to the state's handler after the checks every state shares.
#include "base/ErrorCodes.h"
#include "fax/Class1Training.h"
#include "fax/SendMachine.h"

namespace vl::fax {

namespace {

// States that wait for the reply to a post-page message, where "ERROR" means
// the frame was garbled and the message is repeated.
bool WaitsForPostPageReply(int state)
{
    return state == tf1WaitMPS || state == tf1WaitEOP || state == tf1WaitMCF || state == tf1EcmCmdSent ||
           state == tf1EcmWaitRsp;
}

}  // namespace

bool SendMachine::TakeResponse(FaxEvent event, ReplyHandler onReply)
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
        OnLine(engine_.Response(), onReply);
        return true;
    case ResponseKind::None:
        break;
    }
    return false;
}

ModemReply SendMachine::Classify(const std::string& line) const
{
    // Class 1 has no hang-up report; a name left from an earlier Class 2
    // session must not make one of its lines look like one.
    return ClassifyReply(line, IsClass2() ? std::string_view(modem_.vocabulary.hangupReport) : std::string_view());
}

void SendMachine::LogUnexpected(const std::string& line)
{
    engine_.Port().LogUserText("unexpected " + line + " in state " + Row(state_).name);
}

void SendMachine::IgnoreLine(const Reply& reply)
{
    LogUnexpected(reply.line);
    engine_.ResetResponse();
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
    case tf1EcmWaitRsp:
        engine_.SendRaw(" ");
        state_ = tf1EcmPrepCmd;
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

void SendMachine::OnLine(const std::string& line, ReplyHandler onReply)
{
    const Reply reply{Classify(line), line};
    if (reply.kind == ModemReply::Error && !WaitsForPostPageReply(state_)) {
        Fail(base::ecFaxBadModemResult);
        return;
    }
    if (IsClass2()) {
        // A hang-up report ends the fax unless a page status is awaited.
        if (state_ != tf2WaitFET && state_ != tf20ChckPg && reply.kind == ModemReply::Hangup) {
            modem_.hangupCode = HangupCode(line);
            Fail(base::ecFaxBadModemResult);
            return;
        }
    } else if (retrainPending_ && reply.kind == ModemReply::Ok && modem_.lastFrameFinal) {
        retrainPending_ = false;
        modem_.lastFrameFinal = false;
        engine_.PauseMs(kExtraPauseMs);
        engine_.SendInCallCommand("AT+FTH=3");
        state_ = tf1TSIRespns;
        return;
    }
    (this->*onReply)(reply);
}

}  // namespace vl::fax
