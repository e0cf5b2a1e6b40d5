// The byte trace and the dispatch log, kept under the dispatcher lock.
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

int VlBaseDispatcher::StartTrace(std::size_t entries)
{
    std::lock_guard guard(dispatcherLock_);
    return trace_.Start(entries);
}

void VlBaseDispatcher::PauseTrace()
{
    std::lock_guard guard(dispatcherLock_);
    trace_.Pause();
}

void VlBaseDispatcher::ResumeTrace()
{
    std::lock_guard guard(dispatcherLock_);
    trace_.Resume();
}

void VlBaseDispatcher::ClearTrace()
{
    std::lock_guard guard(dispatcherLock_);
    trace_.Clear();
}

void VlBaseDispatcher::StopTrace()
{
    std::lock_guard guard(dispatcherLock_);
    trace_.Stop();
}

bool VlBaseDispatcher::TraceStarted()
{
    std::lock_guard guard(dispatcherLock_);
    return trace_.Started();
}

int VlBaseDispatcher::WriteTrace(const std::string& file, bool append, bool hex, bool allHex)
{
    std::lock_guard guard(dispatcherLock_);
    return trace_.Write(file, append, hex, allHex);
}

int VlBaseDispatcher::StartDispatchLog(std::size_t bytes)
{
    std::lock_guard guard(dispatcherLock_);
    return log_.Start(bytes);
}

void VlBaseDispatcher::PauseDispatchLog()
{
    std::lock_guard guard(dispatcherLock_);
    log_.Pause();
}

void VlBaseDispatcher::ResumeDispatchLog()
{
    std::lock_guard guard(dispatcherLock_);
    log_.Resume();
}

void VlBaseDispatcher::ClearDispatchLog()
{
    std::lock_guard guard(dispatcherLock_);
    log_.Clear();
}

void VlBaseDispatcher::StopDispatchLog()
{
    std::lock_guard guard(dispatcherLock_);
    log_.Stop();
}

bool VlBaseDispatcher::DispatchLogStarted()
{
    std::lock_guard guard(dispatcherLock_);
    return log_.Started();
}

int VlBaseDispatcher::WriteDispatchLog(const std::string& file, bool append, bool hex, bool allHex)
{
    std::lock_guard guard(dispatcherLock_);
    return log_.Write(file, append, hex, allHex);
}

void VlBaseDispatcher::LogUserText(std::string_view text)
{
    std::lock_guard guard(dispatcherLock_);
    log_.AddUserText(text);
}

void VlBaseDispatcher::LogEntry(LogKind kind, std::uint8_t subkind, std::uint32_t data,
                                std::span<const std::uint8_t> bytes)
{
    std::lock_guard guard(dispatcherLock_);
    log_.Add(kind, subkind, data, bytes);
}

void VlBaseDispatcher::SetEngineSubkindNames(std::vector<std::string> names)
{
    std::lock_guard guard(dispatcherLock_);
    log_.SetEngineSubkindNames(std::move(names));
}

}  // namespace vl::serial
