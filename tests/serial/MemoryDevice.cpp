#include "MemoryDevice.h"

#include <algorithm>
#include <utility>

#include "base/ErrorCodes.h"

namespace vl::test {

using namespace serial;

void MemoryDevice::FailOpenWith(int code)
{
    std::lock_guard guard(mutex_);
    openFailure_ = code;
}

void MemoryDevice::Raise(std::uint32_t events)
{
    pendingEvents_ |= events;
    changed_.notify_all();
}

void MemoryDevice::Feed(std::string_view bytes)
{
    std::lock_guard guard(mutex_);
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    Raise(evRxChar);
}

void MemoryDevice::SetModemStatus(std::uint8_t signals)
{
    std::lock_guard guard(mutex_);
    const std::uint8_t changed = signals_ ^ signals;
    signals_ = signals;
    std::uint32_t events = 0;
    if (changed & msCts)
        events |= evCts;
    if (changed & msDsr)
        events |= evDsr;
    if (changed & msDcd)
        events |= evRlsd;
    if (changed & signals & msRing)
        events |= evRing;
    Raise(events);
}

void MemoryDevice::AddErrors(std::uint8_t errors)
{
    std::lock_guard guard(mutex_);
    errors_ |= errors;
    Raise((errors & leBreak) ? evBreak | evErr : evErr);
}

void MemoryDevice::HoldWrites(bool hold)
{
    std::lock_guard guard(mutex_);
    hold_ = hold;
    changed_.notify_all();
}

bool MemoryDevice::WaitWriteBlocked(std::chrono::milliseconds timeout)
{
    std::unique_lock guard(mutex_);
    return changed_.wait_for(guard, timeout, [this] { return writeBlocked_; });
}

bool MemoryDevice::WaitOutput(std::size_t count, std::chrono::milliseconds timeout)
{
    std::unique_lock guard(mutex_);
    return changed_.wait_for(guard, timeout, [this, count] { return output_.size() >= count; });
}

std::string MemoryDevice::Output()
{
    std::lock_guard guard(mutex_);
    return output_;
}

void MemoryDevice::FailEscapes(bool fail)
{
    std::lock_guard guard(mutex_);
    failEscapes_ = fail;
}

int MemoryDevice::SetSettingsCalls()
{
    std::lock_guard guard(mutex_);
    return setSettingsCalls_;
}

std::size_t MemoryDevice::OutputAtLastSettings()
{
    std::lock_guard guard(mutex_);
    return outputAtSettings_;
}

LineSettings MemoryDevice::Settings()
{
    std::lock_guard guard(mutex_);
    return settings_;
}

bool MemoryDevice::Dtr()
{
    std::lock_guard guard(mutex_);
    return dtr_;
}

int MemoryDevice::ReceivePurges()
{
    std::lock_guard guard(mutex_);
    return receivePurges_;
}

int MemoryDevice::Open(const std::string&)
{
    std::lock_guard guard(mutex_);
    if (openFailure_ != 0)
        return openFailure_;
    if (open_)
        return base::ecPortAlreadyOpen;
    open_ = true;
    return 0;
}

void MemoryDevice::Close()
{
    std::lock_guard guard(mutex_);
    open_ = false;
}

bool MemoryDevice::IsOpen() const
{
    std::lock_guard guard(mutex_);
    return open_;
}

int MemoryDevice::SetQueueSizes(int, int)
{
    return 0;
}

int MemoryDevice::GetSettings(LineSettings& settings)
{
    std::lock_guard guard(mutex_);
    settings = settings_;
    return 0;
}

int MemoryDevice::SetSettings(const LineSettings& settings)
{
    std::lock_guard guard(mutex_);
    settings_ = settings;
    ++setSettingsCalls_;
    outputAtSettings_ = output_.size();
    if (settings.dtrControl != DtrControl::Handshake)
        dtr_ = settings.dtrControl == DtrControl::Enable;
    return 0;
}

int MemoryDevice::SetDtr(bool on)
{
    std::lock_guard guard(mutex_);
    if (failEscapes_)
        return base::ecBadArgument;
    dtr_ = on;
    return 0;
}

int MemoryDevice::SetRts(bool)
{
    std::lock_guard guard(mutex_);
    return failEscapes_ ? base::ecBadArgument : 0;
}

int MemoryDevice::Read(std::span<std::uint8_t> buffer)
{
    std::lock_guard guard(mutex_);
    const std::size_t count = std::min(buffer.size(), input_.size());
    std::copy_n(input_.begin(), count, buffer.begin());
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(count));
    return static_cast<int>(count);
}

int MemoryDevice::Write(std::span<const std::uint8_t> data)
{
    std::unique_lock guard(mutex_);
    if (hold_ && !cancel_) {
        writeBlocked_ = true;
        changed_.notify_all();
        changed_.wait(guard, [this] { return !hold_ || cancel_; });
        writeBlocked_ = false;
    }
    if (cancel_) {
        cancel_ = false;
        return 0;
    }
    output_.append(data.begin(), data.end());
    changed_.notify_all();
    return static_cast<int>(data.size());
}

void MemoryDevice::CancelWrite()
{
    std::lock_guard guard(mutex_);
    cancel_ = true;
    changed_.notify_all();
}

int MemoryDevice::WaitEvent(std::uint32_t mask, std::uint32_t& events)
{
    std::unique_lock guard(mutex_);
    changed_.wait(guard, [this, mask] { return wake_ || (pendingEvents_ & mask) != 0; });
    events = pendingEvents_ & mask;
    pendingEvents_ &= ~mask;
    wake_ = false;
    return 0;
}

void MemoryDevice::WakeWait()
{
    std::lock_guard guard(mutex_);
    wake_ = true;
    changed_.notify_all();
}

std::uint8_t MemoryDevice::ModemStatus()
{
    std::lock_guard guard(mutex_);
    return signals_;
}

std::uint8_t MemoryDevice::TakeErrors()
{
    std::lock_guard guard(mutex_);
    return std::exchange(errors_, 0);
}

int MemoryDevice::ReceiveCount()
{
    std::lock_guard guard(mutex_);
    return static_cast<int>(input_.size());
}

int MemoryDevice::Purge(bool receive, bool transmit)
{
    std::lock_guard guard(mutex_);
    if (receive) {
        input_.clear();
        ++receivePurges_;
    }
    if (transmit)
        cancel_ = false;
    return 0;
}

}  // namespace vl::test
