// The comm port's data operations: sending text, taking bytes, noting text in
// the dispatch log, and waiting for a modem reply.
#include <chrono>
#include <thread>

#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "serial/ReplyMatcher.h"
#include "serial/VlComPort.h"

namespace vl::serial {

namespace {

// How long the reply wait sleeps when no byte is waiting.
constexpr std::chrono::milliseconds kReplyPoll{2};

}  // namespace

void VlComPort::SendText(const std::string& text)
{
    base::CheckException(Dispatcher().WriteText(text));
}

bool VlComPort::InputWaiting()
{
    return Dispatcher().HasInput();
}

std::uint8_t VlComPort::TakeByte()
{
    const int byte = Dispatcher().ReadByte();
    base::CheckException(byte);
    return static_cast<std::uint8_t>(byte);
}

void VlComPort::LogText(const std::string& text)
{
    Dispatcher().LogUserText(text);
}

bool VlComPort::AwaitReply(const std::string& text, base::Tick ticks, bool ignoreCase, bool yield)
{
    VlBaseDispatcher& dispatcher = Dispatcher();
    ReplyMatcher matcher(text, ignoreCase);
    if (matcher.Matched())
        return true;
    base::EventTimer timer;
    base::NewTimer(timer, ticks);
    // Bytes are taken here, not offered as data events, until the wait ends.
    const bool held = dispatcher.SetDispatching(true);
    // The port may be closed (and even opened again) by what runs while yielding.
    auto stillOurs = [this, &dispatcher] { return state_ == State::Open && dispatcher_.get() == &dispatcher; };
    bool seen = false;
    try {
        while (!seen) {
            int byte = 0;
            while (!seen && (byte = dispatcher.ReadByte()) >= 0) {
                if (onWaitChar_)
                    onWaitChar_(*this, static_cast<char>(byte));
                seen = matcher.Feed(static_cast<std::uint8_t>(byte));
                if (!stillOurs())
                    return seen;
            }
            if (seen || base::TimerExpired(timer))
                break;
            if (yield) {
                if (loop_.Yield() == base::ecGotQuitMsg)
                    seen = true;
                if (!stillOurs())
                    return seen;
            }
            if (!seen)
                std::this_thread::sleep_for(kReplyPoll);
        }
    } catch (...) {
        if (stillOurs())
            dispatcher.SetDispatching(held);
        throw;
    }
    dispatcher.SetDispatching(held);
    return seen;
}

}  // namespace vl::serial
