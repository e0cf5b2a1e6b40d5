#include "serial/ModemLineWaiter.h"

#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <mutex>
#include <system_error>

namespace vl::serial {

namespace {

constexpr int kWaitedLines = TIOCM_CTS | TIOCM_DSR | TIOCM_RNG | TIOCM_CD;
// How often Stop repeats its signal: one that lands just before the thread
// enters the driver's wait is lost, the next one is not.
constexpr std::chrono::milliseconds kStopRepeat{2};

// The signal that breaks the driver's wait. Its handler does nothing: what
// counts is that it is installed without SA_RESTART, so the wait answers
// EINTR instead of being restarted.
int WakeSignal()
{
    return SIGRTMIN + 4;
}

void IgnoreWake(int) {}

void InstallWakeHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        sigaction(WakeSignal(), nullptr, &current);
        // A handler the program installed itself stays.
        if (current.sa_handler != SIG_DFL)
            return;
        struct sigaction action {};
        action.sa_handler = IgnoreWake;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(WakeSignal(), &action, nullptr);
    });
}

void Signal(int eventFd)
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(eventFd, &one, sizeof one);
}

}  // namespace

ModemLineWaiter::ModemLineWaiter() = default;

ModemLineWaiter::~ModemLineWaiter()
{
    Stop();
}

bool ModemLineWaiter::Start(int fd)
{
    Stop();
    InstallWakeHandler();
    eventFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (eventFd_ < 0)
        return false;
    stop_.store(false);
    ended_.store(false);
    waiting_.store(true);
    try {
        thread_ = std::thread(&ModemLineWaiter::Run, this, fd);
    } catch (const std::system_error&) {
        waiting_.store(false);
        close(eventFd_);
        eventFd_ = -1;
        return false;
    }
    handle_ = thread_.native_handle();
    return true;
}

void ModemLineWaiter::Stop()
{
    if (thread_.joinable()) {
        stop_.store(true);
        while (!ended_.load()) {
            pthread_kill(handle_, WakeSignal());
            std::this_thread::sleep_for(kStopRepeat);
        }
        thread_.join();
    }
    waiting_.store(false);
    if (eventFd_ >= 0)
        close(eventFd_);
    eventFd_ = -1;
}

void ModemLineWaiter::Run(int fd)
{
    while (!stop_.load()) {
        if (ioctl(fd, TIOCMIWAIT, kWaitedLines) == 0) {
            Signal(eventFd_);
            continue;
        }
        if (errno == EINTR)
            continue;
        // Refused (ENOTTY, EINVAL) or failed (EIO after a hang-up): the
        // device goes back to reading the lines by the clock.
        waiting_.store(false);
        Signal(eventFd_);
        break;
    }
    ended_.store(true);
}

}  // namespace vl::serial
