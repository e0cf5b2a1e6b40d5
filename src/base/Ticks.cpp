#include "base/Ticks.h"

#include <algorithm>
#include <chrono>

namespace vl::base {

namespace {

// Tick arithmetic is modulo 2^32: distances are taken as unsigned differences,
// so a timer stays right when the count wraps past INT32_MAX, as long as it is
// looked at within 2^32 ticks of its start.
std::uint32_t Distance(Tick from, Tick to)
{
    return static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from);
}

}  // namespace

Tick Ticks()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    return static_cast<Tick>(static_cast<std::uint32_t>(ms / 55));
}

void NewTimer(EventTimer& timer, Tick ticks)
{
    NewTimerAt(timer, ticks, Ticks());
}

void NewTimerAt(EventTimer& timer, Tick ticks, Tick now)
{
    timer.startTicks = now;
    timer.expireTicks = static_cast<Tick>(static_cast<std::uint32_t>(now) +
                                          static_cast<std::uint32_t>(std::min(ticks, kMaxTimerTicks)));
}

bool TimerExpired(const EventTimer& timer)
{
    return TimerExpiredAt(timer, Ticks());
}

bool TimerExpiredAt(const EventTimer& timer, Tick now)
{
    // A timer set for a negative count has its expiry before its start: it
    // has expired from the moment it was set.
    const auto length = static_cast<Tick>(Distance(timer.startTicks, timer.expireTicks));
    if (length < 0)
        return true;
    return Distance(timer.startTicks, now) > static_cast<std::uint32_t>(length);
}

Tick ElapsedTicks(const EventTimer& timer)
{
    return ElapsedTicksAt(timer, Ticks());
}

Tick ElapsedTicksAt(const EventTimer& timer, Tick now)
{
    return static_cast<Tick>(Distance(timer.startTicks, now));
}

Tick RemainingTicks(const EventTimer& timer)
{
    return RemainingTicksAt(timer, Ticks());
}

Tick RemainingTicksAt(const EventTimer& timer, Tick now)
{
    if (TimerExpiredAt(timer, now))
        return 0;
    return static_cast<Tick>(Distance(now, timer.expireTicks));
}

Tick SecsToTicks(std::int32_t secs)
{
    return static_cast<Tick>(std::int64_t{secs} * 1675 / 92);
}

std::int32_t TicksToSecs(Tick ticks)
{
    return static_cast<std::int32_t>((std::int64_t{ticks} + 9) * 92 / 1675);
}

}  // namespace vl::base
