// Opening and closing the comm port, and moving it to another COM number.
#include <utility>

#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "serial/PortNames.h"
#include "serial/VlComPort.h"
#include "serial/VlLinuxDispatcher.h"

namespace vl::serial {

namespace {

// The open's codes as the component reports them: a refused device is one
// that is already open, a missing one does not exist.
int OpenFailureCode(int code)
{
    switch (code) {
    case base::ecAccessDenied:
        return base::ecPortAlreadyOpen;
    case base::ecFileNotFound:
    case base::ecPathNotFound:
        return base::ecNoSuchPort;
    default:
        return code;
    }
}

}  // namespace

VlComPort::VlComPort(base::MessageLoop& loop)
    : loop_(loop), window_(loop, [this](const base::WindowMessage& message) { return OnWindowMessage(message); })
{
}

VlComPort::~VlComPort()
{
    if (state_ == State::Open)
        DoClose();
    // A close still waiting for the threads completes in the dispatcher's destructor.
    if (dispatcher_)
        dispatcher_->RemoveWindowHandler(&window_);
    dispatcher_.reset();
}

void VlComPort::SetOpen(bool open)
{
    if (open) {
        if (state_ == State::Closing)
            reopenRequested_ = true;
        else if (state_ == State::Closed)
            DoOpen();
        return;
    }
    reopenRequested_ = false;
    if (state_ == State::Open)
        DoClose();
}

VlBaseDispatcher& VlComPort::Dispatcher()
{
    if (state_ == State::Closed && autoOpen_)
        DoOpen();
    if (state_ != State::Open)
        base::CheckException(base::ecPortNotOpen);
    return *dispatcher_;
}

void VlComPort::ChooseComNumber()
{
    if (tapiMode_ == tmOn || comNumber_ != 0 || !devicePath_.empty())
        return;
    int chosen = 0;
    if (!promptForPort_ || !portChooser_ || !portChooser_(chosen) || chosen <= 0)
        base::CheckException(base::ecNoPortSelected);
    comNumber_ = chosen;
}

std::string VlComPort::PortDevice() const
{
    return devicePath_.empty() ? DevicePathForCom(comNumber_, iniFile_) : devicePath_;
}

void VlComPort::DoOpen()
{
    ChooseComNumber();
    try {
        OpenDispatcher();
        state_ = State::Open;
        ReapplyAll();
        open_ = true;
        dispatcher_->AddWindowHandler(&window_);
        if (restoreTriggers_) {
            dispatcher_->RestoreTriggerState(savedTriggers_);
            restoreTriggers_ = false;
        }
    } catch (...) {
        state_ = State::Closed;
        open_ = false;
        dispatcher_.reset();
        throw;
    }
    TellWatchers(true);
    if (onPortOpened_)
        onPortOpened_(*this);
}

void VlComPort::OpenDispatcher()
{
    dispatcher_ = dispatcherFactory_ ? dispatcherFactory_(loop_) : MakeLinuxDispatcher(loop_);
    dispatcher_->SetOwner(this);
    dispatcher_->SetFailureHandler([this](std::exception_ptr error) { PortFailed(error); });
    const std::string device = PortDevice();
    if (device.empty())
        base::CheckException(base::ecNoSuchPort);
    unsigned options = 0;
    if (hwFlow_ & hwfUseDTR)
        options |= kOpenLeaveDtr;
    else if (dtr_)
        options |= kOpenDtrOn;
    if (hwFlow_ & hwfUseRTS)
        options |= kOpenLeaveRts;
    else if (rts_)
        options |= kOpenRtsOn;
    const int rc = dispatcher_->OpenDevicePort(device, baud_, parity_, dataBits_, stopBits_, inSize_, outSize_,
                                               options);
    base::CheckException(OpenFailureCode(rc));
}

void VlComPort::ReapplyAll()
{
    ApplyHandlerPresence();
    SetTracing(tracing_);
    SetLogging(logging_);
    ApplyHardwareFlow();
    ApplySoftwareFlow();
    base::CheckException(dispatcher_->SetXonXoffChars(static_cast<std::uint8_t>(xonChar_),
                                                      static_cast<std::uint8_t>(xoffChar_)));
    dispatcher_->SetAvailThreshold(availThreshold_);
    ApplyDtr();
    ApplyRts();
    ApplyRs485();
    dispatcher_->SetPriorityBoost(threadBoost_);
}

void VlComPort::DoClose()
{
    open_ = false;
    if (tracing_ == tlOn || tracing_ == tlPause)
        SetTracing(tlDump);
    if (logging_ == tlOn || logging_ == tlPause)
        SetLogging(tlDump);
    state_ = State::Closing;
    TellWatchers(false);
    if (onPortClosing_)
        onPortClosing_(*this);
    dispatcher_->SaveTriggerState(savedTriggers_);
    restoreTriggers_ = true;
    dispatcher_->CloseDevicePort();
    if (dispatcher_->ClosePending()) {
        // An event is being dispatched (perhaps to us, further up this very
        // stack): the close completes from the loop once the threads end.
        window_.Post({kFinishCloseMsg, 0, EventLParam(dispatcher_->Handle(), 0)});
        return;
    }
    FinishClose();
}

void VlComPort::FinishClose()
{
    dispatcher_->RemoveWindowHandler(&window_);
    dispatcher_.reset();
    state_ = State::Closed;
    if (std::exchange(reopenRequested_, false))
        DoOpen();
}

void VlComPort::FinishCloseMessage(const base::WindowMessage& message)
{
    if (state_ != State::Closing || !dispatcher_ || dispatcher_->Handle() != EventDispatcherHandle(message.lParam))
        return;
    // Waiting a moment keeps the loop from spinning on the re-posted message;
    // the wait is short, as a thread may be waiting for this loop.
    if (!dispatcher_->WaitThreadsEnded(std::chrono::milliseconds(2))) {
        window_.Post(message);
        return;
    }
    FinishClose();
}

void VlComPort::SetComNumber(int comNumber)
{
    if (state_ != State::Open) {
        comNumber_ = comNumber;
        return;
    }
    if (comNumber == comNumber_)
        return;
    TriggerState triggers;
    dispatcher_->SaveTriggerState(triggers);
    const TraceLogState tracing = tracing_;
    const TraceLogState logging = logging_;
    SetOpen(false);
    comNumber_ = comNumber;
    SetTracing(tracing);
    SetLogging(logging);
    SetOpen(true);
    if (state_ == State::Open)
        dispatcher_->RestoreTriggerState(triggers);
}

}  // namespace vl::serial
