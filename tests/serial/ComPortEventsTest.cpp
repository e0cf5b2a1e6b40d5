// Dispatcher events reaching the comm port's own events on the main thread,
// and a close requested from inside one of them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ComPortFixture.h"
#include "base/ExceptionDisplay.h"
#include "base/Exceptions.h"

namespace vl::test {
namespace {

using namespace serial;
using namespace std::chrono_literals;

class ComPortEventsTest : public ::testing::Test, public ComPortFixture {};

TEST_F(ComPortEventsTest, DataReachesOnTriggerAvailThroughTheWindow)
{
    std::string got;
    std::vector<int> triggerData;
    bool onMainThread = true;
    port->SetOnTrigger([&](VlComPort&, std::uint32_t msg, int, int data) {
        if (msg == kTriggerAvailMsg)
            triggerData.push_back(data);
    });
    port->SetOnTriggerAvail([&](VlComPort& p, int count) {
        onMainThread = onMainThread && p.Loop().OnLoopThread();
        for (int i = 0; i < count; ++i)
            got += static_cast<char>(p.TakeByte());
    });
    port->SetOpen(true);
    port->SendText("AT\r");
    ASSERT_TRUE(PumpUntil([&] { return got.find("OK\r\n") != std::string::npos; })) << got;
    EXPECT_EQ(got, "AT\r\r\nOK\r\n");
    EXPECT_TRUE(onMainThread);
    ASSERT_FALSE(triggerData.empty());
    EXPECT_GT(triggerData.front(), 0);
}

TEST_F(ComPortEventsTest, WithoutHandlersNoEventsAreTaken)
{
    int events = 0;
    port->SetOnTriggerAvail([&](VlComPort&, int) { ++events; });
    port->SetOnTriggerAvail({});
    port->SetOpen(true);
    port->SendText("AT\r");
    ASSERT_TRUE(modem.WaitForCommands(1, 5s));
    ASSERT_TRUE(PumpUntil([&] { return port->Dispatcher().InputUsed() >= 9; }));
    EXPECT_EQ(events, 0);
    EXPECT_EQ(events, 0);
    // Assigning a handler while open turns the events on.
    port->SetOnTriggerAvail([&](VlComPort&, int) { ++events; });
    port->SendText("AT\r");
    EXPECT_TRUE(PumpUntil([&] { return events > 0; }));
}

TEST_F(ComPortEventsTest, TimerAndStatusTriggersRaiseTheirEvents)
{
    std::vector<std::string> events;
    port->SetOnTriggerTimer([&](VlComPort&, int) { events.push_back("timer"); });
    port->SetOnTriggerStatus([&](VlComPort&, int) { events.push_back("status"); });
    port->SetOnTriggerOutSent([&](VlComPort&) { events.push_back("sent"); });
    port->SetAvailThreshold(0);
    port->SetOpen(true);
    VlBaseDispatcher& dispatcher = port->Dispatcher();
    const int timer = dispatcher.NewTimerTrigger();
    ASSERT_EQ(dispatcher.ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(PumpUntil([&] { return !events.empty(); }));
    EXPECT_EQ(events, std::vector<std::string>{"timer"});

    events.clear();
    const int sent = dispatcher.NewStatusTrigger(stOutputSent);
    ASSERT_EQ(dispatcher.ArmStatusTrigger(sent, 0, true), 0);
    port->SendText("AT\r");
    ASSERT_TRUE(PumpUntil([&] { return events.size() >= 2; }));
    EXPECT_EQ(events, (std::vector<std::string>{"status", "sent"}));
}

TEST_F(ComPortEventsTest, ACloseFromInsideAnEventCompletesAfterIt)
{
    int calls = 0;
    std::vector<bool> watcherTold;
    port->AddWatcherCallback([&](VlComPort&, bool opened) { watcherTold.push_back(opened); });
    port->SetOnTriggerAvail([&](VlComPort& p, int) {
        ++calls;
        p.SetOpen(false);
        // Still closing: the dispatcher's thread waits for this handler.
        EXPECT_FALSE(p.Open());
        EXPECT_FALSE(p.IsPortOpen());
        EXPECT_THROW(p.SendText("AT\r"), base::ENotOpen);
    });
    port->SetOpen(true);
    port->SendText("AT\r");
    ASSERT_TRUE(PumpUntil([&] { return calls > 0 && !port->Open(); }));
    EXPECT_EQ(calls, 1);
    // The close completes once the loop runs on: the port may then open again.
    port->SetOnTriggerAvail({});
    ASSERT_TRUE(PumpUntil([&] {
        port->SetOpen(true);
        return port->IsPortOpen();
    }));
    port->SendText("AT\r");
    EXPECT_TRUE(port->AwaitReply("OK", 36, false, false));
    port->SetOpen(false);
    EXPECT_EQ(watcherTold, (std::vector<bool>{true, false, true, false}));
}

// A handler on the dispatcher's own thread is running when the program
// closes the port: the close waits for it and completes from the loop.
struct BlockingHandler {
    std::atomic<bool> entered{false};
    std::atomic<bool> release{false};

    static void Run(void* self, std::uint32_t msg, std::uintptr_t, std::intptr_t)
    {
        auto* handler = static_cast<BlockingHandler*>(self);
        if (msg != kTriggerAvailMsg || handler->entered.exchange(true))
            return;
        while (!handler->release.load())
            std::this_thread::sleep_for(1ms);
    }
};

TEST_F(ComPortEventsTest, ACloseWhileAnotherThreadDispatchesCompletesFromTheLoop)
{
    BlockingHandler handler;
    // Whatever happens below, the handler's thread is let go and ended
    // before the handler goes away.
    struct Ending {
        BlockingHandler& handler;
        std::unique_ptr<VlComPort>& port;
        ~Ending()
        {
            handler.release.store(true);
            port.reset();
        }
    } ending{handler, port};
    port->SetOpen(true);
    port->Dispatcher().AddMethodHandler(BlockingHandler::Run, &handler, false);
    port->SendText("AT\r");
    ASSERT_TRUE(PumpUntil([&] { return handler.entered.load(); }));
    port->SetOpen(false);
    EXPECT_FALSE(port->Open());
    EXPECT_FALSE(port->IsPortOpen());
    EXPECT_TRUE(std::filesystem::exists(LockFile()));  // the device is still held
    port->SetOpen(true);                                // recorded for later
    EXPECT_FALSE(port->IsPortOpen());
    handler.release.store(true);
    ASSERT_TRUE(PumpUntil([&] { return port->IsPortOpen(); }));
    port->SendText("AT\r");
    EXPECT_TRUE(port->AwaitReply("OK", 36, false, false));
}

TEST_F(ComPortEventsTest, AnOpenRequestedWhileClosingHappensAfterTheClose)
{
    int calls = 0;
    port->SetOnTriggerAvail([&](VlComPort& p, int) {
        if (++calls == 1) {
            p.SetOpen(false);
            p.SetOpen(true);  // only recorded
        }
    });
    port->SetOpen(true);
    port->SendText("AT\r");
    ASSERT_TRUE(PumpUntil([&] { return calls > 0 && port->IsPortOpen(); }));
    EXPECT_TRUE(port->Open());
    // The reopened port works.
    port->SetOnTriggerAvail({});
    port->SendText("AT\r");
    EXPECT_TRUE(port->AwaitReply("OK", 36, false, false));
}

TEST_F(ComPortEventsTest, AnExceptionFromAHandlerGoesToTheDisplay)
{
    std::string shown;
    port->SetExceptionDisplay([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            shown = e.what();
        }
    });
    port->SetOnTriggerAvail([](VlComPort&, int) { throw std::runtime_error("handler failed"); });
    port->SetOpen(true);
    port->SendText("AT\r");
    ASSERT_TRUE(PumpUntil([&] { return !shown.empty(); }));
    EXPECT_EQ(shown, "handler failed");
    EXPECT_TRUE(port->IsPortOpen());
}

// A handler on the dispatcher thread that throws in the middle of a modem
// dialogue: the thread ends, and the port says so on the main thread instead
// of leaving its users to wait.
TEST_F(ComPortEventsTest, AThreadEndedByAnExceptionIsShownAndToldToFailureWatchers)
{
    std::vector<std::string> shown;
    std::vector<int> told;
    port->SetExceptionDisplay(
        [&](std::exception_ptr error) { shown.push_back(base::ExceptionText(error)); });
    port->AddFailureWatcher([&](VlComPort& p, int code) {
        EXPECT_TRUE(p.Loop().OnLoopThread());
        told.push_back(code);
    });
    port->SetOpen(true);
    static std::atomic<bool> armed;
    armed = false;
    port->Dispatcher().AddProcedureHandler([](std::uint32_t msg, std::uintptr_t, std::intptr_t) {
        if (msg == kTriggerAvailMsg && armed.load())
            throw base::EFaxSessionError();
    });
    port->SendText("AT\r");
    EXPECT_TRUE(port->AwaitReply("OK", 36, false, true));
    armed = true;
    port->SendText("AT\r");
    ASSERT_TRUE(PumpUntil([&] { return !told.empty(); }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.front(), base::EFaxSessionError().what());
    EXPECT_EQ(told, std::vector<int>{base::ecFaxSessionError});
    EXPECT_EQ(port->Dispatcher().ThreadsAlive(), 2);
    port->SetOpen(false);
    EXPECT_FALSE(port->Open());
}

TEST_F(ComPortEventsTest, WithoutAPortDisplayTheProgramsDisplayShowsIt)
{
    std::string shown;
    const auto previous =
        base::SetExceptionDisplay([&](std::exception_ptr error) { shown = base::ExceptionText(error); });
    port->SetOnTriggerAvail([](VlComPort&, int) { throw std::runtime_error("handler failed"); });
    port->SetOpen(true);
    port->SendText("AT\r");
    const bool reached = PumpUntil([&] { return !shown.empty(); });
    base::SetExceptionDisplay(previous);
    ASSERT_TRUE(reached);
    EXPECT_EQ(shown, "handler failed");
}

}  // namespace
}  // namespace vl::test
