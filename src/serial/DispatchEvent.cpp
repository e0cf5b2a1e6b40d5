// Firing triggers and handing their events to the handlers.
#include <algorithm>

#include "base/ErrorCodes.h"
#include "base/MessageWindow.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

void VlBaseDispatcher::Log(LogKind kind, LogSubkind subkind, std::uint32_t data,
                           std::span<const std::uint8_t> bytes)
{
    log_.Add(kind, subkind, data, bytes);
}

void VlBaseDispatcher::RefreshModemStatusLocked()
{
    const auto signals = static_cast<std::uint8_t>(device_->ModemStatus() & 0xF0);
    const auto changed = static_cast<std::uint8_t>((modemStatus_ ^ signals) & 0xF0);
    std::uint8_t deltas = modemStatus_ & 0x0F;
    if (changed & msCts)
        deltas |= mdDeltaCts;
    if (changed & msDsr)
        deltas |= mdDeltaDsr;
    if (changed & msDcd)
        deltas |= mdDeltaDcd;
    if (ringSeen_.exchange(false))
        deltas |= mdTrailingRing;
    const auto status = static_cast<std::uint8_t>(signals | deltas);
    if (status != modemStatus_)
        Log(LogKind::Dispatch, LogSubkind::ModemStatus, status);
    modemStatus_ = status;
}

StatusInputs VlBaseDispatcher::CurrentStatusInputs()
{
    StatusInputs inputs;
    {
        std::lock_guard guard(outputLock_);
        inputs.outputUsed = static_cast<int>(output_.Used());
        inputs.outputFree = static_cast<int>(output_.Space());
    }
    return inputs;
}

bool VlBaseDispatcher::RunStatusTriggers()
{
    StatusInputs inputs = CurrentStatusInputs();
    FiredStatus fired;
    {
        std::lock_guard guard(dispatcherLock_);
        if (dispatching_ || dispatchHeld_)
            return false;
        inputs.modemStatus = modemStatus_;
        inputs.lineErrors = lineErrors_;
        inputs.outputSent = outputSent_;
        const auto found = triggers_.FireStatus(inputs);
        if (!found)
            return false;
        fired = *found;
        if ((fired.handle & kTriggerTypeMask) == stOutputSent)
            outputSent_ = false;
        Log(LogKind::Trigger, LogSubkind::Status, static_cast<std::uint32_t>(fired.handle));
    }
    Dispatch(kTriggerStatusMsg, static_cast<std::uintptr_t>(fired.handle), fired.count);
    return true;
}

bool VlBaseDispatcher::RunTimerTriggers()
{
    int handle = 0;
    {
        std::lock_guard guard(dispatcherLock_);
        if (dispatching_ || dispatchHeld_)
            return false;
        const auto found = triggers_.FireTimer(base::Ticks());
        if (!found)
            return false;
        handle = *found;
        Log(LogKind::Trigger, LogSubkind::Timer, static_cast<std::uint32_t>(handle));
    }
    Dispatch(kTriggerTimerMsg, static_cast<std::uintptr_t>(handle), 0);
    return true;
}

bool VlBaseDispatcher::ScanAvail()
{
    std::uint64_t position = 0;
    std::size_t unread = 0;
    {
        std::lock_guard guard(inputLock_);
        position = input_.Received();
        unread = input_.Unread();
    }
    {
        std::lock_guard guard(dispatcherLock_);
        const int threshold = triggers_.AvailThreshold();
        if (threshold <= 0 || position == lastAvailPosition_ || unread < static_cast<std::size_t>(threshold))
            return false;
        Log(LogKind::Trigger, LogSubkind::Avail, static_cast<std::uint32_t>(unread));
    }
    const long consumed = Dispatch(kTriggerAvailMsg, unread, 0);
    if (consumed < 0)
        return false;
    {
        std::lock_guard guard(dispatcherLock_);
        lastAvailPosition_ = position;
    }
    return static_cast<std::size_t>(consumed) == unread;
}

long VlBaseDispatcher::Dispatch(std::uint32_t msg, std::uintptr_t wParam, int lowWord)
{
    const bool peek = msg == kTriggerAvailMsg || msg == kTriggerDataMsg;
    {
        std::lock_guard inputGuard(inputLock_);
        {
            std::lock_guard guard(dispatcherLock_);
            if (dispatching_ || dispatchHeld_ || !handlers_.Present())
                return -1;
            dispatching_ = true;
        }
        if (peek) {
            peeking_ = true;
            readAhead_ = maxReadAhead_ = peekFloor_ = 0;
        }
    }
    const std::intptr_t lParam = EventLParam(handle_, lowWord);
    HandlerCursor cursor;
    while (!closeDeferred_.load()) {
        std::optional<HandlerCall> call;
        {
            std::lock_guard guard(dispatcherLock_);
            call = handlers_.Next(cursor);
        }
        if (!call)
            break;
        CallHandler(*call, msg, wParam, lParam);
        if (peek) {
            std::lock_guard guard(inputLock_);
            maxReadAhead_ = std::max(maxReadAhead_, readAhead_);
            readAhead_ = peekFloor_;
        }
    }
    return EndDispatch(peek);
}

long VlBaseDispatcher::EndDispatch(bool peek)
{
    long consumed = 0;
    std::lock_guard inputGuard(inputLock_);
    if (peek) {
        consumed = static_cast<long>(maxReadAhead_);
        input_.Consume(maxReadAhead_);
        peeking_ = false;
        readAhead_ = maxReadAhead_ = peekFloor_ = 0;
    }
    std::lock_guard guard(dispatcherLock_);
    dispatching_ = false;
    if (removalDeferred_) {
        handlers_.Sweep();
        removalDeferred_ = false;
    }
    return consumed;
}

void VlBaseDispatcher::CallHandler(const HandlerCall& call, std::uint32_t msg, std::uintptr_t wParam,
                                   std::intptr_t lParam)
{
    if (call.kind == HandlerCall::Kind::Procedure) {
        call.procedure(msg, wParam, lParam);
        return;
    }
    if (call.kind == HandlerCall::Kind::Method && !call.onMainThread) {
        call.method(call.userData, msg, wParam, lParam);
        return;
    }
    // Windows too are reached through our own window, so that the main
    // thread, which alone destroys windows, checks that this one is still
    // registered before it is used.
    std::uintptr_t sequence = 0;
    {
        std::lock_guard guard(mainCallLock_);
        sequence = ++mainCallSequence_;
        mainCall_ = call;
        mainCallMsg_ = msg;
        mainCallWParam_ = wParam;
        mainCallLParam_ = lParam;
    }
    mainWindow_->Send({kMainThreadCallMsg, sequence, 0}, kHandlerSendTimeout);
    // A call the main thread did not take in time is dropped.
    std::lock_guard guard(mainCallLock_);
    mainCall_.reset();
}

std::intptr_t VlBaseDispatcher::RunMainThreadCall(std::uintptr_t sequence)
try {
    HandlerCall call;
    base::WindowMessage message;
    {
        std::lock_guard guard(mainCallLock_);
        if (sequence != mainCallSequence_ || !mainCall_)
            return 0;
        call = *mainCall_;
        mainCall_.reset();
        message = {mainCallMsg_, mainCallWParam_, mainCallLParam_};
    }
    if (call.kind == HandlerCall::Kind::Method) {
        call.method(call.userData, message.msg, message.wParam, message.lParam);
        return 0;
    }
    {
        std::lock_guard guard(dispatcherLock_);
        if (!handlers_.HasWindow(call.window))
            return 0;
    }
    return call.window->Send(message, kHandlerSendTimeout);
} catch (...) {
    // The dispatcher thread is waiting for the answer, not for the exception.
    ReportFailure(std::current_exception());
    return 0;
}

}  // namespace vl::serial
