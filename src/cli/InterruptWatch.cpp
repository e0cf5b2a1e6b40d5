#include "cli/InterruptWatch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace vl::cli {

namespace {

constexpr std::uint32_t kInterruptMessage = 0x0401;

sigset_t Watched()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

InterruptWatch::InterruptWatch(base::MessageLoop& loop, std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)), window_(loop, [this](const base::WindowMessage& message) {
          if (message.msg == kInterruptMessage && onInterrupt_)
              onInterrupt_();
          return std::intptr_t{0};
      })
{
    const sigset_t set = Watched();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
    signalFd_ = signalfd(-1, &set, SFD_CLOEXEC);
    stopFd_ = eventfd(0, EFD_CLOEXEC);
    if (signalFd_ >= 0 && stopFd_ >= 0)
        thread_ = std::thread([this] { Watch(); });
}

InterruptWatch::~InterruptWatch()
{
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(stopFd_, &one, sizeof one);
        thread_.join();
    }
    if (signalFd_ >= 0)
        close(signalFd_);
    if (stopFd_ >= 0)
        close(stopFd_);
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void InterruptWatch::Watch()
{
    for (;;) {
        pollfd fds[2] = {{signalFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        signalfd_siginfo info;
        if (fds[0].revents && read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
            window_.Post({kInterruptMessage, 0, 0});
    }
}

}  // namespace vl::cli
