// Putting bytes out, taking bytes in, counts and discards.
#include "base/ErrorCodes.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

namespace {

constexpr std::chrono::milliseconds kFlushPoll{10};

}  // namespace

int VlBaseDispatcher::WriteByte(std::uint8_t byte)
{
    return WriteBlock(std::span<const std::uint8_t>(&byte, 1));
}

int VlBaseDispatcher::WriteText(std::string_view text)
{
    return WriteBlock(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

int VlBaseDispatcher::WriteBlock(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return base::ecOK;
    if (!open_.load())
        return base::ecPortNotOpen;
    {
        std::lock_guard guard(outputLock_);
        if (output_.Space() < bytes.size())
            return base::ecOutputBufferTooSmall;
        output_.Put(bytes);
        outputReady_ = true;
        outputSignal_.notify_all();
    }
    // Logged only after leaving the output lock: the two are never held together.
    std::lock_guard guard(dispatcherLock_);
    outputSent_ = true;
    Log(LogKind::Dispatch, LogSubkind::WriteCom, static_cast<std::uint32_t>(bytes.size()), bytes);
    for (std::uint8_t byte : bytes)
        trace_.Add('T', byte);
    return base::ecOK;
}

bool VlBaseDispatcher::HasInput()
{
    std::lock_guard guard(inputLock_);
    return input_.Unread() > (peeking_ ? readAhead_ : 0);
}

int VlBaseDispatcher::PeekByte(int n)
{
    std::lock_guard guard(inputLock_);
    const std::size_t start = peeking_ ? readAhead_ : 0;
    if (n < 1 || start + static_cast<std::size_t>(n) > input_.Unread())
        return base::ecBufferEmpty;
    return input_.At(start + static_cast<std::size_t>(n) - 1);
}

int VlBaseDispatcher::ReadByte()
{
    std::lock_guard guard(inputLock_);
    if (peeking_) {
        if (readAhead_ >= input_.Unread())
            return base::ecBufferEmpty;
        return input_.At(readAhead_++);
    }
    if (input_.Unread() == 0)
        return base::ecBufferEmpty;
    const std::uint8_t byte = input_.At(0);
    input_.Consume(1);
    return byte;
}

int VlBaseDispatcher::InputUsed()
{
    std::lock_guard guard(inputLock_);
    return static_cast<int>(input_.Unread() - (peeking_ ? readAhead_ : 0));
}

int VlBaseDispatcher::InputFree()
{
    std::lock_guard guard(inputLock_);
    return static_cast<int>(input_.Space());
}

int VlBaseDispatcher::OutputUsed()
{
    std::lock_guard guard(outputLock_);
    return static_cast<int>(output_.Used());
}

int VlBaseDispatcher::OutputFree()
{
    std::lock_guard guard(outputLock_);
    return static_cast<int>(output_.Space());
}

int VlBaseDispatcher::DiscardInput()
{
    if (!open_.load())
        return base::ecPortNotOpen;
    const int rc = device_->Purge(true, false);
    std::lock_guard guard(inputLock_);
    if (peeking_) {
        // Handlers of the running event read nothing more; the bytes go
        // when it ends.
        maxReadAhead_ = readAhead_ = peekFloor_ = input_.Unread();
    } else {
        input_.Clear();
    }
    return rc < 0 ? rc : base::ecOK;
}

int VlBaseDispatcher::DiscardOutput()
{
    if (!open_.load())
        return base::ecPortNotOpen;
    {
        std::unique_lock guard(outputLock_);
        if (running_[kOutputThread].load()) {
            flushRequested_ = true;
            flushAcknowledged_ = false;
            outputSignal_.notify_all();
            while (!flushAcknowledged_ && running_[kOutputThread].load()) {
                // Repeated in case the write began after the first cancel.
                guard.unlock();
                device_->CancelWrite();
                guard.lock();
                flushDone_.wait_for(guard, kFlushPoll, [this] { return flushAcknowledged_; });
            }
            flushRequested_ = false;
            outputReady_ = false;
            outputSignal_.notify_all();
        }
        output_.Clear();
    }
    return device_->Purge(false, true);
}

}  // namespace vl::serial
