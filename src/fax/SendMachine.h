// The send machine: asks the component for each fax, dials, negotiates with
// a Class 1 modem or lets a Class 2 or 2.0 modem negotiate, pumps the pages
// and ends the call.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Ticks.h"
#include "fax/FaxEngine.h"
#include "fax/EcmSendPage.h"
#include "fax/FaxMachine.h"
#include "fax/PageEscaper.h"
#include "fax/PageText.h"
#include "fax/ResponseChecks.h"
#include "fax/SendFaxFile.h"
#include "faxdoc/TextLineReader.h"

namespace vl::fax {

// Send states; the dispatch log shows their names (SendMachine::Row).
enum SendState : int {
    tfNone, tfGetEntry, tfInit, tf1Init1, tf2Init1, tf2Init1A, tf2Init1B, tf2Init2, tf2Init3, tfDial,
    tfRetryWait, tf1Connect, tf1SendTSI, tf1TSIRespns, tf1DCSRspns, tf1TrainStrt, tf1TrainFnsh, tf1WaitCFR,
    tf1WaitPgCn, tf2Connect, tf2GetParams, tfWaitXon, tfWaitFrHead, tfSndPgeHdr, tfOpenCover, tfSendCover,
    tfPrepPage, tfSendPage, tfDrainPage, tf1PageEnd, tf1PrepEOP, tf1SendEOP, tf1WaitMPS, tf1WaitEOP,
    tf1WaitMCF, tf1SendDCN, tf1Hangup, tf1WaitHngp, tf2SendEOP, tf2WaitFPTS, tf2WaitFET, tf2WaitPgOK,
    tf2SndNwPrm, tf2NextPage, tf20ChckPg, tfClose, tfCompleteOK, tfAbort, tfDone,
    // Class 1 error correction: a block's frames, then the command after it.
    tf1EcmBlock, tf1EcmFrames, tf1EcmBlkEnd, tf1EcmPrepCmd, tf1EcmSendCmd, tf1EcmCmdSent, tf1EcmWaitRsp,
};

inline constexpr int kSendStateCount = tf1EcmWaitRsp + 1;

const std::vector<std::string>& SendStateNames();

class SendMachine final : public FaxMachine {
public:
    // A response line as the state that reads it sees it.
    struct Reply {
        ModemReply kind;
        const std::string& line;
    };
    using PassHandler = void (SendMachine::*)(FaxEvent);
    using ReplyHandler = void (SendMachine::*)(const Reply&);

    // One row per state, in state order (SendStateTable.cpp). A state either
    // acts on the pass's event (onPass) or reads the modem's response lines
    // (onReply, run again while characters wait); a time-out or a frame in a
    // reading state goes to OnTimeout or OnFrame.
    struct StateRow {
        SendState state;
        const char* name;  // as the dispatch log shows it
        RunRule rule;
        PassHandler onPass;
        ReplyHandler onReply;
    };
    static const StateRow& Row(int state);

    explicit SendMachine(FaxEngine& engine);
    ~SendMachine() override;

    void Prepare() override;
    bool Process(FaxEvent event) override;
    void EnterAbort() override { state_ = tfAbort; }
    int State() const override { return state_; }
    const std::vector<std::string>& StateNames() const override { return SendStateNames(); }
    RunRule RuleAfter(int state) const override { return Row(state).rule; }
    bool Done() const override { return state_ == tfDone; }

private:
    // Shared states (SendStates.cpp).
    void GetEntry(FaxEvent);
    void InitFax(FaxEvent);
    void Dial(FaxEvent);
    void RetryWait(FaxEvent event);
    void CloseFax(FaxEvent);
    void CompleteOk(FaxEvent);
    void AbortFax(FaxEvent);
    void Idle(FaxEvent) {}
    // The modem's answer to the dial when it ends the call: busy or not
    // answered (the redial rule), a voice, no dial tone, no carrier. Other
    // lines (a ring-back report) leave the dial wait running.
    void DialFailed(const Reply& reply);
    void RedialRule(int code);  // code: why the call failed, if it is given up
    void Fail(int code);  // record, then the abort state
    // The dispatch log notes a line the state had no use for; IgnoreLine also
    // empties the collector as the states do with a line they drop.
    void LogUnexpected(const std::string& line);
    void IgnoreLine(const Reply& reply);

    // Waiting for responses (SendResponses.cpp): answers whether a line was
    // completed.
    bool TakeResponse(FaxEvent event, ReplyHandler onReply);
    ModemReply Classify(const std::string& line) const;
    void OnTimeout();
    void OnFrame();
    void OnLine(const std::string& line, ReplyHandler onReply);
    void AfterPostPageReply();
    // MCF for a page's last command (or ERR after its last block): the
    // next page, a new negotiation after EOM, or the call's end.
    void PageAccepted();
    // MPS, EOM or EOP for what follows the page just sent.
    std::uint8_t PostPageCommand() const;
    void SendPostPageFrame();
    void SendDcs();

    // Class 1 states that read responses (SendClass1.cpp).
    void Class1Init(const Reply& reply);
    void Class1Connect(const Reply& reply);
    void SendTsi(const Reply& reply);
    void TsiSent(const Reply& reply);
    void DcsSent(const Reply& reply);
    void StartTraining(const Reply& reply);
    void TrainingSent(const Reply& reply);
    void WaitCfr(const Reply& reply);
    void WaitPageConnect(const Reply& reply);
    void PageEnded(const Reply& reply);
    void PrepPostPage(FaxEvent);
    void SendPostPage(const Reply& reply);
    void PostPageSent(const Reply& reply);
    void WaitMcf(const Reply& reply);
    void SendDcn(const Reply& reply);
    void DcnSent(const Reply& reply);
    void WaitHangup(const Reply& reply);

    // Class 1 error correction (SendClass1Ecm.cpp): the page is gathered
    // through the page states, then sent block by block.
    void StartEcmPage();
    void StartEcmBlock(FaxEvent);
    void SendEcmFrames(const Reply& reply);
    void EcmBlockSent(const Reply& reply);
    void PrepEcmCommand(FaxEvent);
    void SendEcmCommand(const Reply& reply);
    void EcmCommandSent(const Reply& reply);
    void WaitEcmResponse(const Reply& reply);
    // OK goes on; ERROR sends the command again; anything else is ignored.
    bool EcmReplyOk(const Reply& reply);
    void TransmitEcmFrames();
    void SendEcmFramesAgain();
    void EcmBlockDone();
    void AskEcm(int command);
    std::vector<std::uint8_t> EcmCommandFrame() const;

    // Class 2 and 2.0 (SendClass2.cpp).
    void Class2Init1(const Reply& reply);
    void Class2Init1A(const Reply& reply);
    void Class2Init1B(const Reply& reply);
    void Class2Init2(const Reply& reply);
    void Class2Init3(const Reply& reply);
    void Class2Connect(const Reply& reply);
    void Class2Params(const Reply& reply);
    void WaitFpts(const Reply& reply);
    void WaitPageStatus(const Reply& reply);
    void WaitPageOk(const Reply& reply);
    void Class2PageStatus(const std::string& line);
    void AfterClass2Page();  // the page was accepted: new parameters or the next page
    void WaitXon(FaxEvent event);
    void Class2PageEnd(FaxEvent);
    void SendNewParams(FaxEvent);
    void NextClass2Page(FaxEvent);
    void SendFdt();
    void SendPageAgain();
    void RememberSentPage();
    bool NextHasOtherResolution() const;
    bool IsClass2() const { return IsClass2Or20(session_.faxClass); }

    // Page data (SendPages.cpp).
    void WaitFrameHead(FaxEvent event);
    void SendPageHeader(FaxEvent);
    void OpenCover(FaxEvent);
    void SendCover(FaxEvent event);
    void PreparePage(FaxEvent);
    void PumpPage(FaxEvent event);
    void DrainPage(FaxEvent event);
    bool CarrierLost();  // reads what the modem said while a page goes out
    bool AdvancePage();  // false after a file error (recorded)
    void ArmPageTriggers();
    SendFaxFile& PageSource();  // the APF cover while it is sent, else the fax file
    std::size_t MinScanBytes() const;
    // The escaper set up for the page in the session's coding.
    void StartPageOnLine();
    int SendToPort(std::span<const std::uint8_t> bytes);
    void ReleaseCover();

    FaxEngine& engine_;
    FaxSession& session_;
    ModemRecord& modem_;
    SenderOptions& options_;
    int state_ = tfGetEntry;
    bool inGetEntry_ = false;

    SendFaxFile file_;
    SendFaxFile apfCover_;
    std::unique_ptr<faxdoc::TextLineReader> coverReader_;
    std::unique_ptr<PageText> coverText_;
    PageEscaper escaper_;
    std::vector<std::uint8_t> block_;
    std::uint8_t postPageFcf_ = 0;  // the post-page frame last sent
    bool retrainPending_ = false;
    base::EventTimer newDisWait_;  // after EOM: how long the receiver's new DIS may take

    // Error correction: the page being sent, and where its blocks stand.
    struct EcmSend {
        EcmSendPage page;
        bool collecting = false;    // the page states fill `page`, not the port
        int pageCounter = 0;        // pages of the call sent, for PPS and the log
        int block = 0;
        std::vector<int> pending;   // frame numbers of the transmission
        std::size_t next = 0;       // the next of `pending` to send
        int rcpSent = 0;
        int command = 0;            // fcf of the command after the block
        std::uint8_t endCommand = 0;  // MPS, EOM or EOP after the page's last block
        int tries = 0;              // the command sent without an answer
        int pprs = 0;               // PPRs for this block at this speed
        int rnrs = 0;
        bool longTrain = false;     // the first transmission at a new speed
    } ecm_;

    // Classes 2 and 2.0: the page last sent, so that a page the far end
    // found bad can be sent again from its start after the advance.
    struct SentPage {
        bool cover = false;
        std::string coverFile;
        int page = 1;
        char resolution = ' ';
        char previousResolution = ' ';
        bool wide = false;
    };
    SentPage sentPage_;
    bool badPage_ = false;  // a bad page status came before the OK
};

}  // namespace vl::fax
