#include "fax/VlAbstractFax.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "base/MessageTable.h"
#include "base/Ticks.h"
#include "fax/FaxClassList.h"
#include "fax/FaxCodes.h"
#include "serial/VlComPort.h"

namespace vl::fax {

namespace {

// The buffer sizes and speed a fax session needs from its port.
constexpr int kFaxPortBuffer = 8192;
constexpr int kFaxPortBaud = 19200;

// The code carried in a message parameter (negative codes travel as their
// two's complement).
int CodeOf(std::uintptr_t wParam)
{
    return static_cast<int>(static_cast<std::intptr_t>(wParam));
}

// The date and time in the user's format, as the history lines show them.
std::string Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, n);
}

}  // namespace

VlAbstractFax::VlAbstractFax(base::MessageLoop& loop, EngineKind kind)
    : kind_(kind), window_(loop, [this](const base::WindowMessage& message) { return OnMessage(message); })
{
}

VlAbstractFax::~VlAbstractFax()
{
    SetComPort(nullptr);
    SetStatusDisplay(nullptr);
}

void VlAbstractFax::SetComPort(serial::VlComPort* port)
{
    if (port == comPort_)
        return;
    if (comPort_) {
        DropEngine();
        comPort_->RemoveWatcherCallback(portWatch_);
        comPort_->RemoveFailureWatcher(failureWatch_);
        portWatch_ = failureWatch_ = 0;
    }
    comPort_ = port;
    if (!port)
        return;
    port->SetDataBits(8);
    port->SetStopBits(1);
    port->SetParity(serial::pNone);
    port->SetBaud(kFaxPortBaud);
    port->SetInSize(kFaxPortBuffer);
    port->SetOutSize(kFaxPortBuffer);
    port->SetHWFlowOptions(serial::hwfUseRTS | serial::hwfRequireCTS);
    // The engine works on the open port's dispatcher and must not outlive it.
    portWatch_ = port->AddWatcherCallback([this](serial::VlComPort&, bool opened) {
        if (!opened)
            DropEngine();
    });
    // A port whose thread failed runs no more passes: the session ends with
    // the failure's code instead of waiting for ever.
    failureWatch_ = port->AddFailureWatcher([this](serial::VlComPort&, int code) {
        if (engine_ && engine_->Running())
            engine_->EndAfterPortFailure(code);
    });
}

void VlAbstractFax::SetStatusDisplay(FaxStatusModel* display)
{
    if (statusDisplay_)
        statusDisplay_->OnCancel = nullptr;
    statusDisplay_ = display;
    if (display)
        display->OnCancel = [this] { CancelFax(); };
}

void VlAbstractFax::SetFaxFile(const std::string& file)
{
    faxFile_ = file;
}

void VlAbstractFax::CancelFax()
{
    if (engine_ && engine_->Running())
        engine_->Abort();
}

bool VlAbstractFax::Running() const
{
    return engine_ && engine_->Running();
}

int VlAbstractFax::ModemClasses()
{
    if (Running())
        return modemClasses_;
    CheckPort();
    modemClasses_ = CapabilityBits(NewEngine().QueryModemClasses());
    return modemClasses_;
}

std::string VlAbstractFax::ProgressText(int code)
{
    return base::ProgressText(code);
}

std::string VlAbstractFax::ErrorText(int code)
{
    return base::ErrorText(code);
}

std::string VlAbstractFax::LogLines(int code) const
{
    return FaxLogText(code, LogFacts(), Now());
}

void VlAbstractFax::CheckPort() const
{
    if (!comPort_)
        throw base::EPortNotAssigned();
    if (comPort_->OutSize() < kFaxPortBuffer)
        throw base::EOutputBufferTooSmall();
}

FaxEngine& VlAbstractFax::NewEngine()
{
    serial::VlBaseDispatcher& port = comPort_->Dispatcher();
    DropEngine();
    engine_ = kind_ == EngineKind::Sender ? CreateSender(StationID, port, &window_)
                                          : CreateReceiver(StationID, port, &window_);
    engineDispatcher_ = &port;
    FaxEngine& engine = *engine_;
    FaxSession& session = engine.Session();
    session.statusIntervalSecs = StatusInterval;
    session.faxClass = static_cast<int>(FaxClass);
    session.faxFileExt = FaxFileExt;
    session.flags = (AbortNoConnect ? kFlagAbortNoConnect : 0) | (ExitOnError ? kFlagExitOnError : 0) |
                    (SoftwareFlow ? kFlagSoftwareFlow : 0);
    engine.SetModemInit(ModemInit);
    ModemRecord& modem = engine.Modem();
    modem.desiredBps = DesiredBPS;
    modem.desiredEcm = DesiredECM ? '1' : '0';
    modem.desiredCoding = DesiredCoding;
    // The port waits at the init rate until a session switches it to the
    // normal one. Without a normal rate the port's own is taken: the line
    // may still be at the init rate the last session left it at.
    if (InitBaud != 0)
        engine.SetInitBaud(InitBaud, NormalBaud != 0 ? NormalBaud : comPort_->Baud(), true);
    else
        modem.normalBaud = NormalBaud;
    return engine;
}

void VlAbstractFax::StartEngine()
{
    FaxEngine& engine = NewEngine();
    ApplyOptions(engine);
    progress_ = FaxProgressValues{};
    engine.Start();
}

void VlAbstractFax::DropEngine()
{
    if (engine_ && engine_->Running())
        engine_->Abort();
    engine_.reset();
    engineDispatcher_ = nullptr;
}

FaxLogFacts VlAbstractFax::LogFacts() const
{
    FaxLogFacts facts;
    facts.faxFile = FaxFile();
    facts.remoteId = progress_.remoteId;
    facts.errorText = ErrorText(progress_.lastError);
    facts.hangupCode = progress_.hangupCode;
    return facts;
}

FaxStatusInput VlAbstractFax::StatusInput() const
{
    FaxStatusInput input;
    input.values = progress_;
    return input;
}

// Runs while the engine waits for the answer (the finish message excepted,
// which comes after the session's last change), so the records hold still.
void VlAbstractFax::TakeProgress()
{
    if (!engine_)
        return;
    const FaxEngine& engine = *engine_;
    const FaxSession& session = engine.Session();
    const ModemRecord& modem = engine.Modem();
    progress_.progress = session.progress;
    progress_.lastError = session.lastError;
    progress_.remoteId = engine.RemoteId();
    progress_.bps = modem.params.bps;
    progress_.fine = modem.params.fine;
    progress_.wide = modem.params.wide;
    progress_.ecm = modem.params.ecm;
    progress_.hangupCode = modem.hangupCode;
    // The engine counts the attempts that failed; the one under way is the
    // next, and after the last failed one the count stays at the last.
    progress_.dialAttempt = session.dialAttempts + 1;
    if (session.maxDialAttempts != 0)
        progress_.dialAttempt = std::min(progress_.dialAttempt, session.maxDialAttempts);
    const FaxProgressInfo pages = engine.Progress();
    progress_.pagesInFile = pages.pagesInFile;
    progress_.currentPage = pages.currentPage;
    progress_.pageLength = pages.pageLength;
    progress_.bytesTransferred = pages.bytes;
}

std::intptr_t VlAbstractFax::OnMessage(const base::WindowMessage& message)
{
    TakeProgress();
    switch (message.msg) {
        case kMsgStatus:
            HandleStatus(static_cast<unsigned>(message.wParam));
            return 0;
        case kMsgLog:
            HandleLog(CodeOf(message.wParam));
            return 0;
        case kMsgError:
            if (OnFaxError)
                OnFaxError(*this, CodeOf(message.wParam));
            return 0;
        case kMsgFinish:
            HandleFinish(CodeOf(message.wParam));
            return 0;
        default:
            return OnKindMessage(message);
    }
}

void VlAbstractFax::HandleStatus(unsigned flags)
{
    const bool first = (flags & kStatusFirst) != 0;
    const bool last = (flags & kStatusLast) != 0;
    if (statusDisplay_)
        statusDisplay_->Update(StatusInput(), first, last, base::Ticks());
    if (OnFaxStatus)
        OnFaxStatus(*this, first, last);
}

void VlAbstractFax::HandleLog(int code)
{
    if (faxLog_)
        faxLog_->WriteLog(code, LogFacts(), Now());
    if (OnFaxLog)
        OnFaxLog(*this, code);
    if (code == kLogReceiveOk || code == kLogReceiveSkipped || code == kLogReceiveFailed)
        faxFile_.clear();
}

void VlAbstractFax::HandleFinish(int code)
{
    progress_.lastError = code;
    SessionFinished();
    if (OnFaxFinish)
        OnFaxFinish(*this, code);
}

}  // namespace vl::fax
