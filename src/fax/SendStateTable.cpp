// The send states in one table: the name the dispatch log shows, what the
// engine does after a pass in the state, and the state's handler. A new state
// is one row here and its handler.
#include <iterator>

#include "fax/SendMachine.h"

namespace vl::fax {

namespace {

using Row = SendMachine::StateRow;

// A state that acts on its pass's event, then runs again at once (Again),
// waits for its next trigger (Wait) or keeps the pass's decision (Keep).
constexpr Row Acts(SendState state, const char* name, RunRule rule, SendMachine::PassHandler handler)
{
    return {state, name, rule, handler, nullptr};
}

// A state that reads the modem's response lines.
constexpr Row Reads(SendState state, const char* name, SendMachine::ReplyHandler handler)
{
    return {state, name, RunRule::WhileChars, nullptr, handler};
}

template <std::size_t N>
constexpr bool InStateOrder(const Row (&rows)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].state != static_cast<SendState>(i))
            return false;
    }
    return true;
}

}  // namespace

const SendMachine::StateRow& SendMachine::Row(int state)
{
    using M = SendMachine;
    constexpr RunRule again = RunRule::Again;
    constexpr RunRule wait = RunRule::Wait;
    static constexpr StateRow rows[] = {
        // Never entered; a line there is dropped.
        Reads(tfNone, "tfNone", &M::IgnoreLine),
        Acts(tfGetEntry, "tfGetEntry", again, &M::GetEntry),
        Acts(tfInit, "tfInit", again, &M::InitFax),
        Reads(tf1Init1, "tf1Init1", &M::Class1Init),
        Reads(tf2Init1, "tf2Init1", &M::Class2Init1),
        Reads(tf2Init1A, "tf2Init1A", &M::Class2Init1A),
        Reads(tf2Init1B, "tf2Init1B", &M::Class2Init1B),
        Reads(tf2Init2, "tf2Init2", &M::Class2Init2),
        Reads(tf2Init3, "tf2Init3", &M::Class2Init3),
        Acts(tfDial, "tfDial", again, &M::Dial),
        Acts(tfRetryWait, "tfRetryWait", wait, &M::RetryWait),
        Reads(tf1Connect, "tf1Connect", &M::Class1Connect),
        Reads(tf1SendTSI, "tf1SendTSI", &M::SendTsi),
        Reads(tf1TSIRespns, "tf1TSIRespns", &M::TsiSent),
        Reads(tf1DCSRspns, "tf1DCSRspns", &M::DcsSent),
        Reads(tf1TrainStrt, "tf1TrainStrt", &M::StartTraining),
        Reads(tf1TrainFnsh, "tf1TrainFnsh", &M::TrainingSent),
        Reads(tf1WaitCFR, "tf1WaitCFR", &M::WaitCfr),
        Reads(tf1WaitPgCn, "tf1WaitPgCn", &M::WaitPageConnect),
        Reads(tf2Connect, "tf2Connect", &M::Class2Connect),
        Reads(tf2GetParams, "tf2GetParams", &M::Class2Params),
        Acts(tfWaitXon, "tfWaitXon", wait, &M::WaitXon),
        Acts(tfWaitFrHead, "tfWaitFrHead", wait, &M::WaitFrameHead),
        Acts(tfSndPgeHdr, "tfSndPgeHdr", again, &M::SendPageHeader),
        Acts(tfOpenCover, "tfOpenCover", again, &M::OpenCover),
        Acts(tfSendCover, "tfSendCover", wait, &M::SendCover),
        Acts(tfPrepPage, "tfPrepPage", again, &M::PreparePage),
        Acts(tfSendPage, "tfSendPage", wait, &M::PumpPage),
        Acts(tfDrainPage, "tfDrainPage", wait, &M::DrainPage),
        Reads(tf1PageEnd, "tf1PageEnd", &M::PageEnded),
        Acts(tf1PrepEOP, "tf1PrepEOP", again, &M::PrepPostPage),
        Reads(tf1SendEOP, "tf1SendEOP", &M::SendPostPage),
        Reads(tf1WaitMPS, "tf1WaitMPS", &M::PostPageSent),
        // Never entered; a line there is dropped.
        Reads(tf1WaitEOP, "tf1WaitEOP", &M::IgnoreLine),
        Reads(tf1WaitMCF, "tf1WaitMCF", &M::WaitMcf),
        Reads(tf1SendDCN, "tf1SendDCN", &M::SendDcn),
        Reads(tf1Hangup, "tf1Hangup", &M::DcnSent),
        Reads(tf1WaitHngp, "tf1WaitHngp", &M::WaitHangup),
        Acts(tf2SendEOP, "tf2SendEOP", again, &M::Class2PageEnd),
        Reads(tf2WaitFPTS, "tf2WaitFPTS", &M::WaitFpts),
        Reads(tf2WaitFET, "tf2WaitFET", &M::WaitPageStatus),
        Reads(tf2WaitPgOK, "tf2WaitPgOK", &M::WaitPageOk),
        Acts(tf2SndNwPrm, "tf2SndNwPrm", RunRule::Keep, &M::SendNewParams),
        Acts(tf2NextPage, "tf2NextPage", again, &M::NextClass2Page),
        Reads(tf20ChckPg, "tf20ChckPg", &M::WaitPageStatus),
        Acts(tfClose, "tfClose", again, &M::CloseFax),
        Acts(tfCompleteOK, "tfCompleteOK", again, &M::CompleteOk),
        Acts(tfAbort, "tfAbort", again, &M::AbortFax),
        Acts(tfDone, "tfDone", wait, &M::Idle),
        Acts(tf1EcmBlock, "tf1EcmBlock", again, &M::StartEcmBlock),
        Reads(tf1EcmFrames, "tf1EcmFrames", &M::SendEcmFrames),
        Reads(tf1EcmBlkEnd, "tf1EcmBlkEnd", &M::EcmBlockSent),
        Acts(tf1EcmPrepCmd, "tf1EcmPrepCmd", again, &M::PrepEcmCommand),
        Reads(tf1EcmSendCmd, "tf1EcmSendCmd", &M::SendEcmCommand),
        Reads(tf1EcmCmdSent, "tf1EcmCmdSent", &M::EcmCommandSent),
        Reads(tf1EcmWaitRsp, "tf1EcmWaitRsp", &M::WaitEcmResponse),
    };
    static_assert(std::size(rows) == kSendStateCount, "one row per send state");
    static_assert(InStateOrder(rows), "rows in state order");
    return rows[state];
}

}  // namespace vl::fax
