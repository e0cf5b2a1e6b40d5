// Opening, closing and the lives of the three threads.
#include "serial/VlBaseDispatcher.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <new>
#include <system_error>

#include "base/ErrorCodes.h"
#include "base/MessageWindow.h"
#include "serial/DispatcherRegistry.h"

namespace vl::serial {

namespace {

// How long StartThreads waits for each thread to report in.
constexpr std::chrono::milliseconds kThreadStartWait{3000};
// How often a thread's end is checked while the main loop is kept running.
constexpr std::chrono::milliseconds kEndPoll{2};

// The dispatcher whose thread this is, if any: such a thread cannot wait for itself.
thread_local const VlBaseDispatcher* ownThreadOf = nullptr;

}  // namespace

VlBaseDispatcher::VlBaseDispatcher(std::unique_ptr<SerialDevice> device, base::MessageLoop& mainLoop)
    : device_(std::move(device)), mainLoop_(mainLoop), handle_(RegisterDispatcher(this))
{
}

VlBaseDispatcher::~VlBaseDispatcher()
{
    FinishClose();
    UnregisterDispatcher(handle_);
}

int VlBaseDispatcher::OpenDevicePort(const std::string& portName, int baud, int parity, int dataBits,
                                     int stopBits, int inQue, int outQue, unsigned options)
{
    if (open_.load())
        return base::ecPortAlreadyOpen;
    if (inQue < 1 || outQue < 1)
        return base::ecBadArgument;
    int rc = device_->Open(portName);
    if (rc < 0)
        return rc;
    auto fail = [this](int code) {
        device_->Close();
        {
            std::lock_guard guard(inputLock_);
            input_.Free();
        }
        {
            std::lock_guard guard(outputLock_);
            output_.Free();
        }
        mainWindow_.reset();
        open_.store(false);
        return code;
    };
    rc = device_->SetQueueSizes(inQue, outQue);
    if (rc < 0)
        return fail(rc);
    try {
        {
            std::lock_guard guard(inputLock_);
            input_.Allocate();
            peeking_ = false;
            readAhead_ = maxReadAhead_ = peekFloor_ = 0;
        }
        {
            std::lock_guard guard(outputLock_);
            output_.Allocate(static_cast<std::size_t>(outQue));
            outputReady_ = flushRequested_ = flushAcknowledged_ = false;
        }
        mainWindow_ = std::make_unique<base::MessageWindow>(
            mainLoop_, [this](const base::WindowMessage& message) { return OnMainWindowMessage(message); });
    } catch (const std::bad_alloc&) {
        return fail(base::ecOutOfMemory);
    }
    inQue_ = inQue;
    outQue_ = outQue;
    {
        std::lock_guard guard(dispatcherLock_);
        triggers_.Reset();
        modemStatus_ = static_cast<std::uint8_t>(device_->ModemStatus() & 0xF0);
        lineErrors_ = 0;
        outputSent_ = false;
        dispatching_ = dispatchHeld_ = removalDeferred_ = false;
        lastAvailPosition_ = 0;
        leaveDtr_ = (options & kOpenLeaveDtr) != 0;
        leaveRts_ = (options & kOpenLeaveRts) != 0;
        dtrOn_ = (options & kOpenDtrOn) != 0;
        rtsOn_ = (options & kOpenRtsOn) != 0;
        rs485_ = false;
        log_.SetOrigin(std::chrono::steady_clock::now());
    }
    ringSeen_.store(false);
    closeDeferred_.store(false);
    LineSettings settings;
    rc = ReadSettings(settings);
    if (rc < 0)
        return fail(rc);
    ApplyFraming(settings, baud, parity, dataBits, stopBits);
    {
        std::lock_guard guard(dispatcherLock_);
        ApplyDtrRts(settings);
    }
    rc = device_->SetSettings(settings);
    if (rc < 0)
        return fail(rc);
    open_.store(true);
    rc = StartThreads();
    if (rc < 0) {
        StopThreads();
        return fail(rc);
    }
    return base::ecOK;
}

int VlBaseDispatcher::CloseDevicePort()
{
    {
        std::lock_guard guard(dispatcherLock_);
        if (dispatching_) {
            closeDeferred_.store(true);
            return base::ecOK;
        }
    }
    FinishClose();
    return base::ecOK;
}

void VlBaseDispatcher::FinishClose()
{
    StopThreads();
    if (device_->IsOpen()) {
        device_->Purge(true, true);
        device_->Close();
    }
    {
        std::lock_guard guard(inputLock_);
        input_.Free();
        peeking_ = false;
    }
    {
        std::lock_guard guard(outputLock_);
        output_.Free();
    }
    mainWindow_.reset();
    open_.store(false);
    closeDeferred_.store(false);
}

int VlBaseDispatcher::StartThreads()
{
    if (!open_.load())
        return base::ecPortNotOpen;
    for (const auto& thread : threads_) {
        if (thread.joinable())
            return base::ecComponentBusy;
    }
    stop_.store(false);
    lockstep_.Reset();
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    {
        std::lock_guard guard(dispatcherLock_);
        baseNice_ = errno == 0 ? nice : 0;
    }
    for (int id = kCommThread; id < kThreadCount; ++id) {
        try {
            threads_[id] = std::thread(&VlBaseDispatcher::RunThread, this, static_cast<ThreadId>(id));
        } catch (const std::system_error&) {
            return base::ecOutOfMemory;
        }
        std::unique_lock guard(lifeLock_);
        lifeChanged_.wait_for(guard, kThreadStartWait, [this, id] { return started_[id]; });
    }
    return base::ecOK;
}

void VlBaseDispatcher::WakeThreadsToStop()
{
    stop_.store(true);
    {
        std::lock_guard guard(lifeLock_);
        lifeChanged_.notify_all();
    }
    {
        std::lock_guard guard(outputLock_);
        outputSignal_.notify_all();
    }
    device_->CancelWrite();
    device_->WakeWait();
    lockstep_.Stop();
}

void VlBaseDispatcher::StopThreads()
{
    if (std::none_of(threads_.begin(), threads_.end(), [](const std::thread& t) { return t.joinable(); }))
        return;
    WakeThreadsToStop();
    if (ownThreadOf == this)
        return;  // asked from a handler: the threads end after it returns
    WaitThreadEnd(kOutputThread);
    WaitThreadEnd(kCommThread);
    WaitThreadEnd(kDispatchThread);
}

void VlBaseDispatcher::WaitThreadEnd(ThreadId id)
{
    if (!threads_[id].joinable())
        return;
    // A thread may be blocked in a send to the main thread: keep its loop going.
    const bool pump = mainLoop_.OnLoopThread();
    for (;;) {
        if (pump)
            mainLoop_.ProcessPendingMessages();
        std::unique_lock guard(lifeLock_);
        if (lifeChanged_.wait_for(guard, kEndPoll, [this, id] { return started_[id] && !running_[id]; }))
            break;
    }
    threads_[id].join();
    std::lock_guard guard(lifeLock_);
    started_[id] = false;
}

bool VlBaseDispatcher::WaitThreadsEnded(std::chrono::milliseconds timeout)
{
    std::unique_lock guard(lifeLock_);
    return lifeChanged_.wait_for(guard, timeout, [this] { return threadsAlive_.load() == 0; });
}

void VlBaseDispatcher::RunThread(ThreadId id)
{
    ownThreadOf = this;
    threadIds_[id].store(static_cast<int>(gettid()));
    ApplyPriority(id);
    {
        std::lock_guard guard(lifeLock_);
        started_[id] = true;
        running_[id].store(true);
        threadsAlive_.fetch_add(1);
        lifeChanged_.notify_all();
    }
    LogEntry(LogKind::Thread, static_cast<std::uint8_t>(LogSubkind::Start), static_cast<std::uint32_t>(id));
    try {
        switch (id) {
        case kCommThread:
            CommThreadBody();
            break;
        case kDispatchThread:
            DispatchThreadBody();
            break;
        default:
            OutputThreadBody();
            break;
        }
    } catch (...) {
        NoteThreadFailure(id, std::current_exception());
    }
    LogEntry(LogKind::Thread, static_cast<std::uint8_t>(LogSubkind::Exit), static_cast<std::uint32_t>(id));
    std::lock_guard guard(lifeLock_);
    running_[id].store(false);
    threadsAlive_.fetch_sub(1);
    lifeChanged_.notify_all();
}

}  // namespace vl::serial
