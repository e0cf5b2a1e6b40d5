// The Class 1 send states that read the modem: the connection, negotiation,
// training and the post-page exchange, which the machine runs itself through
// the modem's frame and data commands.
#include <algorithm>
#include <vector>

#include "base/ErrorCodes.h"
#include "fax/Class1Training.h"
#include "fax/SendMachine.h"

namespace vl::fax {

void SendMachine::SendDcs()
{
    const SpeedInfo& speed = SpeedAt(modem_.speedIndex);
    modem_.modulation = std::string(speed.modulation.longTraining);
    modem_.pageModulation = std::string(speed.modulation.shortTraining);
    modem_.params.bps = speed.bps;
    modem_.params.fine = modem_.resolution == '1';
    modem_.params.wide = modem_.wide;
    RecomputeMinBytes(modem_.params);
    engine_.SendFrame(BuildDcsFrame(modem_.speedIndex, modem_.params.fine, modem_.wide, modem_.params.stCode,
                                    {modem_.params.coding, modem_.params.ecm}));
}

std::uint8_t SendMachine::PostPageCommand() const
{
    // A page of another resolution needs a new DCS, which only EOM allows:
    // after MPS the receiver would take it at the old resolution.
    const bool resolutionChanges =
        modem_.previousResolution != ' ' && modem_.previousResolution != modem_.resolution;
    if (!modem_.morePages)
        return fcf::kEop;
    if (options_.endOfDocument == EndOfDocument::ContinueMps && !resolutionChanges)
        return fcf::kMps;
    return fcf::kEom;
}

void SendMachine::SendPostPageFrame()
{
    postPageFcf_ = PostPageCommand();
    engine_.SendFrame(BuildFrame(postPageFcf_, {}, true));
}

void SendMachine::Class1Init(const Reply& reply)
{
    if (reply.kind == ModemReply::Ok)
        state_ = tfDial;
    else
        Fail(base::ecFaxInitError);
}

void SendMachine::Class1Connect(const Reply& reply)
{
    if (reply.kind == ModemReply::Ok && modem_.lastFrameFinal) {
        engine_.PauseMs(kExtraPauseMs);
        engine_.SendInCallCommand("AT+FTH=3");
        modem_.lastFrameFinal = false;
        state_ = tf1SendTSI;
    } else if (reply.kind == ModemReply::Ok) {
        engine_.ReceiveFrame();
    } else if (postPageFcf_ == fcf::kEom && reply.kind == ModemReply::NoCarrier) {
        // The receiver is still quiet after its MCF: listen again for its
        // new DIS for what is left of the wait.
        engine_.ReceiveFrame();
        engine_.SetTimeout(std::max<base::Tick>(1, base::RemainingTicks(newDisWait_)));
    } else {
        DialFailed(reply);
    }
}

void SendMachine::SendTsi(const Reply& reply)
{
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    engine_.SendFrame(BuildStationIdFrame(fcf::kTsi, session_.stationId));
    state_ = tf1TSIRespns;
}

void SendMachine::TsiSent(const Reply& reply)
{
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    SendDcs();
    state_ = tf1DCSRspns;
}

void SendMachine::DcsSent(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        IgnoreLine(reply);
        return;
    }
    engine_.SendInCallCommand("AT+FTM=" + modem_.modulation);
    state_ = tf1TrainStrt;
}

void SendMachine::StartTraining(const Reply& reply)
{
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    if (session_.flags & kFlagSoftwareFlow)
        engine_.Port().SetSoftwareFlow(0, 0, serial::sfTransmit);
    std::vector<std::uint8_t> tcf(TcfLength(modem_.params.bps), 0);
    tcf.push_back(kDle);
    tcf.push_back(kEtx);
    SendToPort(tcf);
    state_ = tf1TrainFnsh;
}

void SendMachine::TrainingSent(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        IgnoreLine(reply);
        return;
    }
    if (session_.flags & kFlagSoftwareFlow)
        engine_.Port().ClearSoftwareFlow();
    engine_.PauseMs(kExtraPauseMs);
    modem_.trainingOk = false;
    engine_.ReceiveFrame();
    state_ = tf1WaitCFR;
}

void SendMachine::WaitCfr(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        IgnoreLine(reply);
    } else if (!modem_.lastFrameFinal) {
        engine_.ReceiveFrame();
    } else if (modem_.trainingOk && modem_.params.ecm) {
        modem_.lastFrameFinal = false;
        StartEcmPage();
    } else if (modem_.trainingOk) {
        engine_.PauseMs(kExtraPauseMs);
        engine_.SendInCallCommand("AT+FTM=" + modem_.pageModulation);
        modem_.lastFrameFinal = false;
        state_ = tf1WaitPgCn;
    } else {
        engine_.PauseMs(kExtraPauseMs);
        engine_.SendInCallCommand("AT+FTH=3");
        modem_.lastFrameFinal = false;
        state_ = tf1TSIRespns;
    }
}

void SendMachine::WaitPageConnect(const Reply& reply)
{
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    // Page data goes out at once: a Class 1 modem sends no XON.
    engine_.SetTimeout(modem_.dataTimeout);
    engine_.ArmOutputFree(kOutputFreeWanted);
    state_ = tfWaitFrHead;
}

void SendMachine::PageEnded(const Reply& reply)
{
    if (reply.kind == ModemReply::Ok) {
        modem_.retryCount = 0;
        engine_.SetProgress(base::fpSendingEop);
        state_ = tf1PrepEOP;
    } else if (reply.kind == ModemReply::NoCarrier) {
        // The line went while the page was on its way.
        Fail(base::ecFaxSessionError);
    } else {
        IgnoreLine(reply);
    }
}

void SendMachine::PrepPostPage(FaxEvent)
{
    if (++modem_.retryCount < 4) {
        engine_.PauseMs(kPostPagePauseMs);
        engine_.SendInCallCommand("AT+FTH=3");
        state_ = tf1SendEOP;
    } else {
        Fail(base::ecFatalTimeout);
    }
}

void SendMachine::SendPostPage(const Reply& reply)
{
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    SendPostPageFrame();
    state_ = tf1WaitMPS;
}

void SendMachine::PostPageSent(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        IgnoreLine(reply);
        return;
    }
    engine_.PauseMs(kExtraPauseMs);
    engine_.ReceiveFrame();
    engine_.SetTimeout(kPostPageReplyTicks);
    state_ = tf1WaitMCF;
}

void SendMachine::WaitMcf(const Reply& reply)
{
    if (reply.kind == ModemReply::Error)
        state_ = tf1PrepEOP;
    else if (reply.kind == ModemReply::Ok)
        AfterPostPageReply();
    else
        IgnoreLine(reply);
}

void SendMachine::SendDcn(const Reply& reply)
{
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    engine_.SendFrame(BuildFrame(fcf::kDcn, {}, true));
    state_ = tf1Hangup;
}

void SendMachine::DcnSent(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        IgnoreLine(reply);
        return;
    }
    engine_.SendCommand("ATH");
    engine_.SetTimeout(kHangupReplyTicks);
    state_ = tf1WaitHngp;
}

void SendMachine::WaitHangup(const Reply& reply)
{
    if (reply.kind == ModemReply::Ok)
        state_ = tfClose;
    else
        IgnoreLine(reply);
}

void SendMachine::PageAccepted()
{
    engine_.SetProgress(base::fpPageAccepted);
    if (postPageFcf_ == fcf::kEom && modem_.morePages) {
        // Negotiation starts over with the receiver's new DIS, after the MCF
        // in the same transmission or in its next one: a DCS sent before it
        // is refused by receivers that wait to send their DIS.
        modem_.lastFrameFinal = false;
        engine_.ReceiveFrame();
        engine_.SetTimeout(kNewDisTicks);
        base::NewTimer(newDisWait_, kNewDisTicks);
        state_ = tf1Connect;
        return;
    }
    if (modem_.morePages && modem_.params.ecm) {
        StartEcmPage();
    } else if (modem_.morePages) {
        engine_.SendInCallCommand("AT+FTM=" + modem_.pageModulation);
        state_ = tf1WaitPgCn;
    } else {
        engine_.SendInCallCommand("AT+FTH=3");
        state_ = tf1SendDCN;
    }
}

void SendMachine::AfterPostPageReply()
{
    if (postPageFcf_ == fcf::kEom && modem_.morePages && RecogniseFcf(modem_.lastFcf) == FrameKind::Mcf) {
        PageAccepted();
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
        PageAccepted();
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
