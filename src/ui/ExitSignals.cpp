#include "ui/ExitSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <stdexcept>

namespace vl::ui {

namespace {

constexpr std::array kExitSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe's two ends; the handler writes into [1].
int wakeFds[2] = {-1, -1};
struct sigaction previous[kExitSignals.size()];

extern "C" void OnExitSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; losing this one costs nothing.
    [[maybe_unused]] const ssize_t n = write(wakeFds[1], &byte, 1);
    errno = saved;
}

}  // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent)
{
    if (wakeFds[0] >= 0)
        throw std::logic_error("the exit signals are already handled");
    if (pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot make the pipe for the exit signals");
    notifier_ = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ExitSignals::Arrived);
    struct sigaction action {};
    action.sa_handler = OnExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kExitSignals.size(); ++i)
        sigaction(kExitSignals[i], &action, &previous[i]);
}

ExitSignals::~ExitSignals()
{
    for (std::size_t i = 0; i < kExitSignals.size(); ++i)
        sigaction(kExitSignals[i], &previous[i], nullptr);
    delete notifier_;
    for (int& fd : wakeFds) {
        close(fd);
        fd = -1;
    }
}

void ExitSignals::Arrived()
{
    char bytes[16];
    while (read(wakeFds[0], bytes, sizeof bytes) > 0) {
    }
    received_ = true;
    QCoreApplication::exit(0);
}

}  // namespace vl::ui
