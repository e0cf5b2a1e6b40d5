// Trigger and handler registration, engine slots and the dispatching hold.
#include <string_view>

#include "base/ErrorCodes.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

namespace {

std::span<const std::uint8_t> Note(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

LogSubkind TriggerSubkind(int handle)
{
    if (handle == kAvailTriggerHandle)
        return LogSubkind::AvailTrigger;
    return (handle & kTriggerTypeMask) != 0 ? LogSubkind::StatusTrigger : LogSubkind::TimerTrigger;
}

constexpr int kEngineSlots = 3;

}  // namespace

void VlBaseDispatcher::SetAvailThreshold(int bytes)
{
    std::lock_guard guard(dispatcherLock_);
    triggers_.SetAvailThreshold(bytes < 0 ? 0 : bytes);
    Log(LogKind::TrDatChg, LogSubkind::AvailTrigger, static_cast<std::uint32_t>(triggers_.AvailThreshold()));
}

int VlBaseDispatcher::AvailThreshold()
{
    std::lock_guard guard(dispatcherLock_);
    return triggers_.AvailThreshold();
}

int VlBaseDispatcher::NewTimerTrigger()
{
    std::lock_guard guard(dispatcherLock_);
    const int handle = triggers_.NewTimer();
    Log(LogKind::TrigAllc, LogSubkind::TimerTrigger, static_cast<std::uint32_t>(handle));
    return handle;
}

int VlBaseDispatcher::ArmTimerTrigger(int handle, base::Tick ticks, bool activate)
{
    std::lock_guard guard(dispatcherLock_);
    const int rc = triggers_.ArmTimer(handle, ticks, activate, base::Ticks());
    if (rc == base::ecOK)
        Log(LogKind::TrDatChg, LogSubkind::TimerTrigger, static_cast<std::uint32_t>(handle),
            activate ? std::span<const std::uint8_t>{} : Note("Deactivated"));
    return rc;
}

int VlBaseDispatcher::NewStatusTrigger(int type)
{
    std::lock_guard guard(dispatcherLock_);
    const int handle = triggers_.NewStatus(type);
    if (handle > 0)
        Log(LogKind::TrigAllc, LogSubkind::StatusTrigger, static_cast<std::uint32_t>(handle));
    return handle;
}

int VlBaseDispatcher::ArmStatusTrigger(int handle, unsigned value, bool activate)
{
    std::lock_guard guard(dispatcherLock_);
    if ((handle & kTriggerTypeMask) == stModemStatus && activate)
        RefreshModemStatusLocked();
    const int rc = triggers_.ArmStatus(handle, value, activate, modemStatus_);
    if (rc == base::ecOK)
        Log(LogKind::TrDatChg, LogSubkind::StatusTrigger, static_cast<std::uint32_t>(handle),
            activate ? std::span<const std::uint8_t>{} : Note("Deactivated"));
    return rc;
}

int VlBaseDispatcher::DeleteTrigger(int handle)
{
    std::lock_guard guard(dispatcherLock_);
    const int rc = triggers_.Delete(handle);
    if (rc == base::ecOK)
        Log(LogKind::TrigDisp, TriggerSubkind(handle), static_cast<std::uint32_t>(handle));
    return rc;
}

void VlBaseDispatcher::SaveTriggerState(TriggerState& holder)
{
    std::lock_guard guard(dispatcherLock_);
    triggers_.Save(holder);
}

void VlBaseDispatcher::RestoreTriggerState(const TriggerState& holder)
{
    std::lock_guard guard(dispatcherLock_);
    triggers_.Restore(holder);
}

void VlBaseDispatcher::AddWindowHandler(base::MessageWindow* window)
{
    std::lock_guard guard(dispatcherLock_);
    handlers_.AddWindow(window);
    Log(LogKind::TrgHdAlc, LogSubkind::Window, 0);
}

void VlBaseDispatcher::RemoveWindowHandler(base::MessageWindow* window)
{
    std::lock_guard guard(dispatcherLock_);
    handlers_.RemoveWindow(window, dispatching_);
    removalDeferred_ = removalDeferred_ || dispatching_;
    Log(LogKind::TrgHdDsp, LogSubkind::Window, 0);
}

void VlBaseDispatcher::AddProcedureHandler(ProcedureHandler procedure)
{
    std::lock_guard guard(dispatcherLock_);
    handlers_.AddProcedure(procedure);
    Log(LogKind::TrgHdAlc, LogSubkind::Procedure, 0);
}

void VlBaseDispatcher::RemoveProcedureHandler(ProcedureHandler procedure)
{
    std::lock_guard guard(dispatcherLock_);
    handlers_.RemoveProcedure(procedure, dispatching_);
    removalDeferred_ = removalDeferred_ || dispatching_;
    Log(LogKind::TrgHdDsp, LogSubkind::Procedure, 0);
}

void VlBaseDispatcher::AddMethodHandler(MethodHandler method, void* userData, bool runOnMainThread)
{
    std::lock_guard guard(dispatcherLock_);
    handlers_.AddMethod(method, userData, runOnMainThread);
    Log(LogKind::TrgHdAlc, LogSubkind::Method, 0);
}

void VlBaseDispatcher::RemoveMethodHandler(MethodHandler method, void* userData)
{
    std::lock_guard guard(dispatcherLock_);
    handlers_.RemoveMethod(method, userData, dispatching_);
    removalDeferred_ = removalDeferred_ || dispatching_;
    Log(LogKind::TrgHdDsp, LogSubkind::Method, 0);
}

void VlBaseDispatcher::SetWindowHandlerWanted(bool wanted)
{
    std::lock_guard guard(dispatcherLock_);
    handlers_.SetFirstWindowWanted(wanted);
}

bool VlBaseDispatcher::HandlersPresent()
{
    std::lock_guard guard(dispatcherLock_);
    return handlers_.Present();
}

bool VlBaseDispatcher::Dispatching()
{
    std::lock_guard guard(dispatcherLock_);
    return dispatching_ || dispatchHeld_;
}

bool VlBaseDispatcher::SetDispatching(bool hold)
{
    std::lock_guard guard(dispatcherLock_);
    const bool previous = dispatchHeld_;
    dispatchHeld_ = hold;
    return previous;
}

int VlBaseDispatcher::AttachEngine(int slot, DispatcherEngine* engine)
{
    if (slot < 1 || slot > kEngineSlots)
        return base::ecBadArgument;
    std::lock_guard guard(dispatcherLock_);
    engines_[static_cast<std::size_t>(slot - 1)] = engine;
    return base::ecOK;
}

DispatcherEngine* VlBaseDispatcher::EngineAt(int slot)
{
    if (slot < 1 || slot > kEngineSlots)
        return nullptr;
    std::lock_guard guard(dispatcherLock_);
    return engines_[static_cast<std::size_t>(slot - 1)];
}

}  // namespace vl::serial
