#include "base/Ticks.h"

#include <gtest/gtest.h>

#include <climits>

namespace vl::base {
namespace {

TEST(TicksTest, TimerExpiresOnlyAfterItsLastTick)
{
    EventTimer timer;
    NewTimerAt(timer, 10, 1000);
    EXPECT_EQ(timer.startTicks, 1000);
    EXPECT_EQ(timer.expireTicks, 1010);
    EXPECT_FALSE(TimerExpiredAt(timer, 1000));
    EXPECT_FALSE(TimerExpiredAt(timer, 1010));
    EXPECT_TRUE(TimerExpiredAt(timer, 1011));
    EXPECT_EQ(ElapsedTicksAt(timer, 1004), 4);
    EXPECT_EQ(RemainingTicksAt(timer, 1004), 6);
    EXPECT_EQ(RemainingTicksAt(timer, 1010), 0);
    EXPECT_EQ(RemainingTicksAt(timer, 5000), 0);
}

TEST(TicksTest, ZeroTickTimerRunsOutAtTheNextTick)
{
    EventTimer timer;
    NewTimerAt(timer, 0, 77);
    EXPECT_FALSE(TimerExpiredAt(timer, 77));
    EXPECT_EQ(RemainingTicksAt(timer, 77), 0);
    EXPECT_TRUE(TimerExpiredAt(timer, 78));
}

TEST(TicksTest, NegativeCountHasExpiredAtOnce)
{
    EventTimer timer;
    NewTimerAt(timer, -5, 100);
    EXPECT_TRUE(TimerExpiredAt(timer, 100));
    EXPECT_EQ(RemainingTicksAt(timer, 100), 0);
}

TEST(TicksTest, LengthIsCappedAtTheLongestTimer)
{
    EventTimer timer;
    NewTimerAt(timer, INT32_MAX, 0);
    EXPECT_EQ(timer.expireTicks, kMaxTimerTicks);
    EXPECT_FALSE(TimerExpiredAt(timer, kMaxTimerTicks));
    EXPECT_TRUE(TimerExpiredAt(timer, kMaxTimerTicks + 1));
    EXPECT_EQ(RemainingTicksAt(timer, 0), kMaxTimerTicks);

    NewTimerAt(timer, kMaxTimerTicks - 1, 0);
    EXPECT_EQ(timer.expireTicks, kMaxTimerTicks - 1);
}

TEST(TicksTest, TimerSetJustBeforeTheCountWrapsIsNotExpiredAtOnce)
{
    EventTimer timer;
    const Tick start = INT32_MAX - 5;
    NewTimerAt(timer, 20, start);
    EXPECT_EQ(timer.expireTicks, INT32_MIN + 14);
    EXPECT_FALSE(TimerExpiredAt(timer, start));
    EXPECT_FALSE(TimerExpiredAt(timer, INT32_MAX));
    EXPECT_FALSE(TimerExpiredAt(timer, INT32_MIN));
    EXPECT_FALSE(TimerExpiredAt(timer, INT32_MIN + 14));
    EXPECT_TRUE(TimerExpiredAt(timer, INT32_MIN + 15));

    EXPECT_EQ(ElapsedTicksAt(timer, INT32_MIN + 2), 8);
    EXPECT_EQ(RemainingTicksAt(timer, INT32_MAX), 15);
    EXPECT_EQ(RemainingTicksAt(timer, INT32_MIN + 2), 12);
}

TEST(TicksTest, TimerRunningOutAfterTheCountWrapsExpires)
{
    // Start and expiry both before the wrap, the present after it.
    EventTimer timer;
    NewTimerAt(timer, 3, INT32_MAX - 10);
    EXPECT_TRUE(TimerExpiredAt(timer, INT32_MIN));
    EXPECT_TRUE(TimerExpiredAt(timer, INT32_MIN + 1000));
    EXPECT_EQ(ElapsedTicksAt(timer, INT32_MIN), 11);
    EXPECT_EQ(RemainingTicksAt(timer, INT32_MIN), 0);
}

TEST(TicksTest, LongestTimerAcrossTheUnsignedWrap)
{
    EventTimer timer;
    NewTimerAt(timer, kMaxTimerTicks, -100);
    EXPECT_EQ(timer.expireTicks, kMaxTimerTicks - 100);
    EXPECT_FALSE(TimerExpiredAt(timer, 0));
    EXPECT_FALSE(TimerExpiredAt(timer, kMaxTimerTicks - 100));
    EXPECT_TRUE(TimerExpiredAt(timer, kMaxTimerTicks - 99));
}

TEST(TicksTest, SecondsAndTicksConvert)
{
    EXPECT_EQ(SecsToTicks(0), 0);
    EXPECT_EQ(SecsToTicks(1), 18);
    EXPECT_EQ(SecsToTicks(2), 36);
    EXPECT_EQ(SecsToTicks(60), 1092);
    EXPECT_EQ(TicksToSecs(0), 0);
    EXPECT_EQ(TicksToSecs(18), 1);
    EXPECT_EQ(TicksToSecs(36), 2);
    EXPECT_EQ(TicksToSecs(1092), 60);
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
