// The hand-over between the comm thread, which waits for device events, and
// the dispatcher thread, which handles them: the comm thread offers each event
// and waits until it has been handled before it waits for the next one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace vl::serial {

class Lockstep {
public:
    // Clears any state left from an earlier run.
    void Reset();

    // Comm thread: hands over `events` and waits until Processed or Stop.
    void Offer(std::uint32_t events);
    // Dispatcher thread: an offered event, waiting up to `timeout` for one.
    std::optional<std::uint32_t> Take(std::chrono::milliseconds timeout);
    // Dispatcher thread: the event taken has been handled.
    void Processed();
    // Ends every wait, now and later, until Reset.
    void Stop();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::uint32_t> offered_;
    bool taken_ = false;
    bool stopped_ = false;
};

}  // namespace vl::serial
