// The timer and status triggers of a port, their handles and the rules by
// which they fire. Not thread-safe: the dispatcher guards it with its lock.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/Ticks.h"

namespace vl::serial {

// The data available trigger: always present, turned on by a threshold.
inline constexpr int kAvailTriggerHandle = 1;

// Status trigger types; a status trigger's handle AND 7 is its type.
inline constexpr int stModemStatus = 1;  // value: mask of the ms* signals
inline constexpr int stLineError = 2;    // value: mask of error codes 1, 2, 4, 8
inline constexpr int stOutputFree = 3;   // value: free output bytes wanted
inline constexpr int stOutputUsed = 4;   // value: used output bytes at most
inline constexpr int stOutputSent = 5;   // after a put
inline constexpr int kTriggerTypeMask = 7;

struct TimerTrigger {
    int handle = 0;
    base::EventTimer timer;
    base::Tick ticks = 0;
    bool active = false;
};

struct StatusTrigger {
    int handle = 0;
    unsigned value = 0;
    bool armed = false;
    std::uint8_t signalsAtArm = 0;  // the masked modem signals when armed
};

// Everything a port's triggers are, to keep them across a close and reopen.
struct TriggerState {
    std::vector<TimerTrigger> timers;
    std::vector<StatusTrigger> statuses;
    int availThreshold = 0;
    int allocations = 0;
};

// What status triggers look at.
struct StatusInputs {
    std::uint8_t modemStatus = 0;  // ms* signals in the high nibble
    std::uint8_t lineErrors = 0;   // le* bits
    int outputUsed = 0;
    int outputFree = 0;
    bool outputSent = false;
};

struct FiredStatus {
    int handle = 0;
    // The event's lParam low word: the buffer count for types 3 and 4.
    int count = 0;
};

class TriggerLists {
public:
    // Empties the lists and starts handle allocation again at 8.
    void Reset();

    int AvailThreshold() const { return state_.availThreshold; }
    void SetAvailThreshold(int bytes) { state_.availThreshold = bytes; }

    // A new inactive timer's handle.
    int NewTimer();
    // With `activate`: a non-zero `ticks` replaces the stored count and the
    // timer starts at `now`; without: the timer stops. ecBadTriggerHandle
    // when `handle` is no timer.
    int ArmTimer(int handle, base::Tick ticks, bool activate, base::Tick now);
    // A new disarmed status trigger's handle, or ecBadArgument for a type
    // outside 1..5.
    int NewStatus(int type);
    // ecBadTriggerHandle when `handle` is no status trigger.
    int ArmStatus(int handle, unsigned value, bool activate, std::uint8_t modemStatus);
    // Removes a timer or status trigger; handle 1 turns the threshold off.
    int Delete(int handle);

    // The first armed status trigger whose condition holds, now disarmed.
    std::optional<FiredStatus> FireStatus(const StatusInputs& inputs);
    // The first active timer that has expired at `now`, now stopped.
    std::optional<int> FireTimer(base::Tick now);

    void Save(TriggerState& holder) const { holder = state_; }
    void Restore(const TriggerState& holder) { state_ = holder; }

private:
    int Allocate();
    bool InUse(int base) const;
    TimerTrigger* FindTimer(int handle);
    StatusTrigger* FindStatus(int handle);

    TriggerState state_;
};

}  // namespace vl::serial
