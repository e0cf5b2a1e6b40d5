// The stand-in for hidden windows and window messages: a queue owned by one
// thread (the main thread), to which any thread may post, and on which other
// threads may send and wait for the answer with a time-out.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace vl::base {

struct WindowMessage {
    std::uint32_t msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// The message that asks the loop to end (the value of the platform's WM_QUIT).
inline constexpr std::uint32_t kQuitMessage = 0x0012;

class MessageLoop;

// A window: a handler run on the loop's thread for each message sent or
// posted to it. Destroying the window (on the loop's thread) drops its
// pending posts; a thread blocked in Send to it gets its default answer.
class MessageWindow {
public:
    using Handler = std::function<std::intptr_t(const WindowMessage&)>;

    MessageWindow(MessageLoop& loop, Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    // Queues the message and returns at once; any thread.
    void Post(const WindowMessage& message);
    // On the loop's thread: runs the handler at once. On any other thread:
    // queues the message and waits until the loop has run it, answering the
    // handler's result; when `timeout` passes first (or the window goes away)
    // it answers `defaultAnswer`, and the late answer is dropped safely.
    std::intptr_t Send(const WindowMessage& message, std::chrono::milliseconds timeout,
                       std::intptr_t defaultAnswer = 0);

    MessageLoop& Loop() const { return loop_; }

private:
    friend class MessageLoop;
    MessageLoop& loop_;
    std::shared_ptr<struct WindowCore> core_;
};

// The queue of one thread. A program has one, made on its main thread; the
// CLI and the tests run it with Run or ProcessPendingMessages, the desktop
// program through the Qt adapter, which watches WakeFd().
class MessageLoop {
public:
    MessageLoop();
    ~MessageLoop();
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;

    // Runs the messages pending now, one at a time (those that arrive
    // meanwhile too). Meeting a quit message leaves it pending (re-posted) and
    // answers ecGotQuitMsg; else 0. Loop thread only.
    int ProcessPendingMessages();
    // One turn of letting the user interface run during long work on the
    // loop's thread: the window system's events (base/WindowSystemPump.h),
    // then the pending messages. Answers as ProcessPendingMessages.
    int Yield();
    // Runs messages until a quit message arrives (it is consumed) or, with a
    // time-out, until that passes; answers true when quit. Loop thread only.
    bool Run(std::chrono::milliseconds timeout = std::chrono::milliseconds::max());
    // Posts the quit message; any thread.
    void PostQuit();
    bool OnLoopThread() const;

    // A descriptor that becomes readable while messages are pending, for
    // event loops that poll (the Qt adapter).
    int WakeFd() const;

private:
    friend class MessageWindow;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vl::base
