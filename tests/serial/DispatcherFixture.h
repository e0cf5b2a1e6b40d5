// A dispatcher over a MemoryDevice, a main loop run by the test thread and a
// recorder of the events the dispatcher hands out.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "MemoryDevice.h"
#include "Waiting.h"
#include "base/MessageWindow.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::test {

struct DispatchedEvent {
    std::uint32_t msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// Records events; an optional action runs inside the handler.
class EventRecorder {
public:
    using Action = std::function<void(const DispatchedEvent&)>;
    void SetAction(Action action);
    std::vector<DispatchedEvent> Events() const;
    std::vector<DispatchedEvent> EventsOf(std::uint32_t msg) const;
    std::size_t CountOf(std::uint32_t msg) const { return EventsOf(msg).size(); }
    // Events of `msg` raised by the trigger `handle`.
    std::size_t CountFor(std::uint32_t msg, int handle) const;

    // A MethodHandler whose user data is the recorder.
    static void Handler(void* recorder, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

private:
    mutable std::mutex mutex_;
    std::vector<DispatchedEvent> events_;
    Action action_;
};

class DispatcherTest : public ::testing::Test {
protected:
    DispatcherTest();
    ~DispatcherTest() override;
    void TearDown() override;

    int Open(int outQue = 64);
    // Runs the main loop until `done` holds; false after `timeout`.
    bool WaitFor(const std::function<bool()>& done,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
    // Waits, without running the main loop, until an event is being
    // dispatched; false after five seconds.
    bool AwaitDispatchWithoutLoop();
    // Returns once the dispatcher thread has gone round its loop twice after
    // this call, so that whatever it would do with the present state is done.
    // Needs `recorder` registered.
    void Settle();

    base::MessageLoop loop;
    MemoryDevice* device = nullptr;
    std::unique_ptr<serial::VlBaseDispatcher> dispatcher;
    EventRecorder recorder;
};

}  // namespace vl::test
