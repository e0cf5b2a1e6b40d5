#include "base/MessageWindow.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "base/ErrorCodes.h"
#include "base/WindowSystemPump.h"

namespace vl::base {

struct WindowCore {
    MessageWindow::Handler handler;
};

namespace {

using Clock = std::chrono::steady_clock;

// Now plus `timeout`, held at the clock's end instead of overflowing.
Clock::time_point DeadlineAfter(std::chrono::milliseconds timeout)
{
    const auto now = Clock::now();
    if (timeout >= std::chrono::duration_cast<std::chrono::milliseconds>(Clock::time_point::max() - now))
        return Clock::time_point::max();
    return now + timeout;
}

// Where a sender on another thread waits for its answer. Shared between the
// sender and the queue entry, so whichever side lets go last frees it and a
// sender that gave up is never written to.
struct SendState {
    std::mutex mutex;
    std::condition_variable done;
    bool answered = false;
    std::intptr_t answer = 0;

    void Answer(std::intptr_t value)
    {
        {
            std::lock_guard lock(mutex);
            if (answered)
                return;
            answered = true;
            answer = value;
        }
        done.notify_one();
    }
};

struct Entry {
    std::shared_ptr<WindowCore> target;  // null for the quit message
    WindowMessage message;
    std::shared_ptr<SendState> send;     // null for posts
    std::intptr_t defaultAnswer = 0;

    bool IsQuit() const { return !target; }
    void GiveUp() const
    {
        if (send)
            send->Answer(defaultAnswer);
    }
};

}  // namespace

// The wake descriptor's counter is non-zero exactly while the queue holds an
// entry: the first entry sets it, taking the last one clears it.
struct MessageLoop::Impl {
    std::thread::id owner = std::this_thread::get_id();
    int wakeFd = -1;
    std::mutex mutex;
    std::deque<Entry> queue;

    void Push(Entry entry)
    {
        std::lock_guard lock(mutex);
        if (queue.empty())
            eventfd_write(wakeFd, 1);
        queue.push_back(std::move(entry));
    }

    bool Take(Entry& entry)
    {
        std::lock_guard lock(mutex);
        if (queue.empty())
            return false;
        entry = std::move(queue.front());
        queue.pop_front();
        if (queue.empty()) {
            eventfd_t count;
            eventfd_read(wakeFd, &count);
        }
        return true;
    }

    // Runs one window message; the sender, if any, gets the handler's answer,
    // or its default when the handler throws.
    static void Dispatch(const Entry& entry)
    {
        std::intptr_t answer;
        try {
            answer = entry.target->handler(entry.message);
        } catch (...) {
            entry.GiveUp();
            throw;
        }
        if (entry.send)
            entry.send->Answer(answer);
    }

    // Drops what is queued for `target` and releases its waiting senders.
    void Forget(const WindowCore* target)
    {
        std::deque<Entry> dropped;
        {
            std::lock_guard lock(mutex);
            const auto kept = std::stable_partition(queue.begin(), queue.end(), [target](const Entry& e) {
                return e.target.get() != target;
            });
            std::move(kept, queue.end(), std::back_inserter(dropped));
            queue.erase(kept, queue.end());
            if (queue.empty() && !dropped.empty()) {
                eventfd_t count;
                eventfd_read(wakeFd, &count);
            }
        }
        for (const Entry& entry : dropped)
            entry.GiveUp();
    }
};

MessageLoop::MessageLoop()
    : impl_(std::make_unique<Impl>())
{
    impl_->wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (impl_->wakeFd < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

// Windows go before their loop, so no sender can still be waiting here.
MessageLoop::~MessageLoop()
{
    close(impl_->wakeFd);
}

int MessageLoop::ProcessPendingMessages()
{
    for (;;) {
        Entry entry;
        if (!impl_->Take(entry))
            return 0;
        if (entry.IsQuit()) {
            impl_->Push(std::move(entry));
            return ecGotQuitMsg;
        }
        Impl::Dispatch(entry);
    }
}

int MessageLoop::Yield()
{
    PumpWindowSystem();
    return ProcessPendingMessages();
}

bool MessageLoop::Run(std::chrono::milliseconds timeout)
{
    const auto deadline = DeadlineAfter(timeout);
    const bool forever = deadline == Clock::time_point::max();
    for (;;) {
        Entry entry;
        const bool taken = impl_->Take(entry);
        if (taken && entry.IsQuit())
            return true;
        if (taken)
            Impl::Dispatch(entry);
        int waitMs = -1;
        if (!forever) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return false;
            waitMs = static_cast<int>(std::min<std::int64_t>(left, INT_MAX));
        }
        if (!taken) {
            pollfd wake{impl_->wakeFd, POLLIN, 0};
            poll(&wake, 1, waitMs);
        }
    }
}

void MessageLoop::PostQuit()
{
    impl_->Push(Entry{nullptr, WindowMessage{kQuitMessage, 0, 0}, nullptr, 0});
}

bool MessageLoop::OnLoopThread() const
{
    return std::this_thread::get_id() == impl_->owner;
}

int MessageLoop::WakeFd() const
{
    return impl_->wakeFd;
}

MessageWindow::MessageWindow(MessageLoop& loop, Handler handler)
    : loop_(loop), core_(std::make_shared<WindowCore>(WindowCore{std::move(handler)}))
{
}

MessageWindow::~MessageWindow()
{
    loop_.impl_->Forget(core_.get());
}

void MessageWindow::Post(const WindowMessage& message)
{
    loop_.impl_->Push(Entry{core_, message, nullptr, 0});
}

std::intptr_t MessageWindow::Send(const WindowMessage& message, std::chrono::milliseconds timeout,
                                  std::intptr_t defaultAnswer)
{
    if (loop_.OnLoopThread())
        return core_->handler(message);
    auto state = std::make_shared<SendState>();
    loop_.impl_->Push(Entry{core_, message, state, defaultAnswer});
    std::unique_lock lock(state->mutex);
    if (state->done.wait_until(lock, DeadlineAfter(timeout), [&] { return state->answered; }))
        return state->answer;
    return defaultAnswer;
}

}  // namespace vl::base
