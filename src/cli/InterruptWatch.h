// Turns SIGINT, SIGTERM and SIGHUP into a call on the main thread's message
// loop, so that a fax session can hang up the modem before the program ends.
#pragma once

#include <signal.h>

#include <functional>
#include <thread>

#include "base/MessageWindow.h"

namespace vl::cli {

class InterruptWatch {
public:
    // Blocks the signals in the calling thread, and so in every thread it
    // starts later: make the watch before the port opens.
    InterruptWatch(base::MessageLoop& loop, std::function<void()> onInterrupt);
    // Stops watching and gives the signals back.
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

private:
    void Watch();

    std::function<void()> onInterrupt_;
    base::MessageWindow window_;
    sigset_t previous_{};
    int signalFd_ = -1;
    int stopFd_ = -1;
    std::thread thread_;
};

}  // namespace vl::cli
