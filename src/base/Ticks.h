// Time in ticks of 55 ms, as the serial and fax code counts it, and the
// timers built on it. Tick counts wrap like 32-bit numbers; a timer is never
// set further than kMaxTimerTicks ahead so that expiry stays decidable.
#pragma once

#include <cstdint>

namespace vl::base {

using Tick = std::int32_t;

// 2^31 / 55: the longest a timer may run, about 24.8 days.
inline constexpr Tick kMaxTimerTicks = 39045157;

// Milliseconds of the monotonic clock divided by 55.
Tick Ticks();

struct EventTimer {
    Tick startTicks = 0;
    Tick expireTicks = 0;
};

// Starts `timer` now for `ticks` ticks (capped at kMaxTimerTicks).
void NewTimer(EventTimer& timer, Tick ticks);
// The same with an explicit present tick; the functions below with `now` are
// what the ones without call, so that tests can place the clock.
void NewTimerAt(EventTimer& timer, Tick ticks, Tick now);

bool TimerExpired(const EventTimer& timer);
bool TimerExpiredAt(const EventTimer& timer, Tick now);
Tick ElapsedTicks(const EventTimer& timer);
Tick ElapsedTicksAt(const EventTimer& timer, Tick now);
// Never negative.
Tick RemainingTicks(const EventTimer& timer);
Tick RemainingTicksAt(const EventTimer& timer, Tick now);

// secs * 1675 / 92 and (ticks + 9) * 92 / 1675, in integer arithmetic.
Tick SecsToTicks(std::int32_t secs);
std::int32_t TicksToSecs(Tick ticks);

}  // namespace vl::base
