// The comm port's events: the dispatcher's messages arrive at the port's
// window on the main thread and become component events; port watchers are
// told about opening and closing.
#include <algorithm>

#include "base/ExceptionDisplay.h"
#include "base/Exceptions.h"
#include "serial/DispatcherRegistry.h"
#include "serial/VlComPort.h"

namespace vl::serial {

bool VlComPort::WantsEvents() const
{
    return onTrigger_ || onTriggerAvail_ || onTriggerData_ || onTriggerStatus_ || onTriggerTimer_ ||
           onTriggerLineError_ || onTriggerModemStatus_ || onTriggerOutbuffFree_ || onTriggerOutbuffUsed_ ||
           onTriggerOutSent_;
}

void VlComPort::ApplyHandlerPresence()
{
    if (Applies())
        dispatcher_->SetWindowHandlerWanted(WantsEvents());
}

void VlComPort::SetOnTrigger(TriggerEvent handler)
{
    onTrigger_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerAvail(TriggerAvailEvent handler)
{
    onTriggerAvail_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerData(TriggerHandleEvent handler)
{
    onTriggerData_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerStatus(TriggerHandleEvent handler)
{
    onTriggerStatus_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerTimer(TriggerHandleEvent handler)
{
    onTriggerTimer_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerLineError(TriggerLineErrorEvent handler)
{
    onTriggerLineError_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerModemStatus(NotifyEvent handler)
{
    onTriggerModemStatus_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerOutbuffFree(NotifyEvent handler)
{
    onTriggerOutbuffFree_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerOutbuffUsed(NotifyEvent handler)
{
    onTriggerOutbuffUsed_ = std::move(handler);
    ApplyHandlerPresence();
}

void VlComPort::SetOnTriggerOutSent(NotifyEvent handler)
{
    onTriggerOutSent_ = std::move(handler);
    ApplyHandlerPresence();
}

std::intptr_t VlComPort::OnWindowMessage(const base::WindowMessage& message)
{
    try {
        if (message.msg == kFinishCloseMsg)
            FinishCloseMessage(message);
        else if (message.msg >= kTriggerAvailMsg && message.msg <= kTriggerStatusMsg)
            RaiseEvent(message);
    } catch (...) {
        ShowException(std::current_exception());
    }
    return 0;
}

void VlComPort::ShowException(std::exception_ptr error)
{
    base::ShowExceptionThrough(exceptionDisplay_, error);
}

void VlComPort::PortFailed(std::exception_ptr error)
{
    ShowException(error);
    const int code = base::ExceptionCode(error);
    // A copy: a watcher may close the port or drop watchers while it is told.
    const auto watchers = failureWatchers_;
    for (const auto& [id, callback] : watchers)
        callback(*this, code);
}

void VlComPort::RaiseEvent(const base::WindowMessage& message)
{
    // Events of a dispatcher that is no longer this port's are stale.
    VlBaseDispatcher* dispatcher = DispatcherAt(EventDispatcherHandle(message.lParam));
    if (state_ != State::Open || dispatcher == nullptr || dispatcher != dispatcher_.get())
        return;
    const int handle = static_cast<int>(message.wParam);
    const int data = message.msg == kTriggerAvailMsg ? handle : EventLowWord(message.lParam);
    if (onTrigger_)
        onTrigger_(*this, message.msg, handle, data);
    switch (message.msg) {
    case kTriggerAvailMsg:
        if (onTriggerAvail_)
            onTriggerAvail_(*this, handle);
        break;
    case kTriggerDataMsg:
        if (onTriggerData_)
            onTriggerData_(*this, handle);
        break;
    case kTriggerTimerMsg:
        if (onTriggerTimer_)
            onTriggerTimer_(*this, handle);
        break;
    default:
        if (onTriggerStatus_)
            onTriggerStatus_(*this, handle);
        RaiseStatusEvent(handle);
        break;
    }
}

void VlComPort::RaiseStatusEvent(int handle)
{
    // A handler above may have closed the port.
    if (state_ != State::Open)
        return;
    switch (handle & kTriggerTypeMask) {
    case stModemStatus:
        if (onTriggerModemStatus_)
            onTriggerModemStatus_(*this);
        break;
    case stLineError:
        if (onTriggerLineError_) {
            const int error = dispatcher_->TakeLineError();
            const bool lineBreak = dispatcher_->TakeBreak();
            onTriggerLineError_(*this, error, lineBreak);
        }
        break;
    case stOutputFree:
        if (onTriggerOutbuffFree_)
            onTriggerOutbuffFree_(*this);
        break;
    case stOutputUsed:
        if (onTriggerOutbuffUsed_)
            onTriggerOutbuffUsed_(*this);
        break;
    case stOutputSent:
        if (onTriggerOutSent_)
            onTriggerOutSent_(*this);
        break;
    default:
        break;
    }
}

void VlComPort::AddWatcherWindow(base::MessageWindow* window)
{
    watchers_.push_back({window, {}, 0});
}

void VlComPort::RemoveWatcherWindow(base::MessageWindow* window)
{
    std::erase_if(watchers_, [window](const Watcher& w) { return w.window == window; });
}

int VlComPort::AddWatcherCallback(PortWatchCallback callback)
{
    const int id = nextWatcherId_++;
    watchers_.push_back({nullptr, std::move(callback), id});
    return id;
}

void VlComPort::RemoveWatcherCallback(int id)
{
    std::erase_if(watchers_, [id](const Watcher& w) { return w.window == nullptr && w.id == id; });
}

int VlComPort::AddFailureWatcher(PortFailureCallback callback)
{
    const int id = nextWatcherId_++;
    failureWatchers_.emplace_back(id, std::move(callback));
    return id;
}

void VlComPort::RemoveFailureWatcher(int id)
{
    std::erase_if(failureWatchers_, [id](const auto& watcher) { return watcher.first == id; });
}

void VlComPort::TellWatchers(bool opened)
{
    // A copy: a watcher may register or drop watchers while it is told.
    const std::vector<Watcher> watchers = watchers_;
    for (auto it = watchers.rbegin(); it != watchers.rend(); ++it) {
        if (it->window)
            it->window->Send({opened ? kPortOpenedMsg : kPortClosingMsg, 0, reinterpret_cast<std::intptr_t>(this)},
                             kHandlerSendTimeout);
        else
            it->callback(*this, opened);
    }
}

}  // namespace vl::serial
