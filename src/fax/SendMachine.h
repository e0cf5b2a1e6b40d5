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
#include "fax/FaxMachine.h"
#include "fax/PageEscaper.h"
#include "fax/PageText.h"
#include "fax/SendFaxFile.h"
#include "faxdoc/TextLineReader.h"

namespace vl::fax {

// Send states; the dispatch log shows their names (StateNames.h).
enum SendState : int {
    tfNone, tfGetEntry, tfInit, tf1Init1, tf2Init1, tf2Init1A, tf2Init1B, tf2Init2, tf2Init3, tfDial,
    tfRetryWait, tf1Connect, tf1SendTSI, tf1TSIRespns, tf1DCSRspns, tf1TrainStrt, tf1TrainFnsh, tf1WaitCFR,
    tf1WaitPgCn, tf2Connect, tf2GetParams, tfWaitXon, tfWaitFrHead, tfSndPgeHdr, tfOpenCover, tfSendCover,
    tfPrepPage, tfSendPage, tfDrainPage, tf1PageEnd, tf1PrepEOP, tf1SendEOP, tf1WaitMPS, tf1WaitEOP,
    tf1WaitMCF, tf1SendDCN, tf1Hangup, tf1WaitHngp, tf2SendEOP, tf2WaitFPTS, tf2WaitFET, tf2WaitPgOK,
    tf2SndNwPrm, tf2NextPage, tf20ChckPg, tfClose, tfCompleteOK, tfAbort, tfDone,
};

const std::vector<std::string>& SendStateNames();

class SendMachine final : public FaxMachine {
public:
    explicit SendMachine(FaxEngine& engine);
    ~SendMachine() override;

    void Prepare() override;
    bool Process(FaxEvent event) override;
    void EnterAbort() override { state_ = tfAbort; }
    int State() const override { return state_; }
    const std::vector<std::string>& StateNames() const override { return SendStateNames(); }
    RunRule RuleAfter(int state) const override;
    bool Done() const override { return state_ == tfDone; }

private:
    // Shared states (SendStates.cpp).
    void GetEntry();
    void InitFax();
    void Dial();
    void CloseFax();
    void CompleteOk();
    void AbortFax();
    // The modem's answer to the dial when it ends the call: busy or not
    // answered (the redial rule), a voice, no dial tone, no carrier. Other
    // lines (a ring-back report) leave the dial wait running.
    void DialFailed(const std::string& line);
    void RedialRule(int code);  // code: why the call failed, if it is given up
    void Fail(int code);  // record, then the abort state

    // Waiting for responses (SendResponses.cpp): answers whether a line was
    // completed.
    bool TakeResponse(FaxEvent event);
    void OnTimeout();
    void OnFrame();
    void OnLine(const std::string& line);
    void Class1Line(const std::string& line);
    void AfterPostPageReply();
    void SendPostPageFrame();
    void SendDcs();

    // Class 2 and 2.0 (SendClass2.cpp).
    void Class2Line(const std::string& line);
    void Class2Params(const std::string& line);
    void Class2PageStatus(const std::string& line);
    void AfterClass2Page();  // the page was accepted: new parameters or the next page
    void WaitXon(FaxEvent event);
    void Class2PageEnd();
    void SendNewParams();
    void NextClass2Page();
    void SendFdt();
    void SendPageAgain();
    void RememberSentPage();
    bool NextHasOtherResolution() const;
    bool IsClass2() const { return IsClass2Or20(session_.faxClass); }

    // Page data (SendPages.cpp).
    void SendPageHeader();
    void OpenCover();
    void SendCover(FaxEvent event);
    void PreparePage();
    void PumpPage(FaxEvent event);
    void DrainPage(FaxEvent event);
    bool CarrierLost();  // reads what the modem said while a page goes out
    bool AdvancePage();  // false after a file error (recorded)
    void ArmPageTriggers();
    SendFaxFile& PageSource();  // the APF cover while it is sent, else the fax file
    std::size_t MinScanBytes() const;
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
