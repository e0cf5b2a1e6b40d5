#include "serial/DispatcherRegistry.h"

#include <mutex>
#include <vector>

namespace vl::serial {

namespace {

// Handles travel in 16 bits.
constexpr std::size_t kMaxSlots = 65536;

std::mutex& RegistryLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<VlBaseDispatcher*>& Slots()
{
    static std::vector<VlBaseDispatcher*> slots;
    return slots;
}

}  // namespace

int RegisterDispatcher(VlBaseDispatcher* dispatcher)
{
    std::lock_guard guard(RegistryLock());
    auto& slots = Slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i] == nullptr) {
            slots[i] = dispatcher;
            return static_cast<int>(i);
        }
    }
    if (slots.size() >= kMaxSlots)
        return -1;
    slots.push_back(dispatcher);
    return static_cast<int>(slots.size() - 1);
}

void UnregisterDispatcher(int handle)
{
    std::lock_guard guard(RegistryLock());
    auto& slots = Slots();
    if (handle < 0 || static_cast<std::size_t>(handle) >= slots.size())
        return;
    slots[static_cast<std::size_t>(handle)] = nullptr;
    while (!slots.empty() && slots.back() == nullptr)
        slots.pop_back();
}

VlBaseDispatcher* DispatcherAt(int handle)
{
    std::lock_guard guard(RegistryLock());
    const auto& slots = Slots();
    if (handle < 0 || static_cast<std::size_t>(handle) >= slots.size())
        return nullptr;
    return slots[static_cast<std::size_t>(handle)];
}

}  // namespace vl::serial
