#include "DispatcherFixture.h"

namespace vl::test {

using namespace serial;

void EventRecorder::SetAction(Action action)
{
    std::lock_guard guard(mutex_);
    action_ = std::move(action);
}

std::vector<DispatchedEvent> EventRecorder::Events() const
{
    std::lock_guard guard(mutex_);
    return events_;
}

std::vector<DispatchedEvent> EventRecorder::EventsOf(std::uint32_t msg) const
{
    std::vector<DispatchedEvent> found;
    for (const auto& event : Events()) {
        if (event.msg == msg)
            found.push_back(event);
    }
    return found;
}

std::size_t EventRecorder::CountFor(std::uint32_t msg, int handle) const
{
    std::size_t count = 0;
    for (const auto& event : EventsOf(msg))
        count += static_cast<int>(event.wParam) == handle ? 1 : 0;
    return count;
}

void EventRecorder::Handler(void* recorder, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    auto* self = static_cast<EventRecorder*>(recorder);
    const DispatchedEvent event{msg, wParam, lParam};
    Action action;
    {
        std::lock_guard guard(self->mutex_);
        action = self->action_;
    }
    // The action runs before the event is recorded, so that a test that
    // sees the event also sees what the action did.
    if (action)
        action(event);
    std::lock_guard guard(self->mutex_);
    self->events_.push_back(event);
}

DispatcherTest::DispatcherTest()
{
    auto memory = std::make_unique<MemoryDevice>();
    device = memory.get();
    dispatcher = std::make_unique<VlBaseDispatcher>(std::move(memory), loop);
}

DispatcherTest::~DispatcherTest() = default;

void DispatcherTest::TearDown()
{
    // Before the members of derived fixtures that handlers may use go away.
    dispatcher.reset();
}

int DispatcherTest::Open(int outQue)
{
    return dispatcher->OpenDevicePort("memory", 19200, 0, 8, 1, 4096, outQue, kOpenDtrOn | kOpenRtsOn);
}

bool DispatcherTest::WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    return PumpUntil(loop, done, timeout);
}

bool DispatcherTest::AwaitDispatchWithoutLoop()
{
    return WaitUntil([&] { return dispatcher->Dispatching(); });
}

void DispatcherTest::Settle()
{
    for (int round = 0; round < 2; ++round) {
        const int handle = dispatcher->NewStatusTrigger(stOutputUsed);
        ASSERT_EQ(dispatcher->ArmStatusTrigger(handle, 0xFFFF, true), 0);
        ASSERT_TRUE(WaitFor([&] { return recorder.CountFor(kTriggerStatusMsg, handle) > 0; }));
        dispatcher->DeleteTrigger(handle);
    }
}

}  // namespace vl::test
