// The receive machine: waits for rings, answers, negotiates the session with
// the calling station and writes the pages it sends into a new APF file.
//
// States are numbered as the dispatch log names them (ReceiveState); the
// states every class shares live in ReceiveMachine.cpp and
// ReceiveMachinePage.cpp, the Class 1 T.30 dialogue in
// ReceiveMachineClass1.cpp, the reports of Class 2 and 2.0 modems (which run
// the dialogue themselves) in ReceiveMachineClass2.cpp, the prepare step in
// ReceivePrepare.cpp.
//
// Runs on the dispatcher thread (the first pass on the thread that calls
// FaxEngine::Start); the engine serialises the passes.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "fax/Class1Training.h"
#include "fax/EcmBlockReceiver.h"
#include "fax/FaxMachine.h"
#include "fax/PageDataReceiver.h"
#include "fax/ReceiveFaxFile.h"
#include "faxdoc/PageRecoder.h"

namespace vl::fax {

class FaxEngine;

enum ReceiveState : int {
    rfNone = 0,
    rfInit = 1,
    rf1Init1 = 2,
    rf2Init1 = 3,
    rf2Init1A = 4,
    rf2Init1B = 5,
    rf2Init2 = 6,
    rf2Init3 = 7,
    rfWaiting = 8,
    rfAnswer = 9,
    rf1SendCSI = 10,
    rf1SendDIS = 11,
    rf1CollFrms = 12,
    rf1CollRtry1 = 13,
    rf1CollRtry2 = 14,
    rf1StrtTrn = 15,
    rf1CollTrn = 16,
    rf1ChkTrn = 17,
    rf1Retrain = 18,
    rf1FinTrn = 19,
    rf1SendCFR = 20,
    rf1WtPgCnnct = 21,
    rf2ValCnnct = 22,
    rf2GtSndID = 23,
    rf2GtCnnct = 24,
    rfStartPage = 25,
    rfGtPgDta = 26,
    rf1FinPage = 27,
    rf1WaitEOP = 28,
    rf1WritePage = 29,
    rf1SendMCF = 30,
    rf1WaitDCN = 31,
    rf1WtHngp = 32,
    rf2GtPgRslt = 33,
    rf2GetFHNG = 34,
    rfComplete = 35,
    rfAbort = 36,
    rfDone = 37,
    // Class 1 error correction: a block's frames, the command after them,
    // our answer to it.
    rf1EcmFrame = 38,
    rf1EcmCmd = 39,
    rf1EcmAnswer = 40,
};

inline constexpr int kReceiveStateCount = rf1EcmAnswer + 1;

// The names the dispatch log shows for the receive states (StateNames.h).
const std::vector<std::string>& ReceiveStateNames();

// Where the receive file stands when a page starts.
enum class PageArrival {
    NoFile = 3,         // no file open yet: the next page creates one
    MorePages = 2,      // file open, another page follows
    EndOfDocument = 4,  // Classes 2 and 2.0: the sender has no more pages
};

class ReceiveMachine final : public FaxMachine {
public:
    explicit ReceiveMachine(FaxEngine& engine);

    void Prepare() override;
    bool Process(FaxEvent event) override;
    void EnterAbort() override;
    int State() const override { return state_; }
    const std::vector<std::string>& StateNames() const override;
    RunRule RuleAfter(int state) const override;
    bool Done() const override { return state_ == rfDone; }

private:
    // What the current pass found at the port.
    struct Input {
        FaxEvent event = FaxEvent::None;
        bool line = false;   // a response line (Engine().Response())
        bool frame = false;  // a frame, already applied by the engine
    };

    // Common states.
    void Init();
    void Class1Init1(const Input& in);
    void Waiting(const Input& in);
    void Answer();
    void Complete();
    void AbortCall();
    bool LastStatusDue() const;
    void EndSession();

    // Pages (ReceiveMachinePage.cpp).
    std::string AskFileName();
    int CreateFile();
    void AcceptCall();
    void StartPage();
    void TakePageData(const Input& in);
    void WritePage();
    // The fax arrived whole: the file is closed and reported as received.
    void CloseReceivedFax();

    // Class 1 (ReceiveMachineClass1.cpp).
    void ProcessClass1(const Input& in);
    bool FrameActsEverywhere();
    void SendCsi(const Input& in);
    void SendDis(const Input& in);
    void CollectFrames(const Input& in);
    void CollectRetry1();
    void CollectRetry2();
    void StartTraining(const Input& in);
    void CollectTraining();
    void Retrain(const Input& in);
    void FinishTraining(const Input& in);
    void SendCfr(const Input& in);
    void WaitPageConnect(const Input& in);
    void FinishPage(const Input& in);
    // A command frame awaited (post-page, or error correction's after a
    // block): true once a final frame is in. NO CARRIER listens again, at
    // most three times; a frame that is not final listens for the next.
    bool CommandFrameIn(const Input& in);
    void WaitPostPage(const Input& in);
    void SendMcf(const Input& in);
    void WaitDcn(const Input& in);
    void WaitHangup(const Input& in);
    // Class 1 error correction (ReceiveMachineEcm.cpp).
    void StartEcmFrames();
    void TakeEcmFrame(const Input& in);
    void EcmFrameError();
    void TakeEcmCommand(const Input& in);
    void TakeEcmPps(const HdlcFrame& frame);
    void AnswerEcm(std::vector<std::uint8_t> frame);
    void EcmAnswered(const Input& in);
    void StoreEcmPage();
    // The page's end after the receiver's answer: the next page's frames,
    // or the end of the fax.
    void AfterEcmPage();
    std::string EcmModulation();

    // Classes 2 and 2.0 (ReceiveMachineClass2.cpp).
    bool IsClass2() const;
    void ProcessClass2(const Input& in);
    bool HangupReportEnds(const std::string& line);
    void Class2Init(const std::string& line);
    void ValidateConnect(const std::string& line);
    void SenderReports(const std::string& line);
    void TakeSessionParams(const std::string& line);
    void WaitDataConnect(const std::string& line);
    void PageResult(const std::string& line);
    void WaitHangupReport(const std::string& line);

    // "AT+FRM=" with the text; the command is kept to repeat it when the
    // modem still hears the far side's V.21 flags.
    void ReceiveFast(const std::string& modulation);
    void FrameAgain();

    // Page bytes into the file, re-coded when the page is not in MH.
    int StorePageBytes(std::span<const std::uint8_t> bytes);
    // The page's last bytes: the end of a re-coded page.
    int EndStoredPage();

    void Fail(int code);
    void Go(int state) { state_ = state; }
    FaxEngine& Engine() const { return engine_; }

    FaxEngine& engine_;
    int state_ = rfInit;
    int rings_ = 0;
    bool firstStatusSent_ = false;     // of the current call
    bool constantStatusSent_ = false;  // of the session (ConstantStatus)
    bool answering_ = false;  // guards state 9 against a nested pass
    PageArrival arrival_ = PageArrival::NoFile;

    ReceiveFaxFile file_;
    PageDataReceiver pageData_;
    // A page that arrives in MR or MMR is stored in MH.
    std::unique_ptr<faxdoc::PageRecoder> recoder_;
    std::vector<std::uint8_t> recoded_;
    std::vector<std::uint8_t> chunk_;
    TrainingCheck training_;

    // Classes 2 and 2.0: the modem's status of the page just received was bad.
    bool pageBad_ = false;

    // Class 1 session.
    bool morePages_ = false;
    std::string fastCommand_;     // the last "AT+FRM=" sent
    int fastRetries_ = 0;
    int frameRetries_ = 0;

    // Error correction: the page's blocks so far and where the block stands.
    struct EcmReceive {
        EcmBlockReceiver blocks;
        bool pendingFrame = false;  // a frame came; the modem's OK or ERROR follows
        HdlcFrame frame;
        bool abortedWait = false;   // a character ended a wait for frames
        bool pageBad = false;       // a block was given up (EOR): the page is not stored
        bool newPage = true;
        int pprs = 0;               // PPRs for the current block
        int blockFrames = 0;        // frames of the current block, 0 before its first PPS
        bool longTrain = false;     // the next frames come after CTC, with long training
        std::string modulation;     // of the frames' reception, the same for all its commands
        bool lastClosedValid = false;
        int lastClosedPage = 0;
        int lastClosedBlock = 0;
        bool pageEnds = false;      // the answer sent ends the page
        std::vector<std::uint8_t> lastAnswer;
    } ecm_;
};

}  // namespace vl::fax
