#include "CallSwitch.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vl::linesim {
namespace {

// An endpoint that records its events with their times, and can act on them.
class Party : public Endpoint {
public:
    std::string Description() const override { return "party"; }
    bool IsAudio() const override { return true; }
    void OnCall(CallEvent e) override {
        events.push_back({e, *clock});
        if (onEvent) onEvent(e);
    }
    void PollHost() override {}
    void Step(std::int64_t, std::span<const std::int16_t>, std::span<std::int16_t>) override {}
    SideReport Report() const override { return {}; }

    int Count(CallEvent e) const {
        int n = 0;
        for (auto& [ev, t] : events) n += ev == e;
        return n;
    }
    std::int64_t TimeOf(CallEvent e) const {
        for (auto& [ev, t] : events)
            if (ev == e) return t;
        return -1;
    }

    std::vector<std::pair<CallEvent, std::int64_t>> events;
    std::function<void(CallEvent)> onEvent;
    const std::int64_t* clock = nullptr;
};

class CallSwitchTest : public ::testing::Test {
protected:
    void Make(CallFault fault) {
        sw = std::make_unique<CallSwitch>(fault);
        sw->Attach(a, b);
        a.clock = b.clock = &now;
    }
    void RunUntil(std::int64_t endMs) {
        for (; now <= endMs; now += kStepMs) sw->Tick(now);
        now -= kStepMs;
    }
    void AnswerAfterRings(Party& p, int rings) {
        p.onEvent = [this, &p, rings](CallEvent e) {
            if (e == CallEvent::Ring && p.Count(CallEvent::Ring) == rings) sw->Answer(p);
        };
    }

    std::int64_t now = 0;
    Party a, b;
    std::unique_ptr<CallSwitch> sw;
};

TEST_F(CallSwitchTest, CallRingsEverySixSecondsAndConnectsBothOnAnswer) {
    Make(CallFault::None);
    AnswerAfterRings(b, 2);
    sw->Tick(0);
    sw->Dial(a, "123");
    RunUntil(10000);
    EXPECT_EQ(b.Count(CallEvent::Ring), 2);
    ASSERT_EQ(b.events[1].second - b.events[0].second, kRingPeriodMs);
    EXPECT_EQ(a.Count(CallEvent::Alerting), 1);
    EXPECT_EQ(a.Count(CallEvent::Connected), 1);
    EXPECT_EQ(b.Count(CallEvent::Connected), 1);
    EXPECT_EQ(sw->FarEndOf(0), FarEnd::Peer);
    EXPECT_EQ(sw->FarEndOf(1), FarEnd::Peer);
    EXPECT_TRUE(sw->Connected());
    EXPECT_FALSE(sw->Finished());
}

TEST_F(CallSwitchTest, NoEventReachesAPartyInsideItsOwnRequest) {
    Make(CallFault::None);
    sw->Dial(a, "1");
    sw->HangUp(a);
    sw->Answer(b);
    EXPECT_TRUE(a.events.empty());
    EXPECT_TRUE(b.events.empty());
}

TEST_F(CallSwitchTest, HangUpReachesTheFarEndAndTheCallEndsWhenBothAreOnHook) {
    Make(CallFault::None);
    AnswerAfterRings(b, 1);
    sw->Dial(a, "1");
    RunUntil(3000);
    sw->HangUp(b);
    EXPECT_EQ(sw->FarEndOf(0), FarEnd::Peer);  // audio lingers until the far end notices
    RunUntil(4000);
    EXPECT_EQ(a.Count(CallEvent::HungUp), 1);
    EXPECT_TRUE(sw->Finished());  // the line going dead puts A on hook too
    EXPECT_EQ(sw->Outcome(), CallOutcome::None);
    EXPECT_EQ(sw->FarEndOf(0), FarEnd::Nobody);
}

TEST_F(CallSwitchTest, UnansweredCallRingsOutWithinFortySeconds) {
    Make(CallFault::None);
    sw->Dial(a, "1");
    RunUntil(40000);
    EXPECT_EQ(b.Count(CallEvent::Ring), kRingsBeforeNoAnswer);
    EXPECT_EQ(a.Count(CallEvent::NoAnswer), 1);
    EXPECT_TRUE(sw->Finished());
    EXPECT_EQ(sw->Outcome(), CallOutcome::NoAnswer);
    EXPECT_FALSE(sw->Connected());
}

TEST_F(CallSwitchTest, CallerGivingUpWhileItRingsIsAbandoned) {
    Make(CallFault::None);
    sw->Dial(a, "1");
    RunUntil(8000);
    sw->HangUp(a);
    RunUntil(20000);
    EXPECT_EQ(b.Count(CallEvent::Ring), 2);  // no more rings once the caller left
    EXPECT_EQ(sw->Outcome(), CallOutcome::Abandoned);
    EXPECT_TRUE(sw->Finished());
}

TEST_F(CallSwitchTest, ModemAnsweringBeforeTheCallTakesItWithoutRinging) {
    Make(CallFault::None);
    sw->Answer(b);
    RunUntil(2000);
    sw->Dial(a, "1");
    RunUntil(4000);
    EXPECT_EQ(b.Count(CallEvent::Ring), 0);
    EXPECT_EQ(b.Count(CallEvent::Connected), 1);
    EXPECT_EQ(a.Count(CallEvent::Connected), 1);
    RunUntil(70000);  // its lonely-answer timeout no longer applies
    EXPECT_EQ(b.Count(CallEvent::HungUp), 0);
}

TEST_F(CallSwitchTest, ModemAnsweringWithNobodyCallingGivesUp) {
    Make(CallFault::None);
    sw->Answer(b);
    RunUntil(61000);
    EXPECT_EQ(b.Count(CallEvent::HungUp), 1);
    EXPECT_FALSE(sw->Finished());  // no call was attempted
}

struct RefusalCase {
    CallFault fault;
    CallEvent event;
    CallOutcome outcome;
    std::int64_t latestMs;
};

TEST_F(CallSwitchTest, RefusingFaultsTellTheCallerAndNeverRingTheFarEnd) {
    const RefusalCase cases[] = {
        {CallFault::Busy, CallEvent::Busy, CallOutcome::Busy, 5000},
        {CallFault::NoDialtone, CallEvent::NoDialtone, CallOutcome::NoDialtone, 5000},
        {CallFault::NoAnswer, CallEvent::NoAnswer, CallOutcome::NoAnswer, 40000},
    };
    for (const auto& c : cases) {
        now = 0;
        a.events.clear();
        b.events.clear();
        Make(c.fault);
        sw->Answer(b);  // even a waiting modem is not reached
        sw->Dial(a, "1");
        RunUntil(c.latestMs);
        EXPECT_EQ(a.Count(c.event), 1) << static_cast<int>(c.event);
        EXPECT_EQ(b.Count(CallEvent::Ring) + b.Count(CallEvent::Connected), 0);
        EXPECT_TRUE(sw->Finished());
        EXPECT_EQ(sw->Outcome(), c.outcome);
        EXPECT_FALSE(sw->Connected());
    }
}

TEST_F(CallSwitchTest, VoiceAndSilentFarEndsAnswerTheCallerOnly) {
    for (auto [fault, heard, outcome] : {std::tuple{CallFault::Voice, FarEnd::Voice, CallOutcome::Voice},
                                         std::tuple{CallFault::NoCarrier, FarEnd::Silence, CallOutcome::NoCarrier}}) {
        now = 0;
        a.events.clear();
        b.events.clear();
        Make(fault);
        sw->Dial(a, "1");
        RunUntil(8000);
        EXPECT_EQ(a.Count(CallEvent::Connected), 1);
        EXPECT_TRUE(b.events.empty());
        EXPECT_EQ(sw->FarEndOf(0), heard);
        EXPECT_EQ(sw->FarEndOf(1), FarEnd::Nobody);
        sw->HangUp(a);
        EXPECT_TRUE(sw->Finished());
        EXPECT_EQ(sw->Outcome(), outcome);
    }
}

TEST_F(CallSwitchTest, DroppedLineFallsSilentThenClearsBothEnds) {
    Make(CallFault::None);
    AnswerAfterRings(b, 1);
    sw->Dial(a, "1");
    RunUntil(3000);
    sw->DropLine();
    EXPECT_EQ(sw->FarEndOf(0), FarEnd::Nobody);
    EXPECT_EQ(sw->FarEndOf(1), FarEnd::Nobody);
    RunUntil(7000);
    EXPECT_EQ(a.Count(CallEvent::HungUp), 1);
    EXPECT_EQ(b.Count(CallEvent::HungUp), 1);
    EXPECT_TRUE(sw->Finished());
    EXPECT_EQ(sw->Outcome(), CallOutcome::Dropped);
}

TEST_F(CallSwitchTest, SecondDialDuringACallMeetsBusy) {
    Make(CallFault::None);
    AnswerAfterRings(b, 1);
    sw->Dial(a, "1");
    RunUntil(3000);
    sw->Dial(a, "2");
    RunUntil(7000);
    EXPECT_EQ(a.Count(CallEvent::Busy), 1);
}

}  // namespace
}  // namespace vl::linesim
