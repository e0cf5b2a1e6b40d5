// The Class 1 send states of error correction: the page, gathered by the
// page states, goes as numbered frames at the page speed, a block of at most
// 256 frames at a time, each block followed by PPS; the receiver's PPR names
// the frames to send again. After the fourth PPR for a block the speed drops
// (CTC) or, at the lowest, the block is given up (EOR) and the call fails;
// RNR is asked again with RR until the receiver is ready.
#include <string>

#include "base/ErrorCodes.h"
#include "fax/EcmFrames.h"
#include "fax/SendMachine.h"

namespace vl::fax {

namespace {

// PPRs for one block before the speed drops.
constexpr int kPprsBeforeCtc = 4;
// Times a command after a block goes unanswered before the call fails.
constexpr int kCommandTries = 4;
// T.30's T5: how long a receiver may stay not ready (RNR), in RRs at the
// post-page reply wait each.
constexpr int kT5Ms = 60000;
constexpr int kMostRnrs = kT5Ms / kT4Ms;
// RCP ends every block three times over, so one of them gets through.
constexpr int kRcpFrames = 3;

}  // namespace

void SendMachine::StartEcmPage()
{
    ecm_.page.Start(modem_.params.ecmFrameBytes);
    // Frames carry the page's bytes as they are.
    escaper_.SetDleDoubling(false);
    ecm_.collecting = true;
    ecm_.block = 0;
    ecm_.pprs = 0;
    // The page states run as when a page goes to the modem, but their bytes
    // stay here; the port has room at once.
    engine_.SetTimeout(modem_.dataTimeout);
    engine_.ArmOutputFree(kOutputFreeWanted);
    state_ = tfWaitFrHead;
}

void SendMachine::StartEcmBlock(FaxEvent)
{
    if (ecm_.collecting) {
        ecm_.collecting = false;
        escaper_.SetDleDoubling(true);
        ecm_.endCommand = PostPageCommand();
    }
    ecm_.pending.clear();
    for (int frame = 0; frame < ecm_.page.FramesIn(ecm_.block); ++frame)
        ecm_.pending.push_back(frame);
    ecm_.pprs = 0;
    ecm_.rnrs = 0;
    TransmitEcmFrames();
}

void SendMachine::TransmitEcmFrames()
{
    ecm_.next = 0;
    ecm_.rcpSent = 0;
    const SpeedInfo& speed = SpeedAt(modem_.speedIndex);
    const std::string_view modulation = ecm_.longTrain ? speed.modulation.longTraining : modem_.pageModulation;
    ecm_.longTrain = false;
    engine_.SetProgress(base::fpSendingPage);
    engine_.SendInCallCommand("AT+FTH=" + std::string(modulation));
    state_ = tf1EcmFrames;
}

void SendMachine::SendEcmFrames(const Reply& reply)
{
    if (reply.kind == ModemReply::NoCarrier) {
        Fail(base::ecFaxSessionError);
        return;
    }
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    int rc = 0;
    if (ecm_.next < ecm_.pending.size()) {
        const int frame = ecm_.pending[ecm_.next++];
        rc = engine_.SendRaw(BuildFcdFrame(frame, ecm_.page.Frame(ecm_.block, frame)));
    } else if (ecm_.rcpSent < kRcpFrames) {
        ++ecm_.rcpSent;
        rc = engine_.SendRaw(BuildRcpFrame());
    } else {
        // DLE ETX alone: no more frames, the carrier stops.
        const std::uint8_t end[] = {kDle, kEtx};
        rc = engine_.SendRaw(end);
        state_ = tf1EcmBlkEnd;
    }
    if (rc != 0) {
        Fail(rc);
        return;
    }
    engine_.ResetResponse();
}

void SendMachine::EcmBlockSent(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        IgnoreLine(reply);
        return;
    }
    const bool lastBlock = ecm_.block + 1 >= ecm_.page.BlockCount();
    AskEcm(fcf::kPps);
    if (lastBlock)
        engine_.SetProgress(base::fpSendingEop);
}

void SendMachine::AskEcm(int command)
{
    ecm_.command = command;
    ecm_.tries = 0;
    state_ = tf1EcmPrepCmd;
}

void SendMachine::PrepEcmCommand(FaxEvent)
{
    if (++ecm_.tries > kCommandTries) {
        Fail(base::ecFatalTimeout);
        return;
    }
    engine_.PauseMs(kExtraPauseMs);
    engine_.SendInCallCommand("AT+FTH=3");
    state_ = tf1EcmSendCmd;
}

std::vector<std::uint8_t> SendMachine::EcmCommandFrame() const
{
    const bool lastBlock = ecm_.block + 1 >= ecm_.page.BlockCount();
    const std::uint8_t after = lastBlock ? ecm_.endCommand : 0;
    switch (ecm_.command) {
    case fcf::kRr:
        return BuildFrame(fcf::kRr, {}, true);
    case fcf::kCtc:
        return BuildCtcFrame(modem_.speedIndex);
    case fcf::kEor:
        return BuildEorFrame(after);
    default:
        return BuildPpsFrame({after, ecm_.pageCounter, ecm_.block, ecm_.page.FramesIn(ecm_.block)});
    }
}

void SendMachine::SendEcmCommand(const Reply& reply)
{
    if (reply.kind != ModemReply::Connect) {
        IgnoreLine(reply);
        return;
    }
    engine_.SendFrame(EcmCommandFrame());
    state_ = tf1EcmCmdSent;
}

bool SendMachine::EcmReplyOk(const Reply& reply)
{
    if (reply.kind == ModemReply::Error) {
        // A garbled frame: the command goes again.
        state_ = tf1EcmPrepCmd;
        return false;
    }
    if (reply.kind != ModemReply::Ok) {
        IgnoreLine(reply);
        return false;
    }
    return true;
}

void SendMachine::EcmCommandSent(const Reply& reply)
{
    if (!EcmReplyOk(reply))
        return;
    engine_.PauseMs(kExtraPauseMs);
    modem_.lastFrameFinal = false;
    engine_.ReceiveFrame();
    engine_.SetTimeout(kPostPageReplyTicks);
    state_ = tf1EcmWaitRsp;
}

void SendMachine::WaitEcmResponse(const Reply& reply)
{
    if (!EcmReplyOk(reply))
        return;
    const FrameKind answer = RecogniseFcf(modem_.lastFcf);
    // After EOM the receiver's MCF comes with its CSI and new DIS in one
    // transmission: the page is done, and the DIS is waited for as the next
    // negotiation's.
    const bool pageEnd = ecm_.block + 1 >= ecm_.page.BlockCount();
    const bool mcfBeforeDis = answer == FrameKind::Mcf && ecm_.command == fcf::kPps && pageEnd &&
                              ecm_.endCommand == fcf::kEom && modem_.morePages;
    if (!modem_.lastFrameFinal && !mcfBeforeDis) {
        engine_.ReceiveFrame();
        return;
    }
    modem_.lastFrameFinal = false;
    if (answer == FrameKind::Mcf && ecm_.command != fcf::kCtc) {
        EcmBlockDone();
    } else if (answer == FrameKind::Err && ecm_.command == fcf::kEor) {
        // The receiver drops the page: the fax has not got through, and the
        // call ends as a failed one, as after RTN.
        engine_.Port().LogUserText("ECM: block " + std::to_string(ecm_.block + 1) + " page " +
                                   std::to_string(ecm_.pageCounter + 1) + " given up");
        Fail(base::ecFaxSessionError);
    } else if (answer == FrameKind::Ppr && (ecm_.command == fcf::kPps || ecm_.command == fcf::kRr)) {
        SendEcmFramesAgain();
    } else if (answer == FrameKind::Ctr && ecm_.command == fcf::kCtc) {
        ecm_.pprs = 0;
        TransmitEcmFrames();
    } else if (answer == FrameKind::Rnr) {
        if (++ecm_.rnrs > kMostRnrs) {
            Fail(base::ecFaxSessionError);
            return;
        }
        AskEcm(fcf::kRr);
    } else {
        // No usable answer: the command goes again.
        state_ = tf1EcmPrepCmd;
    }
}

void SendMachine::SendEcmFramesAgain()
{
    const auto map = ReadPpr(engine_.LastFrame());
    const int frames = ecm_.page.FramesIn(ecm_.block);
    if (!map || map->Count(frames) == 0) {
        // A map that names no frame of the block cannot be acted on.
        state_ = tf1EcmPrepCmd;
        return;
    }
    ecm_.pending.clear();
    for (int frame = 0; frame < frames; ++frame) {
        if (map->Has(frame))
            ecm_.pending.push_back(frame);
    }
    engine_.Port().LogUserText("ECM: block " + std::to_string(ecm_.block + 1) + " page " +
                               std::to_string(ecm_.pageCounter + 1) + ": " +
                               std::to_string(ecm_.pending.size()) + " frames sent again");
    if (++ecm_.pprs < kPprsBeforeCtc) {
        TransmitEcmFrames();
        return;
    }
    const int lower = LowerSpeed(modem_.speedIndex, modem_.localSpeeds, modem_.remoteSpeeds);
    if (lower == 0) {
        AskEcm(fcf::kEor);
        return;
    }
    modem_.speedIndex = lower;
    modem_.pageModulation = std::string(SpeedAt(lower).modulation.shortTraining);
    modem_.params.bps = SpeedAt(lower).bps;
    ecm_.longTrain = true;
    AskEcm(fcf::kCtc);
}

void SendMachine::EcmBlockDone()
{
    if (ecm_.block + 1 < ecm_.page.BlockCount()) {
        ++ecm_.block;
        state_ = tf1EcmBlock;
        return;
    }
    ++ecm_.pageCounter;
    postPageFcf_ = ecm_.endCommand;
    PageAccepted();
}

}  // namespace vl::fax
