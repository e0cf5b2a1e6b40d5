#include "serial/Lockstep.h"

namespace vl::serial {

void Lockstep::Reset()
{
    std::lock_guard guard(mutex_);
    offered_.reset();
    taken_ = false;
    stopped_ = false;
}

void Lockstep::Offer(std::uint32_t events)
{
    std::unique_lock guard(mutex_);
    if (stopped_)
        return;
    offered_ = events;
    taken_ = false;
    changed_.notify_all();
    changed_.wait(guard, [this] { return stopped_ || !offered_; });
}

std::optional<std::uint32_t> Lockstep::Take(std::chrono::milliseconds timeout)
{
    std::unique_lock guard(mutex_);
    changed_.wait_for(guard, timeout, [this] { return stopped_ || (offered_ && !taken_); });
    if (stopped_ || !offered_ || taken_)
        return std::nullopt;
    taken_ = true;
    return offered_;
}

void Lockstep::Processed()
{
    std::lock_guard guard(mutex_);
    if (!taken_)
        return;
    offered_.reset();
    taken_ = false;
    changed_.notify_all();
}

void Lockstep::Stop()
{
    std::lock_guard guard(mutex_);
    stopped_ = true;
    changed_.notify_all();
}

}  // namespace vl::serial
