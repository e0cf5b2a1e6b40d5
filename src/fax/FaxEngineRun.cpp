// Starting and finishing a session, and the invocation rules every pass of a
// state machine goes through.
#include <string>

#include "base/ErrorCodes.h"
#include "base/MessageWindow.h"
#include "fax/FaxEngine.h"

namespace vl::fax {

bool FaxEngine::AddTriggers()
{
    statusTimer_ = port_.NewTimerTrigger();
    timeoutTimer_ = port_.NewTimerTrigger();
    outputFree_ = port_.NewStatusTrigger(serial::stOutputFree);
    outputUsed_ = port_.NewStatusTrigger(serial::stOutputUsed);
    wakeTrigger_ = port_.NewStatusTrigger(serial::stOutputFree);
    return statusTimer_ > 0 && timeoutTimer_ > 0 && outputFree_ > 0 && outputUsed_ > 0 && wakeTrigger_ > 0;
}

void FaxEngine::RemoveTriggers()
{
    for (int* handle : {&statusTimer_, &timeoutTimer_, &outputFree_, &outputUsed_}) {
        if (*handle > 0)
            port_.DeleteTrigger(*handle);
        *handle = 0;
    }
    if (const int wake = wakeTrigger_.exchange(0); wake > 0)
        port_.DeleteTrigger(wake);
}

int FaxEngine::Start()
{
    if (!machine_ || registered_.load())
        return base::ecBadArgument;
    std::lock_guard pass(passLock_);
    session_.lastError = 0;
    userAborted_ = false;
    abortRequested_ = false;
    port_.SetAvailThreshold(1);
    if (!AddTriggers()) {
        RecordError(base::ecNoTriggerSlot);
        Finish();
        return session_.lastError;
    }
    port_.AttachEngine(kFaxEngineSlot, this);
    port_.SetEngineSubkindNames(machine_->StateNames());
    machine_->Prepare();
    if (session_.lastError != 0) {
        SendStatus(kStatusLast);
        Finish();
        return session_.lastError;
    }
    registered_ = true;
    port_.AddMethodHandler(&FaxEngine::OnPortEvent, this, false);
    RunPasses(FaxEvent::Chars);
    if (registered_.load())
        ArmStatusTimer();
    return 0;
}

void FaxEngine::Finish()
{
    RemoveTriggers();
    if (registered_.exchange(false))
        port_.RemoveMethodHandler(&FaxEngine::OnPortEvent, this);
    session_.prepared = false;
    port_.LogUserText("ErrorCode:" + std::to_string(session_.lastError));
    if (window_ != nullptr)
        window_->Post({kMsgFinish, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(session_.lastError)), 0});
}

void FaxEngine::Abort()
{
    abortRequested_ = true;
    // Wakes the dispatcher at once: an output-free trigger for 0 bytes fires
    // at its next look at the port.
    if (const int wake = wakeTrigger_.load(); registered_.load() && wake > 0)
        port_.ArmStatusTrigger(wake, 0, true);
}

void FaxEngine::EndAfterPortFailure(int code)
{
    // A pass still running on a live dispatcher thread finishes first; the
    // next one finds the session over.
    std::lock_guard pass(passLock_);
    if (!registered_.load())
        return;
    RecordError(code);
    SendStatus(kStatusLast);
    Finish();
}

void FaxEngine::OnPortEvent(void* self, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t)
{
    auto& engine = *static_cast<FaxEngine*>(self);
    // Counted out even when the pass throws, so that the context can go.
    struct InFlight {
        std::atomic<int>& count;
        explicit InFlight(std::atomic<int>& c) : count(c) { ++count; }
        ~InFlight() { --count; }
    } inFlight(engine.inFlight_);
    engine.Route(msg, wParam);
}

void FaxEngine::Route(std::uint32_t msg, std::uintptr_t wParam)
{
    if (!registered_.load())
        return;
    const int handle = msg == serial::kTriggerAvailMsg ? 0 : static_cast<int>(wParam);
    if (msg == serial::kTriggerAvailMsg)
        Dispatch(FaxEvent::Chars, false);
    else if (msg == serial::kTriggerTimerMsg && handle == statusTimer_)
        Dispatch(FaxEvent::None, true);
    else if (msg == serial::kTriggerTimerMsg && handle == timeoutTimer_)
        Dispatch(FaxEvent::Timeout, false);
    else if (msg == serial::kTriggerStatusMsg && handle == outputFree_)
        Dispatch(FaxEvent::OutputFree, false);
    else if (msg == serial::kTriggerStatusMsg && handle == outputUsed_)
        Dispatch(FaxEvent::OutputUsed, false);
    else if (msg == serial::kTriggerStatusMsg && handle == wakeTrigger_)
        Dispatch(FaxEvent::None, false);
}

void FaxEngine::Dispatch(FaxEvent event, bool statusTimer)
{
    std::lock_guard pass(passLock_);
    if (!registered_.load() || machine_->Done())
        return;
    if (statusTimer || modem_.statusPending) {
        modem_.statusPending = false;
        SendStatus(0);
        ArmStatusTimer();
    }
    if (abortRequested_.exchange(false)) {
        userAborted_ = true;
        SetProgress(base::fpUserAbort);
        RecordError(base::ecCancelRequested, false);
        modem_.statusPending = false;
        SendStatus(0);
        machine_->EnterAbort();
        RunPasses(FaxEvent::None);
        return;
    }
    // The status timer moves only a state that kept its pass for the next
    // event: that one runs at the latest now.
    if (statusTimer && event == FaxEvent::None && machine_->RuleAfter(machine_->State()) != RunRule::Keep)
        return;
    RunPasses(event);
}

void FaxEngine::RunPasses(FaxEvent event)
{
    for (;;) {
        const int state = machine_->State();
        port_.LogEntry(serial::LogKind::Fax, static_cast<std::uint8_t>(serial::kFirstEngineSubkind + state),
                       static_cast<std::uint32_t>(state));
        const bool lineDone = machine_->Process(event);
        if (machine_->Done() || !registered_.load())
            return;
        if (modem_.statusPending) {
            modem_.statusPending = false;
            SendStatus(0);
        }
        switch (machine_->RuleAfter(machine_->State())) {
        case RunRule::Again:
            event = FaxEvent::None;
            continue;
        case RunRule::Wait:
            return;
        case RunRule::WhileChars:
            if (!port_.HasInput())
                return;
            event = FaxEvent::Chars;
            continue;
        case RunRule::Keep:
            if (lineDone)
                return;
            event = FaxEvent::None;
            continue;
        }
    }
}

}  // namespace vl::fax
