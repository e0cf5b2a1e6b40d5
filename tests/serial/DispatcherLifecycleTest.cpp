// Opening and closing, threads, window and main-thread handlers, deferred
// closes, engine slots and the diagnostics files.
#include <atomic>
#include <string>
#include <vector>
#include <stdexcept>
#include <thread>

#include "DispatcherFixture.h"
#include "base/ErrorCodes.h"
#include "base/ExceptionDisplay.h"
#include "serial/DispatcherRegistry.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using namespace serial;
using namespace std::chrono_literals;

TEST_F(DispatcherTest, OpenStartsThreeThreadsAndCloseEndsThem)
{
    EXPECT_EQ(DispatcherAt(dispatcher->Handle()), dispatcher.get());
    ASSERT_EQ(Open(), 0);
    EXPECT_TRUE(dispatcher->IsOpen());
    EXPECT_EQ(dispatcher->ThreadsAlive(), 3);
    EXPECT_EQ(dispatcher->StartThreads(), base::ecComponentBusy);
    EXPECT_EQ(Open(), base::ecPortAlreadyOpen);
    ASSERT_EQ(dispatcher->CloseDevicePort(), 0);
    EXPECT_FALSE(dispatcher->IsOpen());
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(dispatcher->ThreadsAlive(), 0);
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(dispatcher->ThreadsAlive(), 3);
}

TEST_F(DispatcherTest, FailedOpenLeavesNothingOpen)
{
    device->FailOpenWith(base::ecFileNotFound);
    EXPECT_EQ(Open(), base::ecFileNotFound);
    EXPECT_FALSE(dispatcher->IsOpen());
    EXPECT_EQ(dispatcher->ThreadsAlive(), 0);
    device->FailOpenWith(0);
    EXPECT_EQ(dispatcher->OpenDevicePort("memory", 19200, 0, 8, 1, 4096, 0, 0), base::ecBadArgument);
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(Open(), 0);
}

TEST_F(DispatcherTest, DestroyedDispatchersGiveTheirSlotBack)
{
    const int handle = dispatcher->Handle();
    dispatcher.reset();
    EXPECT_EQ(DispatcherAt(handle), nullptr);
    auto again = std::make_unique<VlBaseDispatcher>(std::make_unique<MemoryDevice>(), loop);
    EXPECT_EQ(again->Handle(), handle);
}

// Procedure handlers carry no user data: the test reaches its dispatcher here.
std::atomic<VlBaseDispatcher*> closingDispatcher{nullptr};
std::atomic<int> closingCalls{0};
std::atomic<bool> pendingInside{false};
std::atomic<int> aliveInside{0};

void CloseFromInside(std::uint32_t msg, std::uintptr_t, std::intptr_t)
{
    if (msg != kTriggerTimerMsg)
        return;
    ++closingCalls;
    VlBaseDispatcher* dispatcher = closingDispatcher.load();
    dispatcher->CloseDevicePort();
    pendingInside = dispatcher->ClosePending();
    aliveInside = dispatcher->ThreadsAlive();
}

TEST_F(DispatcherTest, CloseFromInsideAProcedureHandlerCompletesAfterItReturns)
{
    ASSERT_EQ(Open(), 0);
    closingDispatcher = dispatcher.get();
    closingCalls = 0;
    dispatcher->AddProcedureHandler(CloseFromInside);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(dispatcher->WaitThreadsEnded(5s));
    EXPECT_EQ(closingCalls.load(), 1);
    EXPECT_TRUE(pendingInside.load());
    EXPECT_EQ(aliveInside.load(), 3);
    EXPECT_TRUE(dispatcher->ClosePending());
    ASSERT_EQ(dispatcher->CloseDevicePort(), 0);
    EXPECT_FALSE(dispatcher->IsOpen());
    EXPECT_FALSE(dispatcher->ClosePending());
    EXPECT_FALSE(device->IsOpen());
}

void Throwing(std::uint32_t msg, std::uintptr_t, std::intptr_t)
{
    if (msg == kTriggerTimerMsg)
        throw std::runtime_error("handler failed");
}

TEST_F(DispatcherTest, HandlerThatThrowsEndsTheDispatcherThreadButNotThePort)
{
    ASSERT_EQ(Open(), 0);
    dispatcher->AddProcedureHandler(Throwing);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return dispatcher->ThreadsAlive() == 2; }));
    EXPECT_EQ(dispatcher->ThreadFailure(), "handler failed");
    EXPECT_FALSE(dispatcher->Dispatching());
    ASSERT_EQ(dispatcher->CloseDevicePort(), 0);
    EXPECT_FALSE(dispatcher->IsOpen());
    EXPECT_EQ(dispatcher->ThreadsAlive(), 0);
}

TEST_F(DispatcherTest, AThreadFailureReachesTheFailureHandlerOnTheMainThread)
{
    ASSERT_EQ(Open(), 0);
    std::vector<std::string> failures;
    bool onMainThread = true;
    dispatcher->SetFailureHandler([&](std::exception_ptr error) {
        onMainThread = onMainThread && loop.OnLoopThread();
        failures.push_back(base::ExceptionText(error));
    });
    dispatcher->AddProcedureHandler(Throwing);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return !failures.empty(); }));
    EXPECT_EQ(failures, std::vector<std::string>{"handler failed"});
    EXPECT_TRUE(onMainThread);
}

std::atomic<int> mainThreadCalls{0};

void ThrowingOnce(void*, std::uint32_t msg, std::uintptr_t, std::intptr_t)
{
    if (msg == kTriggerTimerMsg && ++mainThreadCalls == 1)
        throw std::runtime_error("main thread handler failed");
}

TEST_F(DispatcherTest, AnExceptionFromAMainThreadHandlerIsReportedAndDispatchingGoesOn)
{
    ASSERT_EQ(Open(), 0);
    std::vector<std::string> failures;
    dispatcher->SetFailureHandler([&](std::exception_ptr error) { failures.push_back(base::ExceptionText(error)); });
    mainThreadCalls = 0;
    dispatcher->AddMethodHandler(ThrowingOnce, nullptr, true);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return !failures.empty(); }));
    EXPECT_EQ(failures, std::vector<std::string>{"main thread handler failed"});
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return mainThreadCalls.load() == 2; }));
    EXPECT_EQ(dispatcher->ThreadsAlive(), 3);
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(DispatcherTest, WindowHandlersRunOnTheMainThreadAndTheOwnersOnlyWhenWanted)
{
    ASSERT_EQ(Open(), 0);
    const auto mainThread = std::this_thread::get_id();
    std::vector<base::WindowMessage> ownSeen;
    std::vector<base::WindowMessage> otherSeen;
    bool offMainThread = false;
    base::MessageWindow own(loop, [&](const base::WindowMessage& m) {
        offMainThread = offMainThread || std::this_thread::get_id() != mainThread;
        ownSeen.push_back(m);
        return 0;
    });
    base::MessageWindow other(loop, [&](const base::WindowMessage& m) {
        otherSeen.push_back(m);
        return 0;
    });
    dispatcher->AddWindowHandler(&own);
    dispatcher->AddMethodHandler(EventRecorder::Handler, &recorder, false);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerTimerMsg) == 1; }));
    Settle();
    EXPECT_TRUE(ownSeen.empty());

    dispatcher->SetWindowHandlerWanted(true);
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return !ownSeen.empty() && ownSeen.back().msg == kTriggerTimerMsg; }));
    EXPECT_EQ(static_cast<int>(ownSeen.back().wParam), timer);
    EXPECT_EQ(EventDispatcherHandle(ownSeen.back().lParam), dispatcher->Handle());

    dispatcher->SetWindowHandlerWanted(false);
    dispatcher->AddWindowHandler(&other);
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return !otherSeen.empty() && otherSeen.back().msg == kTriggerTimerMsg; }));
    EXPECT_EQ(ownSeen.back().msg, kTriggerTimerMsg);
    EXPECT_FALSE(offMainThread);
    dispatcher->RemoveWindowHandler(&other);
    dispatcher->RemoveWindowHandler(&own);
}

TEST_F(DispatcherTest, MethodHandlerMarkedForTheMainThreadRunsThere)
{
    ASSERT_EQ(Open(), 0);
    const auto mainThread = std::this_thread::get_id();
    std::atomic<bool> onMain{false};
    recorder.SetAction([&](const DispatchedEvent&) { onMain = std::this_thread::get_id() == mainThread; });
    dispatcher->AddMethodHandler(EventRecorder::Handler, &recorder, true);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return recorder.CountOf(kTriggerTimerMsg) == 1; }));
    EXPECT_TRUE(onMain.load());
}

TEST_F(DispatcherTest, CloseFromAWindowHandlerWaitsForTheDispatchToEnd)
{
    ASSERT_EQ(Open(), 0);
    bool pending = false;
    base::MessageWindow own(loop, [&](const base::WindowMessage& m) {
        if (m.msg == kTriggerTimerMsg) {
            dispatcher->CloseDevicePort();
            pending = dispatcher->ClosePending();
        }
        return 0;
    });
    dispatcher->AddWindowHandler(&own);
    dispatcher->SetWindowHandlerWanted(true);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(WaitFor([&] { return dispatcher->ThreadsAlive() == 0; }));
    EXPECT_TRUE(pending);
    EXPECT_TRUE(dispatcher->IsOpen());
    ASSERT_EQ(dispatcher->CloseDevicePort(), 0);
    EXPECT_FALSE(dispatcher->IsOpen());
}

TEST_F(DispatcherTest, DestroyingWhileTheDispatcherWaitsOnTheMainThreadFinishes)
{
    ASSERT_EQ(Open(), 0);
    std::atomic<int> seen{0};
    base::MessageWindow own(loop, [&](const base::WindowMessage&) {
        ++seen;
        return 0;
    });
    dispatcher->AddWindowHandler(&own);
    dispatcher->SetWindowHandlerWanted(true);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    // The loop is not run here, so the dispatcher thread stays in its send.
    ASSERT_TRUE(AwaitDispatchWithoutLoop());
    dispatcher.reset();
    EXPECT_EQ(seen.load(), 1);
}

TEST_F(DispatcherTest, WindowRemovedAndDestroyedWhileAnEventIsOnItsWayIsNotCalled)
{
    ASSERT_EQ(Open(), 0);
    int seen = 0;
    auto window = std::make_unique<base::MessageWindow>(loop, [&](const base::WindowMessage&) {
        ++seen;
        return 0;
    });
    dispatcher->AddWindowHandler(window.get());
    dispatcher->SetWindowHandlerWanted(true);
    const int timer = dispatcher->NewTimerTrigger();
    ASSERT_EQ(dispatcher->ArmTimerTrigger(timer, 1, true), 0);
    ASSERT_TRUE(AwaitDispatchWithoutLoop());
    dispatcher->RemoveWindowHandler(window.get());
    window.reset();
    ASSERT_TRUE(WaitFor([&] { return !dispatcher->Dispatching(); }));
    EXPECT_EQ(seen, 0);
}

TEST_F(DispatcherTest, EngineSlotsAreOneToThree)
{
    DispatcherEngine engine;
    EXPECT_EQ(dispatcher->AttachEngine(0, &engine), base::ecBadArgument);
    EXPECT_EQ(dispatcher->AttachEngine(4, &engine), base::ecBadArgument);
    EXPECT_EQ(dispatcher->AttachEngine(2, &engine), 0);
    EXPECT_EQ(dispatcher->EngineAt(2), &engine);
    EXPECT_EQ(dispatcher->EngineAt(1), nullptr);
    EXPECT_EQ(dispatcher->EngineAt(7), nullptr);
}

TEST_F(DispatcherTest, TraceAndDispatchLogRecordTheLine)
{
    TempDir dir;
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(dispatcher->StartTrace(kMaxTraceEntries + 1), base::ecBadArgument);
    ASSERT_EQ(dispatcher->StartTrace(100), 0);
    ASSERT_EQ(dispatcher->StartDispatchLog(10000), 0);
    ASSERT_EQ(dispatcher->WriteText("AT"), 0);
    ASSERT_TRUE(device->WaitOutput(2, 5s));
    device->Feed("OK");
    ASSERT_TRUE(WaitFor([&] { return dispatcher->InputUsed() == 2; }));
    dispatcher->LogUserText("user-note");
    const auto trace = dir.path() / "trace.txt";
    const auto log = dir.path() / "log.txt";
    ASSERT_EQ(dispatcher->WriteTrace(trace.string(), false, true, false), 0);
    ASSERT_EQ(dispatcher->WriteDispatchLog(log.string(), false, true, false), 0);
    EXPECT_FALSE(dispatcher->TraceStarted());
    const std::string traceText = ReadFile(trace);
    EXPECT_NE(traceText.find("Transmit: AT"), std::string::npos) << traceText;
    EXPECT_NE(traceText.find("Receive: OK"), std::string::npos) << traceText;
    const std::string logText = ReadFile(log);
    EXPECT_NE(logText.find("WriteCom"), std::string::npos) << logText;
    EXPECT_NE(logText.find("ReadCom"), std::string::npos) << logText;
    EXPECT_NE(logText.find("user-note"), std::string::npos) << logText;
}

}  // namespace
}  // namespace vl::test
