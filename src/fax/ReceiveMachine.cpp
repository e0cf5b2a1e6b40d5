// The receive machine's passes and the states every class shares: getting
// ready, waiting for rings, answering, ending and aborting a call.
#include "fax/ReceiveMachine.h"

#include "base/ErrorCodes.h"
#include "fax/FaxEngine.h"
#include "fax/ResponseChecks.h"
#include "fax/StateNames.h"

namespace vl::fax {
namespace {

bool Contains(const std::string& text, std::string_view what) { return text.find(what) != std::string::npos; }

// States that act without looking at the port, or read it themselves.
bool ReadsNoLines(int state) {
    switch (state) {
    case rfInit:
    case rfAnswer:
    case rf1CollRtry1:
    case rf1CollRtry2:
    case rf1CollTrn:
    case rfStartPage:
    case rfGtPgDta:
    case rf1WritePage:
    case rfComplete:
    case rfAbort:
    case rfDone:
        return true;
    default:
        return false;
    }
}

}  // namespace

ReceiveMachine::ReceiveMachine(FaxEngine& engine)
    : engine_(engine), pageData_([this](std::span<const std::uint8_t> bytes) { return StorePageBytes(bytes); }, false) {}

std::unique_ptr<FaxEngine> CreateReceiver(std::string_view stationId, serial::VlBaseDispatcher& port,
                                          base::MessageWindow* window) {
    auto engine = std::make_unique<FaxEngine>(EngineKind::Receiver, stationId, port, window);
    engine->AttachMachine(std::make_unique<ReceiveMachine>(*engine));
    return engine;
}

const std::vector<std::string>& ReceiveStateNames() {
    // The states after rfDone came later than the message table's names.
    static const std::vector<std::string> names = [] {
        auto all = StateNamesFrom(kFirstReceiveStateName, rfDone + 1);
        all.insert(all.end(), {"rf1EcmFrame", "rf1EcmCmd", "rf1EcmAnswer"});
        return all;
    }();
    return names;
}

const std::vector<std::string>& ReceiveMachine::StateNames() const { return ReceiveStateNames(); }

RunRule ReceiveMachine::RuleAfter(int state) const {
    switch (state) {
    case rfInit:
    case rfAnswer:
    // Entered on a time-out, which is not re-armed, while the modem listens
    // quietly for a frame: waiting would stall the call.
    case rf1CollRtry1:
    case rfStartPage:
    case rf1WritePage:
    case rfComplete:
    case rfAbort:
        return RunRule::Again;
    case rf1CollRtry2:
    case rfDone:
        return RunRule::Wait;
    case rf1ChkTrn:
        return RunRule::Keep;
    default:
        // Also the training check: its bytes often arrive with the CONNECT
        // before it, and the port raises one data event per arrival, so no
        // later event would come for them and the check would time out.
        return RunRule::WhileChars;
    }
}

void ReceiveMachine::EnterAbort() { Go(rfAbort); }

void ReceiveMachine::Fail(int code) {
    Engine().RecordError(code);
    Go(rfAbort);
}

bool ReceiveMachine::Process(FaxEvent event) {
    Input in{event};
    if (event == FaxEvent::Chars && !ReadsNoLines(state_)) {
        const ResponseKind got = Engine().Collect();
        in.line = got == ResponseKind::Line;
        in.frame = got == ResponseKind::Frame;
        if (!in.line && !in.frame)
            return false;
    }
    if (in.frame && FrameActsEverywhere())
        return false;
    if (in.line && state_ == rf1EcmFrame && HasError(Engine().Response())) {
        EcmFrameError();
        return true;
    }
    if (in.line && HasError(Engine().Response())) {
        // "+FCERROR": the modem still hears V.21 where fast data was asked
        // for; the far side is about to send it, so ask again.
        if ((state_ == rf1StrtTrn || state_ == rf1WtPgCnnct) && Contains(Engine().Response(), "+FCERROR") &&
            fastRetries_ < 5) {
            ++fastRetries_;
            Engine().SendInCallCommand(fastCommand_);
            return true;
        }
        // A frame with a bad check sequence: the sender repeats it.
        if ((state_ == rf1CollFrms || state_ == rf1WaitEOP || state_ == rf1WaitDCN || state_ == rf1EcmCmd) &&
            frameRetries_ < 3) {
            FrameAgain();
            return true;
        }
        Fail(base::ecFaxBadModemResult);
        return true;
    }
    switch (state_) {
    case rfInit:
        Init();
        break;
    case rf1Init1:
        Class1Init1(in);
        break;
    case rfWaiting:
        Waiting(in);
        break;
    case rfAnswer:
        Answer();
        break;
    case rfStartPage:
        StartPage();
        break;
    case rfGtPgDta:
        TakePageData(in);
        break;
    case rfComplete:
        Complete();
        break;
    case rfAbort:
        AbortCall();
        break;
    case rfDone:
        break;
    default:
        if (IsClass2())
            ProcessClass2(in);
        else
            ProcessClass1(in);
        break;
    }
    return in.line;
}

void ReceiveMachine::Init() {
    FaxSession& session = Engine().Session();
    ModemRecord& modem = Engine().Modem();
    Engine().ResetResponse();
    // Each call starts clean: the finish code tells how the last one went,
    // not a refused or failed call before it.
    session.lastError = 0;
    arrival_ = PageArrival::NoFile;
    rings_ = 0;
    session.pages.bytes = 0;
    session.pages.currentPage = 1;
    Engine().SetRemoteId("");
    session.faxFile.clear();
    session.coverFile.clear();
    session.phoneNumber.clear();
    firstStatusSent_ = false;
    if (Engine().Receiver().constantStatus && !constantStatusSent_) {
        constantStatusSent_ = true;
        firstStatusSent_ = true;
        Engine().SendStatus(kStatusFirst);
    }
    if ((session.flags & kFlagSoftwareFlow) != 0)
        Engine().Port().ClearSoftwareFlow();
    Engine().Port().SetDtrState(true);
    Engine().Port().SetRtsState(true);
    modem.retryCount = 0;
    modem.endOfMessage = false;
    const bool class2 = IsClass2();
    if (Engine().SendCommand(class2 ? modem.vocabulary.selectClass : "AT+FCLASS=1") != 0) {
        Fail(base::ecFaxInitError);
        return;
    }
    Go(class2 ? rf2Init1 : rf1Init1);
}

void ReceiveMachine::Class1Init1(const Input& in) {
    if (in.event == FaxEvent::Timeout) {
        Fail(base::ecFaxInitError);
        return;
    }
    if (!in.line)
        return;
    if (!HasOk(Engine().Response())) {
        Fail(base::ecFaxInitError);
        return;
    }
    Engine().SwitchToNormalBaud();
    Engine().StopTimeout();
    Engine().SetProgress(base::fpWaitingForCall);
    Go(rfWaiting);
}

void ReceiveMachine::Waiting(const Input& in) {
    if (in.event == FaxEvent::Timeout) {
        // Nothing came after the last stray line (a caller who rang off
        // before the answer): get ready for a call again. No abort state: the
        // line was never answered, so there is nothing to hang up, and with
        // ExitOnError it would end receive mode over that caller.
        Go(rfInit);
        return;
    }
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (Contains(line, "RING")) {
        ++rings_;
        if (rings_ < Engine().Modem().answerOnRing) {
            Engine().ResetResponse();
            return;
        }
        arrival_ = PageArrival::NoFile;
        if (!firstStatusSent_) {
            firstStatusSent_ = true;
            Engine().SendStatus(kStatusFirst);
        }
        Engine().SetTimeout(Engine().Modem().responseTimeout);
        Go(rfAnswer);
        return;
    }
    if (Contains(line, "NO C")) {
        Engine().SetProgress(base::fpNoConnect);
        return;
    }
    if (HasConnect(line)) {
        Fail(base::ecFaxDataCall);
        return;
    }
    if (Contains(line, "VOICE") || Contains(line, "VCON")) {
        Fail(base::ecFaxVoiceCall);
        return;
    }
    Engine().ResetResponse();
}

void ReceiveMachine::Answer() {
    if (answering_)
        return;
    answering_ = true;
    if (!firstStatusSent_) {
        firstStatusSent_ = true;
        Engine().SendStatus(kStatusFirst);
    }
    const base::Tick wait = Engine().Modem().dialWaitTicks;
    const int sent = Engine().SendCommand("ATA");
    Engine().SetTimeout(wait);
    Engine().StartResponseTimer(wait);
    Engine().SetProgress(base::fpAnswering);
    answering_ = false;
    if (sent != 0) {
        Fail(sent);
        return;
    }
    Engine().Modem().retryCount = 0;
    Go(IsClass2() ? rf2ValCnnct : rf1SendCSI);
}

bool ReceiveMachine::LastStatusDue() const {
    return (firstStatusSent_ && !Engine().Receiver().constantStatus) || Engine().UserAborted();
}

void ReceiveMachine::EndSession() {
    // An aborted call left the port at the normal rate; the session ends
    // at the init rate whichever way it ends.
    Engine().SwitchToInitBaud();
    Engine().Modem().initialised = false;
    Go(rfDone);
    Engine().Finish();
}

void ReceiveMachine::Complete() {
    Engine().SwitchToInitBaud();
    if (Engine().Receiver().oneFax) {
        if (LastStatusDue())
            Engine().SendStatus(kStatusLast);
        EndSession();
        return;
    }
    if (!Engine().Receiver().constantStatus)
        Engine().SendStatus(kStatusLast);
    Go(rfInit);
}

void ReceiveMachine::AbortCall() {
    if (file_.IsOpen()) {
        // A page cut short is dropped; a file without a whole page goes.
        file_.Abandon();
        Engine().SendLog(kLogReceiveFailed);
    }
    Engine().HangUpReceiver();
    if (LastStatusDue())
        Engine().SendStatus(kStatusLast);
    if ((Engine().Session().flags & kFlagExitOnError) != 0 || Engine().UserAborted()) {
        EndSession();
        return;
    }
    Go(rfInit);
}

}  // namespace vl::fax
