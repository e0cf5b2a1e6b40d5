// The bodies of the comm, dispatcher and output threads.
#include <sys/resource.h>

#include <algorithm>

#include "base/ErrorCodes.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

namespace {

// Received character, CTS, DSR, DCD, break, error and ring. Linux counts as
// the platform family without the ring trailing edge event.
constexpr std::uint32_t kEventMask = evRxChar | evCts | evDsr | evRlsd | evBreak | evErr | evRing;
constexpr std::uint32_t kModemEvents = evCts | evDsr | evRlsd | evRing | evRingTrailing;
constexpr std::uint32_t kLineEvents = evBreak | evErr;

// The dispatcher thread's wake-up period for timers.
constexpr std::chrono::milliseconds kTimerPeriod{50};
// A device that fails its event wait is tried again after this pause.
constexpr std::chrono::milliseconds kFailedWaitPause{50};

}  // namespace

void VlBaseDispatcher::CommThreadBody()
{
    while (!stop_.load()) {
        std::uint32_t events = 0;
        const int rc = device_->WaitEvent(kEventMask, events);
        if (events & (evRing | evRingTrailing))
            ringSeen_.store(true);
        if (stop_.load())
            break;
        if (rc < 0 && events == 0) {
            std::unique_lock guard(lifeLock_);
            lifeChanged_.wait_for(guard, kFailedWaitPause, [this] { return stop_.load(); });
            continue;
        }
        if (events != 0)
            lockstep_.Offer(events);
    }
}

void VlBaseDispatcher::DispatchThreadBody()
{
    while (!stop_.load() && !closeDeferred_.load()) {
        const auto events = lockstep_.Take(kTimerPeriod);
        if (events) {
            HandleDeviceEvents(*events);
            lockstep_.Processed();
        } else {
            // Input left in the device while the ring was full raises no new
            // event; look for it on each wake-up.
            ReadInput();
            RunStatusAndAvail();
        }
        while (!stop_.load() && !closeDeferred_.load()) {
            const bool timer = RunTimerTriggers();
            const bool status = RunStatusTriggers();
            if (!timer && !status)
                break;
        }
    }
    // A close asked for during a dispatch: take the other two threads down
    // too, so that the owner sees no thread alive and finishes the close.
    if (closeDeferred_.load())
        WakeThreadsToStop();
}

void VlBaseDispatcher::HandleDeviceEvents(std::uint32_t events)
{
    if (events & kModemEvents) {
        std::lock_guard guard(dispatcherLock_);
        RefreshModemStatusLocked();
    }
    if (events & kLineEvents) {
        std::lock_guard guard(dispatcherLock_);
        const std::uint8_t errors = device_->TakeErrors();
        lineErrors_ |= errors;
        if (errors != 0)
            Log(LogKind::Dispatch, LogSubkind::LineStatus, errors);
    }
    if (events & (kModemEvents | kLineEvents)) {
        while (!closeDeferred_.load() && RunStatusTriggers()) {
        }
    }
    ReadInput();
    RunStatusAndAvail();
}

void VlBaseDispatcher::RunStatusAndAvail()
{
    while (!stop_.load() && !closeDeferred_.load()) {
        const bool status = RunStatusTriggers();
        const bool avail = ScanAvail();
        if (!status && !avail)
            break;
    }
}

void VlBaseDispatcher::ReadInput()
{
    std::lock_guard inputGuard(inputLock_);
    // At most two reads: up to the end of the ring, then from its start.
    for (int part = 0; part < 2 && !input_.Full(); ++part) {
        const auto space = input_.ContiguousSpace();
        if (space.empty())
            break;
        const int count = device_->Read(space);
        if (count <= 0)
            break;
        input_.Commit(static_cast<std::size_t>(count));
        {
            std::lock_guard guard(dispatcherLock_);
            const auto bytes = space.first(static_cast<std::size_t>(count));
            Log(LogKind::Dispatch, LogSubkind::ReadCom, static_cast<std::uint32_t>(count), bytes);
            for (std::uint8_t byte : bytes)
                trace_.Add('R', byte);
        }
        if (static_cast<std::size_t>(count) < space.size())
            break;
    }
}

void VlBaseDispatcher::OutputThreadBody()
{
    std::unique_lock guard(outputLock_);
    for (;;) {
        outputSignal_.wait(guard, [this] { return stop_.load() || flushRequested_ || outputReady_; });
        if (stop_.load())
            return;
        if (flushRequested_) {
            AcknowledgeFlush(guard);
            continue;
        }
        outputReady_ = false;
        while (!stop_.load() && !flushRequested_) {
            const auto block = output_.Contiguous();
            if (block.empty())
                break;
            // Bytes put meanwhile land after the block, so it may be written
            // unlocked; only a discard (which waits for us) may drop it.
            guard.unlock();
            const int written = device_->Write(block);
            guard.lock();
            if (stop_.load() || flushRequested_)
                break;
            output_.Release(written < 0 ? block.size() : static_cast<std::size_t>(written));
        }
    }
}

void VlBaseDispatcher::AcknowledgeFlush(std::unique_lock<std::mutex>& outputGuard)
{
    flushAcknowledged_ = true;
    flushDone_.notify_all();
    // The discarder empties the ring while we wait here.
    outputSignal_.wait(outputGuard, [this] { return stop_.load() || !flushRequested_; });
}

void VlBaseDispatcher::ApplyPriority(ThreadId id)
{
    const int tid = threadIds_[id].load();
    if (tid == 0)
        return;
    int nice = 0;
    {
        std::lock_guard guard(dispatcherLock_);
        nice = baseNice_ - boost_ - (id == kOutputThread && rs485_ ? 1 : 0);
    }
    // Without the right to raise priority the call fails and the thread
    // keeps its level, which is all a boost can promise.
    setpriority(PRIO_PROCESS, static_cast<id_t>(tid), std::clamp(nice, -20, 19));
}

void VlBaseDispatcher::SetPriorityBoost(int boost)
{
    {
        std::lock_guard guard(dispatcherLock_);
        boost_ = boost;
    }
    for (int id = kCommThread; id < kThreadCount; ++id) {
        if (running_[id].load())
            ApplyPriority(static_cast<ThreadId>(id));
    }
}

int VlBaseDispatcher::PriorityBoost()
{
    std::lock_guard guard(dispatcherLock_);
    return boost_;
}

}  // namespace vl::serial
