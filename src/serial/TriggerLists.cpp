#include "serial/TriggerLists.h"

#include <algorithm>

#include "base/ErrorCodes.h"

namespace vl::serial {

namespace {

// Allocations handed out in plain order before handles are looked for.
constexpr int kOrderedAllocations = 4095;
constexpr int kHandleStep = 8;

// Line error codes 1, 2, 4, 8 stand for the error bits 2, 4, 8, 16.
std::uint8_t ErrorBits(unsigned codes)
{
    return static_cast<std::uint8_t>((codes & 0x0F) << 1);
}

std::uint8_t MaskedSignals(std::uint8_t modemStatus, unsigned mask)
{
    return static_cast<std::uint8_t>(modemStatus & mask & 0xF0);
}

}  // namespace

void TriggerLists::Reset()
{
    state_ = TriggerState{};
}

int TriggerLists::Allocate()
{
    if (state_.allocations < kOrderedAllocations) {
        ++state_.allocations;
        return state_.allocations * kHandleStep;
    }
    int base = kHandleStep;
    while (InUse(base))
        base += kHandleStep;
    return base;
}

bool TriggerLists::InUse(int base) const
{
    return std::any_of(state_.timers.begin(), state_.timers.end(),
                       [base](const TimerTrigger& t) { return t.handle == base; }) ||
           std::any_of(state_.statuses.begin(), state_.statuses.end(), [base](const StatusTrigger& s) {
               return (s.handle & ~kTriggerTypeMask) == base;
           });
}

TimerTrigger* TriggerLists::FindTimer(int handle)
{
    auto it = std::find_if(state_.timers.begin(), state_.timers.end(),
                           [handle](const TimerTrigger& t) { return t.handle == handle; });
    return it == state_.timers.end() ? nullptr : &*it;
}

StatusTrigger* TriggerLists::FindStatus(int handle)
{
    auto it = std::find_if(state_.statuses.begin(), state_.statuses.end(),
                           [handle](const StatusTrigger& s) { return s.handle == handle; });
    return it == state_.statuses.end() ? nullptr : &*it;
}

int TriggerLists::NewTimer()
{
    TimerTrigger timer;
    timer.handle = Allocate();
    state_.timers.push_back(timer);
    return timer.handle;
}

int TriggerLists::ArmTimer(int handle, base::Tick ticks, bool activate, base::Tick now)
{
    TimerTrigger* timer = FindTimer(handle);
    if (timer == nullptr)
        return base::ecBadTriggerHandle;
    if (!activate) {
        timer->active = false;
        return base::ecOK;
    }
    if (ticks != 0)
        timer->ticks = ticks;
    base::NewTimerAt(timer->timer, timer->ticks, now);
    timer->active = true;
    return base::ecOK;
}

int TriggerLists::NewStatus(int type)
{
    if (type < stModemStatus || type > stOutputSent)
        return base::ecBadArgument;
    StatusTrigger status;
    status.handle = Allocate() | type;
    state_.statuses.push_back(status);
    return status.handle;
}

int TriggerLists::ArmStatus(int handle, unsigned value, bool activate, std::uint8_t modemStatus)
{
    StatusTrigger* status = FindStatus(handle);
    if (status == nullptr)
        return base::ecBadTriggerHandle;
    status->armed = activate;
    if (activate) {
        status->value = value;
        status->signalsAtArm = MaskedSignals(modemStatus, value);
    }
    return base::ecOK;
}

int TriggerLists::Delete(int handle)
{
    if (handle == kAvailTriggerHandle) {
        state_.availThreshold = 0;
        return base::ecOK;
    }
    auto timer = std::find_if(state_.timers.begin(), state_.timers.end(),
                              [handle](const TimerTrigger& t) { return t.handle == handle; });
    if (timer != state_.timers.end()) {
        state_.timers.erase(timer);
        return base::ecOK;
    }
    auto status = std::find_if(state_.statuses.begin(), state_.statuses.end(),
                               [handle](const StatusTrigger& s) { return s.handle == handle; });
    if (status != state_.statuses.end()) {
        state_.statuses.erase(status);
        return base::ecOK;
    }
    return base::ecBadTriggerHandle;
}

std::optional<FiredStatus> TriggerLists::FireStatus(const StatusInputs& inputs)
{
    for (StatusTrigger& status : state_.statuses) {
        if (!status.armed)
            continue;
        bool fires = false;
        int count = 0;
        switch (status.handle & kTriggerTypeMask) {
        case stModemStatus:
            fires = MaskedSignals(inputs.modemStatus, status.value) != status.signalsAtArm;
            break;
        case stLineError:
            fires = (inputs.lineErrors & ErrorBits(status.value)) != 0;
            break;
        case stOutputFree:
            fires = inputs.outputFree >= 0 && static_cast<unsigned>(inputs.outputFree) >= status.value;
            count = inputs.outputFree;
            break;
        case stOutputUsed:
            fires = inputs.outputUsed >= 0 && static_cast<unsigned>(inputs.outputUsed) <= status.value;
            count = inputs.outputUsed;
            break;
        case stOutputSent:
            fires = inputs.outputSent;
            break;
        default:
            break;
        }
        if (fires) {
            status.armed = false;
            return FiredStatus{status.handle, count};
        }
    }
    return std::nullopt;
}

std::optional<int> TriggerLists::FireTimer(base::Tick now)
{
    for (TimerTrigger& timer : state_.timers) {
        if (timer.active && base::TimerExpiredAt(timer.timer, now)) {
            timer.active = false;
            return timer.handle;
        }
    }
    return std::nullopt;
}

}  // namespace vl::serial
