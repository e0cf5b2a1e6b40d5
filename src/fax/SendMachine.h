// The send machine: asks the component for each fax, dials, negotiates with
// a Class 1 modem, pumps the pages and ends the call. Class 2 and 2.0 states
// keep their numbers but are not driven yet: a session of those classes ends
// in the prepare step with kErrClassNotDriven.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fax/FaxEngine.h"
#include "fax/FaxMachine.h"
#include "fax/PageEscaper.h"
#include "fax/PageText.h"
#include "fax/SendFaxFile.h"
#include "faxdoc/TextLineReader.h"

namespace vl::fax {

// Send states; the names are what the dispatch log shows.
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
};

}  // namespace vl::fax
