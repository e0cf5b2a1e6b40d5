#include "base/Ticks.h"

#include <gtest/gtest.h>

#include <climits>

namespace vl::base {
namespace {

// `n` ticks after `t`, in the clock's wrapping arithmetic.
Tick After(Tick t, std::uint32_t n)
{
    return static_cast<Tick>(static_cast<std::uint32_t>(t) + n);
}

TEST(TicksTest, TimerRunsThroughItsLastTickAndExpiresAfterIt)
{
    const struct {
        const char* what;
        Tick count;
        Tick start;
        Tick expire;
    } cases[] = {
        {"ordinary", 10, 1000, 1010},
        {"zero ticks run out at the next tick", 0, 77, 77},
        {"capped at the longest timer", INT32_MAX, 0, kMaxTimerTicks},
        {"just below the cap", kMaxTimerTicks - 1, 0, kMaxTimerTicks - 1},
        {"set just before the count wraps", 20, INT32_MAX - 5, INT32_MIN + 14},
        {"longest timer across the unsigned wrap", kMaxTimerTicks, -100, kMaxTimerTicks - 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EventTimer timer;
        NewTimerAt(timer, c.count, c.start);
        EXPECT_EQ(timer.startTicks, c.start);
        EXPECT_EQ(timer.expireTicks, c.expire);
        EXPECT_FALSE(TimerExpiredAt(timer, c.start));
        const std::uint32_t length = static_cast<std::uint32_t>(c.expire) - static_cast<std::uint32_t>(c.start);
        EXPECT_FALSE(TimerExpiredAt(timer, After(c.start, length / 2)));
        EXPECT_FALSE(TimerExpiredAt(timer, c.expire));
        EXPECT_TRUE(TimerExpiredAt(timer, After(c.expire, 1)));
        EXPECT_EQ(RemainingTicksAt(timer, c.expire), 0);
        EXPECT_EQ(RemainingTicksAt(timer, c.start), static_cast<Tick>(length));
    }
}

TEST(TicksTest, ElapsedAndRemainingCountAcrossTheWrap)
{
    EventTimer timer;
    NewTimerAt(timer, 10, 1000);
    EXPECT_EQ(ElapsedTicksAt(timer, 1004), 4);
    EXPECT_EQ(RemainingTicksAt(timer, 1004), 6);
    EXPECT_EQ(RemainingTicksAt(timer, 5000), 0);

    NewTimerAt(timer, 20, INT32_MAX - 5);
    EXPECT_EQ(ElapsedTicksAt(timer, INT32_MIN + 2), 8);
    EXPECT_EQ(RemainingTicksAt(timer, INT32_MAX), 15);
    EXPECT_EQ(RemainingTicksAt(timer, INT32_MIN + 2), 12);

    // Start and expiry both before the wrap, the present after it.
    NewTimerAt(timer, 3, INT32_MAX - 10);
    EXPECT_TRUE(TimerExpiredAt(timer, INT32_MIN));
    EXPECT_TRUE(TimerExpiredAt(timer, INT32_MIN + 1000));
    EXPECT_EQ(ElapsedTicksAt(timer, INT32_MIN), 11);
    EXPECT_EQ(RemainingTicksAt(timer, INT32_MIN), 0);

    // A negative count has expired at once.
    NewTimerAt(timer, -5, 100);
    EXPECT_TRUE(TimerExpiredAt(timer, 100));
    EXPECT_EQ(RemainingTicksAt(timer, 100), 0);
}

TEST(TicksTest, SecondsAndTicksConvert)
{
    for (const auto& [secs, ticks] : {std::pair{0, 0}, {1, 18}, {2, 36}, {60, 1092}}) {
        EXPECT_EQ(SecsToTicks(secs), ticks);
        EXPECT_EQ(TicksToSecs(ticks), secs);
    }
    // Intermediate products beyond 32 bits stay exact.
    EXPECT_EQ(SecsToTicks(2000000), 36413043);
    EXPECT_EQ(TicksToSecs(kMaxTimerTicks), 2144570);
}

TEST(TicksTest, ClockAdvancesAndATimerSetNowIsRunning)
{
    const Tick first = Ticks();
    EventTimer timer;
    NewTimer(timer, 100);
    EXPECT_FALSE(TimerExpired(timer));
    EXPECT_LE(RemainingTicks(timer), 100);
    EXPECT_GE(ElapsedTicks(timer), 0);
    EXPECT_LE(static_cast<std::uint32_t>(Ticks()) - static_cast<std::uint32_t>(first), 100u);
}

}  // namespace
}  // namespace vl::base
