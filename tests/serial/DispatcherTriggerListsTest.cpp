#include <gtest/gtest.h>

#include "base/ErrorCodes.h"
#include "serial/SerialDevice.h"
#include "serial/TriggerLists.h"

namespace vl::serial {
namespace {

TEST(TriggerListsTest, HandlesGoUpInEightsThenTheSmallestFreeIsReused)
{
    TriggerLists lists;
    lists.Reset();
    EXPECT_EQ(lists.NewTimer(), 8);
    EXPECT_EQ(lists.NewStatus(stOutputUsed), 16 | stOutputUsed);
    EXPECT_EQ(lists.NewTimer(), 24);
    for (int i = 4; i <= 4095; ++i)
        ASSERT_EQ(lists.NewTimer(), i * 8);
    // Allocation 4096 on: the lowest multiple of 8 no trigger holds.
    ASSERT_EQ(lists.Delete(16 | stOutputUsed), 0);
    ASSERT_EQ(lists.Delete(40), 0);
    EXPECT_EQ(lists.NewStatus(stOutputSent), 16 | stOutputSent);
    EXPECT_EQ(lists.NewTimer(), 40);
    EXPECT_EQ(lists.NewTimer(), 4096 * 8);

    lists.Reset();
    EXPECT_EQ(lists.NewTimer(), 8);
}

TEST(TriggerListsTest, BadTypesAndHandlesAreRefused)
{
    TriggerLists lists;
    lists.Reset();
    EXPECT_EQ(lists.NewStatus(0), base::ecBadArgument);
    EXPECT_EQ(lists.NewStatus(6), base::ecBadArgument);
    const int timer = lists.NewTimer();
    const int status = lists.NewStatus(stModemStatus);
    EXPECT_EQ(lists.ArmStatus(timer, 0, true, 0), base::ecBadTriggerHandle);
    EXPECT_EQ(lists.ArmTimer(status, 1, true, 0), base::ecBadTriggerHandle);
    EXPECT_EQ(lists.ArmTimer(1000, 1, true, 0), base::ecBadTriggerHandle);
    EXPECT_EQ(lists.Delete(0), base::ecBadTriggerHandle);
    EXPECT_EQ(lists.Delete(-8), base::ecBadTriggerHandle);
    EXPECT_EQ(lists.Delete(1000), base::ecBadTriggerHandle);
    EXPECT_EQ(lists.Delete(timer), 0);
    EXPECT_EQ(lists.Delete(timer), base::ecBadTriggerHandle);
}

TEST(TriggerListsTest, TimerArmedWithZeroTicksKeepsItsEarlierCountAndFiresOnce)
{
    TriggerLists lists;
    lists.Reset();
    const int timer = lists.NewTimer();
    EXPECT_FALSE(lists.FireTimer(1000).has_value());  // new timers are inactive
    ASSERT_EQ(lists.ArmTimer(timer, 10, true, 100), 0);
    ASSERT_EQ(lists.ArmTimer(timer, 0, true, 200), 0);
    EXPECT_FALSE(lists.FireTimer(210).has_value());
    EXPECT_EQ(lists.FireTimer(211), timer);
    EXPECT_FALSE(lists.FireTimer(300).has_value());

    ASSERT_EQ(lists.ArmTimer(timer, 5, true, 300), 0);
    ASSERT_EQ(lists.ArmTimer(timer, 5, false, 300), 0);
    EXPECT_FALSE(lists.FireTimer(400).has_value());
}

TEST(TriggerListsTest, StatusTriggersFireOnTheirConditionsOnceInListOrder)
{
    TriggerLists lists;
    lists.Reset();
    const int modem = lists.NewStatus(stModemStatus);
    const int line = lists.NewStatus(stLineError);
    const int freeSpace = lists.NewStatus(stOutputFree);
    const int used = lists.NewStatus(stOutputUsed);
    const int sent = lists.NewStatus(stOutputSent);

    StatusInputs inputs;
    inputs.modemStatus = msCts | msDsr;
    inputs.outputUsed = 10;
    inputs.outputFree = 54;
    lists.ArmStatus(modem, msCts, true, inputs.modemStatus);
    lists.ArmStatus(line, 2, true, 0);  // code 2 = parity
    lists.ArmStatus(freeSpace, 60, true, 0);
    lists.ArmStatus(used, 0, true, 0);
    lists.ArmStatus(sent, 0, true, 0);
    EXPECT_FALSE(lists.FireStatus(inputs).has_value());

    inputs.modemStatus = msCts;  // DSR is not in the mask
    inputs.lineErrors = leOverrun | leBreak;
    EXPECT_FALSE(lists.FireStatus(inputs).has_value());

    inputs.lineErrors |= leParity;
    inputs.modemStatus = 0;
    inputs.outputUsed = 0;
    inputs.outputFree = 64;
    inputs.outputSent = true;
    std::vector<int> order;
    while (auto fired = lists.FireStatus(inputs)) {
        order.push_back(fired->handle);
        if (fired->handle == freeSpace) {
            EXPECT_EQ(fired->count, 64);
        }
        if (fired->handle == used) {
            EXPECT_EQ(fired->count, 0);
        }
    }
    EXPECT_EQ(order, (std::vector<int>{modem, line, freeSpace, used, sent}));
}

TEST(TriggerListsTest, SavedStateComesBackWithItsAllocationCount)
{
    TriggerLists lists;
    lists.Reset();
    const int timer = lists.NewTimer();
    lists.ArmTimer(timer, 3, true, 0);
    lists.SetAvailThreshold(2);
    TriggerState saved;
    lists.Save(saved);

    lists.Reset();
    lists.Restore(saved);
    EXPECT_EQ(lists.AvailThreshold(), 2);
    EXPECT_EQ(lists.FireTimer(4), timer);
    // A handle made after the restore never equals a restored one.
    EXPECT_NE(lists.NewTimer(), timer);
}

}  // namespace
}  // namespace vl::serial
