#include "base/MessageWindow.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "base/ErrorCodes.h"

namespace vl::base {
namespace {

using namespace std::chrono_literals;

bool WakeFdReadable(const MessageLoop& loop, int waitMs = 0)
{
    pollfd wake{loop.WakeFd(), POLLIN, 0};
    return poll(&wake, 1, waitMs) == 1;
}

WindowMessage Msg(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0)
{
    return WindowMessage{msg, wParam, lParam};
}

// A window that notes each message it runs, as msg * 1000 + wParam, on the
// loop's thread only.
struct Recorder {
    std::vector<int> seen;
    MessageWindow::Handler Handler()
    {
        return [this](const WindowMessage& m) {
            seen.push_back(static_cast<int>(m.msg * 1000 + m.wParam));
            return static_cast<std::intptr_t>(m.msg);
        };
    }
};

TEST(MessageWindowTest, PostsRunInOrderAcrossWindows)
{
    MessageLoop loop;
    Recorder rec;
    MessageWindow a(loop, rec.Handler());
    MessageWindow b(loop, rec.Handler());
    EXPECT_FALSE(WakeFdReadable(loop));
    a.Post(Msg(1));
    b.Post(Msg(2));
    a.Post(Msg(3, 7));
    EXPECT_TRUE(WakeFdReadable(loop));
    EXPECT_EQ(loop.ProcessPendingMessages(), 0);
    EXPECT_EQ(rec.seen, (std::vector<int>{1000, 2000, 3007}));
    EXPECT_FALSE(WakeFdReadable(loop));
    EXPECT_EQ(loop.ProcessPendingMessages(), 0);
}

TEST(MessageWindowTest, LoopBelongsToTheThreadThatMadeIt)
{
    MessageLoop loop;
    EXPECT_TRUE(loop.OnLoopThread());
    bool elsewhere = true;
    std::thread([&] { elsewhere = loop.OnLoopThread(); }).join();
    EXPECT_FALSE(elsewhere);
}

TEST(MessageWindowTest, SendOnTheLoopThreadRunsAtOnce)
{
    MessageLoop loop;
    Recorder rec;
    MessageWindow w(loop, rec.Handler());
    EXPECT_EQ(w.Send(Msg(5), 0ms, -1), 5);
    EXPECT_EQ(rec.seen, (std::vector<int>{5000}));
    EXPECT_FALSE(WakeFdReadable(loop));
}

TEST(MessageWindowTest, SendFromAnotherThreadGetsTheHandlersAnswer)
{
    MessageLoop loop;
    std::thread::id ranOn;
    MessageWindow w(loop, [&](const WindowMessage& m) {
        ranOn = std::this_thread::get_id();
        return static_cast<std::intptr_t>(m.wParam) + m.lParam;
    });
    std::intptr_t answer = 0;
    std::thread sender([&] {
        answer = w.Send(Msg(1, 40, 2), 3000ms, -1);
        loop.PostQuit();
    });
    EXPECT_TRUE(loop.Run(10s));
    sender.join();
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(MessageWindowTest, TimedOutSendAnswersTheDefaultAndTheLateAnswerIsDropped)
{
    MessageLoop loop;
    int runs = 0;
    MessageWindow w(loop, [&](const WindowMessage&) {
        ++runs;
        return std::intptr_t{99};
    });
    std::intptr_t answer = 0;
    std::thread([&] { answer = w.Send(Msg(1), 20ms, 7); }).join();
    EXPECT_EQ(answer, 7);
    EXPECT_EQ(runs, 0);
    // The message still runs once the loop gets to it; nobody is left to answer.
    EXPECT_EQ(loop.ProcessPendingMessages(), 0);
    EXPECT_EQ(runs, 1);
}

TEST(MessageWindowTest, SenderLeavesWhileTheHandlerStillRuns)
{
    MessageLoop loop;
    std::atomic<bool> senderLeft{false};
    MessageWindow w(loop, [&](const WindowMessage&) {
        while (!senderLeft)
            std::this_thread::sleep_for(1ms);
        return std::intptr_t{99};
    });
    std::intptr_t answer = 0;
    std::thread sender([&] {
        answer = w.Send(Msg(1), 20ms, 7);
        senderLeft = true;
        loop.PostQuit();
    });
    EXPECT_TRUE(loop.Run(10s));
    sender.join();
    EXPECT_EQ(answer, 7);
}

TEST(MessageWindowTest, DestroyingTheWindowReleasesAWaitingSender)
{
    MessageLoop loop;
    bool ran = false;
    auto w = std::make_unique<MessageWindow>(loop, [&](const WindowMessage&) {
        ran = true;
        return std::intptr_t{1};
    });
    std::intptr_t answer = 0;
    const auto start = std::chrono::steady_clock::now();
    MessageWindow* target = w.get();
    std::thread sender([&] { answer = target->Send(Msg(1), 30s, 42); });
    ASSERT_TRUE(WakeFdReadable(loop, 10000));
    w.reset();
    sender.join();
    EXPECT_EQ(answer, 42);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(WakeFdReadable(loop));
}

TEST(MessageWindowTest, PostsToADestroyedWindowAreDropped)
{
    MessageLoop loop;
    Recorder rec;
    auto a = std::make_unique<MessageWindow>(loop, rec.Handler());
    MessageWindow b(loop, rec.Handler());
    a->Post(Msg(1));
    b.Post(Msg(2));
    a->Post(Msg(3));
    a.reset();
    EXPECT_EQ(loop.ProcessPendingMessages(), 0);
    EXPECT_EQ(rec.seen, (std::vector<int>{2000}));

    auto c = std::make_unique<MessageWindow>(loop, rec.Handler());
    c->Post(Msg(4));
    c.reset();
    EXPECT_FALSE(WakeFdReadable(loop));
}

TEST(MessageWindowTest, QuitIsRepostedByProcessingAndConsumedByRun)
{
    MessageLoop loop;
    Recorder rec;
    MessageWindow w(loop, rec.Handler());
    w.Post(Msg(1));
    loop.PostQuit();
    w.Post(Msg(2));
    EXPECT_EQ(loop.ProcessPendingMessages(), ecGotQuitMsg);
    EXPECT_EQ(rec.seen, (std::vector<int>{1000}));
    EXPECT_TRUE(WakeFdReadable(loop));
    // The re-posted quit comes after what was already waiting.
    EXPECT_EQ(loop.ProcessPendingMessages(), ecGotQuitMsg);
    EXPECT_EQ(rec.seen, (std::vector<int>{1000, 2000}));
    EXPECT_EQ(loop.ProcessPendingMessages(), ecGotQuitMsg);

    EXPECT_TRUE(loop.Run(0ms));
    EXPECT_FALSE(WakeFdReadable(loop));
    EXPECT_EQ(loop.ProcessPendingMessages(), 0);
}

TEST(MessageWindowTest, RunEndsAtItsTimeOutEvenWhileAHandlerKeepsPosting)
{
    MessageLoop loop;
    Recorder rec;
    MessageWindow once(loop, rec.Handler());
    once.Post(Msg(1));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(loop.Run(30ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
    EXPECT_EQ(rec.seen, (std::vector<int>{1000}));

    int runs = 0;
    std::unique_ptr<MessageWindow> w;
    w = std::make_unique<MessageWindow>(loop, [&](const WindowMessage& m) {
        ++runs;
        w->Post(m);
        return std::intptr_t{0};
    });
    w->Post(Msg(1));
    EXPECT_FALSE(loop.Run(20ms));
    EXPECT_GT(runs, 0);
}

TEST(MessageWindowTest, HandlerPostsAndSendsToItself)
{
    MessageLoop loop;
    std::vector<int> seen;
    std::unique_ptr<MessageWindow> w;
    w = std::make_unique<MessageWindow>(loop, [&](const WindowMessage& m) {
        seen.push_back(static_cast<int>(m.msg));
        if (m.msg == 1) {
            w->Post(Msg(2));
            const auto answer = w->Send(Msg(3), 0ms, -1);
            seen.push_back(static_cast<int>(answer));
        }
        return static_cast<std::intptr_t>(m.msg * 10);
    });
    w->Post(Msg(1));
    EXPECT_EQ(loop.ProcessPendingMessages(), 0);
    EXPECT_EQ(seen, (std::vector<int>{1, 3, 30, 2}));
}

TEST(MessageWindowTest, HandlerDestroysAnotherWindowWithMessagesWaiting)
{
    MessageLoop loop;
    Recorder rec;
    auto victim = std::make_unique<MessageWindow>(loop, rec.Handler());
    MessageWindow killer(loop, [&](const WindowMessage&) {
        victim.reset();
        return std::intptr_t{0};
    });
    killer.Post(Msg(1));
    victim->Post(Msg(2));
    EXPECT_EQ(loop.ProcessPendingMessages(), 0);
    EXPECT_TRUE(rec.seen.empty());
    EXPECT_EQ(victim, nullptr);
}

TEST(MessageWindowTest, HandlerThatThrowsReleasesItsSender)
{
    MessageLoop loop;
    MessageWindow w(loop, [](const WindowMessage&) -> std::intptr_t { throw std::runtime_error("handler"); });
    std::intptr_t answer = 0;
    std::thread sender([&] { answer = w.Send(Msg(1), 30s, 5); });
    ASSERT_TRUE(WakeFdReadable(loop, 10000));
    EXPECT_THROW(loop.ProcessPendingMessages(), std::runtime_error);
    sender.join();
    EXPECT_EQ(answer, 5);
}

// Runs `sends` on `threads` threads at once while the loop runs; each call
// gets the thread's number and the send's number (from 1) and answers whether
// the answer it got was right. Answers how many were wrong.
template <typename SendOne>
int WrongAnswersFromThreads(MessageLoop& loop, int threads, int sends, SendOne sendOne)
{
    std::atomic<int> wrong{0};
    std::atomic<int> finished{0};
    std::vector<std::thread> senders;
    for (int t = 0; t < threads; ++t) {
        senders.emplace_back([&, t] {
            for (int i = 1; i <= sends; ++i)
                wrong += sendOne(t, i) ? 0 : 1;
            if (++finished == threads)
                loop.PostQuit();
        });
    }
    EXPECT_TRUE(loop.Run(60s));
    for (auto& s : senders)
        s.join();
    return wrong;
}

TEST(MessageWindowTest, ManyThreadsSendingAtOnceEachGetTheirOwnAnswer)
{
    MessageLoop loop;
    MessageWindow w(loop, [](const WindowMessage& m) {
        return static_cast<std::intptr_t>(m.wParam * 3) + m.lParam;
    });
    EXPECT_EQ(WrongAnswersFromThreads(loop, 6, 300, [&](int t, int i) {
                  return w.Send(Msg(1, static_cast<std::uintptr_t>(i), t), 3000ms, -1) == i * 3 + t;
              }),
              0);
}

TEST(MessageWindowTest, SendsRacingTheirTimeOutsAnswerEitherWay)
{
    MessageLoop loop;
    MessageWindow w(loop, [](const WindowMessage& m) { return static_cast<std::intptr_t>(m.wParam); });
    EXPECT_EQ(WrongAnswersFromThreads(loop, 4, 200, [&](int, int i) {
                  const auto answer = w.Send(Msg(1, static_cast<std::uintptr_t>(i)), std::chrono::milliseconds(i % 2), -1);
                  return answer == i || answer == -1;
              }),
              0);
}

}  // namespace
}  // namespace vl::base
