// Waits for the modem lines of a serial device to change (TIOCMIWAIT) on a
// thread of its own, so that a port waiting for calls sleeps until CTS, DSR,
// RI or DCD move instead of reading them every few milliseconds. The wait
// blocks in the driver; Stop ends it with a signal sent to that thread.
//
// Drivers without the wait (pseudo terminals, some USB adapters) refuse it at
// once: Waiting() then turns false and the device has to read the lines by
// the clock.
#pragma once

#include <pthread.h>

#include <atomic>
#include <thread>

namespace vl::serial {

class ModemLineWaiter {
public:
    ModemLineWaiter();
    ~ModemLineWaiter();
    ModemLineWaiter(const ModemLineWaiter&) = delete;
    ModemLineWaiter& operator=(const ModemLineWaiter&) = delete;

    // Starts waiting on `fd` (which must stay open until Stop); false when no
    // thread could be made.
    bool Start(int fd);
    // Ends the wait and the thread; nothing happens when not started.
    void Stop();
    // True while the driver keeps the wait going. False before Start, after
    // Stop and once the driver has refused or failed the wait.
    bool Waiting() const { return waiting_.load(); }
    // Readable after every change of the lines, and when the wait ends on
    // its own; the reader clears it.
    int EventFd() const { return eventFd_; }

private:
    void Run(int fd);

    int eventFd_ = -1;
    std::thread thread_;
    pthread_t handle_{};
    std::atomic<bool> stop_{false};
    std::atomic<bool> waiting_{false};
    std::atomic<bool> ended_{false};
};

}  // namespace vl::serial
