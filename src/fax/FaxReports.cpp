// What the engine tells its component: progress, status, errors, log events
// and the questions it asks (next fax, file name, accept the call).
#include <chrono>

#include "base/MessageWindow.h"
#include "fax/FaxEngine.h"

namespace vl::fax {

namespace {

constexpr std::chrono::milliseconds kSendTimeout{kMessageTimeoutMs};

}  // namespace

void FaxEngine::SetProgress(int code)
{
    session_.progress = code;
    modem_.statusPending = true;
}

void FaxEngine::SendStatus(unsigned flags)
{
    if (window_ != nullptr)
        window_->Send({kMsgStatus, flags, reinterpret_cast<std::intptr_t>(this)}, kSendTimeout);
}

void FaxEngine::RecordError(int code, bool notify)
{
    session_.lastError = code;
    if (notify && window_ != nullptr)
        window_->Send({kMsgError, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(code)),
                       reinterpret_cast<std::intptr_t>(this)},
                      kSendTimeout);
}

void FaxEngine::SendLog(int logCode)
{
    if (window_ != nullptr)
        window_->Send({kMsgLog, static_cast<std::uintptr_t>(logCode), reinterpret_cast<std::intptr_t>(this)},
                      kSendTimeout);
}

std::intptr_t FaxEngine::Ask(std::uint32_t message, std::chrono::milliseconds timeout)
{
    if (window_ == nullptr)
        return 0;
    return window_->Send({message, 0, reinterpret_cast<std::intptr_t>(this)}, timeout);
}

}  // namespace vl::fax
