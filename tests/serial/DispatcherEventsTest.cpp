// Trigger events and how handlers share the input while one is dispatched.
#include "DispatcherFixture.h"
#include "base/ErrorCodes.h"

namespace vl::test {
namespace {

using namespace serial;
using namespace std::chrono_literals;

// Reads up to `count` bytes in a handler, collecting them.
EventRecorder::Action ReadAhead(VlBaseDispatcher& dispatcher, int count, std::string& into)
{
    return [&dispatcher, count, &into](const DispatchedEvent& event) {
        if (event.msg != kTriggerAvailMsg)
            return;
        for (int i = 0; i < count; ++i) {
            const int byte = dispatcher.ReadByte();
            if (byte < 0)
                break;
            into += static_cast<char>(byte);
        }
    };
}

class DispatcherEventsTest : public DispatcherTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Open(), 0);
        dispatcher->AddMethodHandler(EventRecorder::Handler, &recorder, false);
    }
    void AddSecond() { dispatcher->AddMethodHandler(EventRecorder::Handler, &second, false); }

    EventRecorder second;
};

TEST_F(DispatcherEventsTest, TwoHandlersReadingThreeAndFiveOfFiveConsumeFive)
{
    AddSecond();
    std::string first;
    std::string other;
    recorder.SetAction(ReadAhead(*dispatcher, 3, first));
    second.SetAction(ReadAhead(*dispatcher, 5, other));
    dispatcher->SetAvailThreshold(1);
    device->Feed("abcde");
    ASSERT_TRUE(WaitFor([&] { return second.CountOf(kTriggerAvailMsg) == 1; }));
    Settle();
    EXPECT_EQ(first, "abc");
    EXPECT_EQ(other, "abcde");
    EXPECT_EQ(recorder.EventsOf(kTriggerAvailMsg).front().wParam, 5u);
    EXPECT_EQ(dispatcher->InputUsed(), 0);
    EXPECT_EQ(recorder.CountOf(kTriggerAvailMsg), 1u);

    device->Feed("f");
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerAvailMsg) == 2; }));
    EXPECT_EQ(recorder.EventsOf(kTriggerAvailMsg).back().wParam, 1u);
}

TEST_F(DispatcherEventsTest, BytesLeftUnreadRaiseNoEventUntilMoreArrive)
{
    std::string got;
    recorder.SetAction(ReadAhead(*dispatcher, 2, got));
    dispatcher->SetAvailThreshold(1);
    device->Feed("12345");
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerAvailMsg) == 1; }));
    Settle();
    EXPECT_EQ(recorder.CountOf(kTriggerAvailMsg), 1u);
    EXPECT_EQ(dispatcher->InputUsed(), 3);

    device->Feed("6");
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerAvailMsg) == 2; }));
    EXPECT_EQ(recorder.EventsOf(kTriggerAvailMsg).back().wParam, 4u);
    EXPECT_EQ(got, "1234");
}

TEST_F(DispatcherEventsTest, ThresholdWaitsForEnoughBytes)
{
    dispatcher->SetAvailThreshold(4);
    device->Feed("ab");
    ASSERT_TRUE(WaitFor([&] { return dispatcher->InputUsed() == 2; }));
    Settle();
    EXPECT_EQ(recorder.CountOf(kTriggerAvailMsg), 0u);
    device->Feed("cd");
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerAvailMsg) == 1; }));
    EXPECT_EQ(recorder.EventsOf(kTriggerAvailMsg).front().wParam, 4u);
}

TEST_F(DispatcherEventsTest, EachHandlerSeesTheInputFromItsOwnReadAhead)
{
    AddSecond();
    struct Seen {
        bool hasInput = false;
        int used = 0;
        int peek = 0;
    };
    Seen firstSeen;
    Seen secondSeen;
    recorder.SetAction([&](const DispatchedEvent& event) {
        if (event.msg != kTriggerAvailMsg)
            return;
        dispatcher->ReadByte();
        dispatcher->ReadByte();
        firstSeen = {dispatcher->HasInput(), dispatcher->InputUsed(), dispatcher->PeekByte(1)};
    });
    second.SetAction([&](const DispatchedEvent& event) {
        if (event.msg != kTriggerAvailMsg)
            return;
        secondSeen = {dispatcher->HasInput(), dispatcher->InputUsed(), dispatcher->PeekByte(1)};
        while (dispatcher->ReadByte() >= 0) {
        }
    });
    dispatcher->SetAvailThreshold(1);
    device->Feed("xyz");
    ASSERT_TRUE(WaitFor([&] { return second.CountOf(kTriggerAvailMsg) == 1; }));
    Settle();
    EXPECT_TRUE(firstSeen.hasInput);
    EXPECT_EQ(firstSeen.used, 1);
    EXPECT_EQ(firstSeen.peek, 'z');
    EXPECT_TRUE(secondSeen.hasInput);
    EXPECT_EQ(secondSeen.used, 3);
    EXPECT_EQ(secondSeen.peek, 'x');
    EXPECT_EQ(dispatcher->InputUsed(), 0);
}

TEST_F(DispatcherEventsTest, DiscardInputDuringDispatchDropsEverythingForEveryone)
{
    AddSecond();
    int secondRead = 0;
    bool secondHasInput = true;
    recorder.SetAction([&](const DispatchedEvent& event) {
        if (event.msg != kTriggerAvailMsg)
            return;
        dispatcher->ReadByte();
        dispatcher->DiscardInput();
    });
    second.SetAction([&](const DispatchedEvent& event) {
        if (event.msg != kTriggerAvailMsg)
            return;
        secondHasInput = dispatcher->HasInput();
        secondRead = dispatcher->ReadByte();
    });
    dispatcher->SetAvailThreshold(1);
    device->Feed("abcdef");
    ASSERT_TRUE(WaitFor([&] { return second.CountOf(kTriggerAvailMsg) == 1; }));
    Settle();
    EXPECT_FALSE(secondHasInput);
    EXPECT_EQ(secondRead, base::ecBufferEmpty);
    EXPECT_EQ(dispatcher->InputUsed(), 0);
    EXPECT_EQ(recorder.CountOf(kTriggerAvailMsg), 1u);
}

TEST_F(DispatcherEventsTest, RemovingHandleOneTurnsDataEventsOff)
{
    dispatcher->SetAvailThreshold(1);
    EXPECT_EQ(dispatcher->DeleteTrigger(kAvailTriggerHandle), 0);
    EXPECT_EQ(dispatcher->AvailThreshold(), 0);
    device->Feed("abc");
    ASSERT_TRUE(WaitFor([&] { return dispatcher->InputUsed() == 3; }));
    Settle();
    EXPECT_EQ(recorder.CountOf(kTriggerAvailMsg), 0u);
}

TEST_F(DispatcherEventsTest, OutputUsedZeroFiresOnceTheRingIsEmpty)
{
    device->HoldWrites(true);
    ASSERT_EQ(dispatcher->WriteText("data"), 0);
    const int handle = dispatcher->NewStatusTrigger(stOutputUsed);
    ASSERT_EQ(handle & kTriggerTypeMask, stOutputUsed);
    ASSERT_EQ(dispatcher->ArmStatusTrigger(handle, 0, true), 0);
    Settle();
    auto fired = [&] { return recorder.CountFor(kTriggerStatusMsg, handle); };
    EXPECT_EQ(fired(), 0u);
    device->HoldWrites(false);
    ASSERT_TRUE(WaitFor([&] { return fired() == 1; }));
    for (const auto& event : recorder.EventsOf(kTriggerStatusMsg)) {
        if (static_cast<int>(event.wParam) == handle) {
            EXPECT_EQ(EventLowWord(event.lParam), 0);
            EXPECT_EQ(EventDispatcherHandle(event.lParam), dispatcher->Handle());
        }
    }
    ASSERT_EQ(dispatcher->WriteText("more"), 0);
    ASSERT_TRUE(device->WaitOutput(8, 5s));
    Settle();
    EXPECT_EQ(fired(), 1u);
}

TEST_F(DispatcherEventsTest, OutputSentFiresOnceAfterAPut)
{
    const int handle = dispatcher->NewStatusTrigger(stOutputSent);
    ASSERT_EQ(dispatcher->ArmStatusTrigger(handle, 0, true), 0);
    Settle();
    EXPECT_EQ(recorder.EventsOf(kTriggerStatusMsg).size(), 2u);  // the two settle rounds only
    ASSERT_EQ(dispatcher->WriteByte('!'), 0);
    ASSERT_TRUE(WaitFor([&] { return recorder.CountFor(kTriggerStatusMsg, handle) == 1; }));
}

TEST_F(DispatcherEventsTest, TimerFiresOnceWithItsHandle)
{
    const int timer = dispatcher->NewTimerTrigger();
    EXPECT_EQ(timer % 8, 0);
    EXPECT_EQ(dispatcher->ArmTimerTrigger(timer + 1, 1, true), base::ecBadTriggerHandle);
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerTimerMsg) == 1; }));
    const auto event = recorder.EventsOf(kTriggerTimerMsg).front();
    EXPECT_EQ(static_cast<int>(event.wParam), timer);
    EXPECT_EQ(EventDispatcherHandle(event.lParam), dispatcher->Handle());
    Settle();
    EXPECT_EQ(recorder.CountOf(kTriggerTimerMsg), 1u);
}

TEST_F(DispatcherEventsTest, ModemSignalChangeAndLineErrorFireTheirTriggers)
{
    const int modem = dispatcher->NewStatusTrigger(stModemStatus);
    const int line = dispatcher->NewStatusTrigger(stLineError);
    ASSERT_EQ(dispatcher->ArmStatusTrigger(modem, msDcd, true), 0);
    ASSERT_EQ(dispatcher->ArmStatusTrigger(line, 4, true), 0);  // framing
    auto fired = [&](int handle) { return recorder.CountFor(kTriggerStatusMsg, handle); };
    device->SetModemStatus(msCts | msDsr);  // DCD drops
    ASSERT_TRUE(WaitFor([&] { return fired(modem) == 1; }));
    EXPECT_EQ(fired(line), 0u);
    const std::uint8_t status = dispatcher->ReadModemStatus(mdDeltaDcd);
    EXPECT_EQ(status & 0xF0, msCts | msDsr);
    EXPECT_TRUE(status & mdDeltaDcd);
    EXPECT_FALSE(dispatcher->CheckDelta(mdDeltaDcd));

    device->AddErrors(leOverrun);
    Settle();
    EXPECT_EQ(fired(line), 0u);
    device->AddErrors(leFraming);
    ASSERT_TRUE(WaitFor([&] { return fired(line) == 1; }));
    EXPECT_EQ(dispatcher->TakeLineError(), lcOverrun);
    EXPECT_EQ(dispatcher->TakeLineError(), lcNone);
}

TEST_F(DispatcherEventsTest, HeldDispatchingLetsTheHolderTakeBytesDirectly)
{
    dispatcher->SetAvailThreshold(1);
    const int timer = dispatcher->NewTimerTrigger();
    EXPECT_FALSE(dispatcher->SetDispatching(true));
    EXPECT_TRUE(dispatcher->Dispatching());
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    device->Feed("OK");
    ASSERT_TRUE(WaitFor([&] { return dispatcher->InputUsed() == 2; }));
    EXPECT_EQ(dispatcher->ReadByte(), 'O');
    EXPECT_EQ(dispatcher->ReadByte(), 'K');
    EXPECT_TRUE(dispatcher->SetDispatching(false));
    // The timer that expired meanwhile comes now; the bytes taken raise nothing.
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerTimerMsg) == 1; }));
    Settle();
    EXPECT_EQ(recorder.CountOf(kTriggerAvailMsg), 0u);
}

TEST_F(DispatcherEventsTest, HandlerRemovedDuringDispatchIsSkippedThenGone)
{
    AddSecond();
    recorder.SetAction([&](const DispatchedEvent& event) {
        if (event.msg == kTriggerTimerMsg)
            dispatcher->RemoveMethodHandler(EventRecorder::Handler, &second);
    });
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerTimerMsg) == 1; }));
    Settle();
    EXPECT_EQ(second.Events().size(), 0u);
    EXPECT_TRUE(dispatcher->HandlersPresent());
}

TEST_F(DispatcherEventsTest, TriggersSavedBeforeACloseWorkAfterTheReopen)
{
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 2, false), 0);
    dispatcher->SetAvailThreshold(3);
    TriggerState saved;
    dispatcher->SaveTriggerState(saved);
    ASSERT_EQ(dispatcher->CloseDevicePort(), 0);
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(dispatcher->AvailThreshold(), 0);
    EXPECT_EQ(dispatcher->ArmTimerTrigger(timer, 0, true), base::ecBadTriggerHandle);
    dispatcher->RestoreTriggerState(saved);
    EXPECT_EQ(dispatcher->AvailThreshold(), 3);
    EXPECT_NE(dispatcher->NewTimerTrigger(), timer);
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 0, true), 0);
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerTimerMsg) == 1; }));
}

}  // namespace
}  // namespace vl::test
