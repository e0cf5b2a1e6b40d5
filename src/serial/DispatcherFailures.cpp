// Exceptions that no caller can take: those that end one of the threads and
// those raised by handlers on the main thread. They are kept and handed to
// the owner on the main thread, so that a session learns its port is dead
// instead of waiting for it forever.
#include "base/ExceptionDisplay.h"
#include "base/MessageWindow.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

void VlBaseDispatcher::NoteThreadFailure(ThreadId id, std::exception_ptr error)
{
    bool first = false;
    {
        std::lock_guard guard(dispatcherLock_);
        first = !threadFailureError_;
        if (first) {
            threadFailureError_ = error;
            threadFailure_ = base::ExceptionText(error);
        }
    }
    // A handler threw: the dispatch it was in is over.
    if (id == kDispatchThread)
        EndDispatch(true);
    // The window lives until the threads are joined.
    if (first)
        mainWindow_->Post({kThreadFailedMsg, static_cast<std::uintptr_t>(id), 0});
}

std::string VlBaseDispatcher::ThreadFailure()
{
    std::lock_guard guard(dispatcherLock_);
    return threadFailure_;
}

std::intptr_t VlBaseDispatcher::OnMainWindowMessage(const base::WindowMessage& message)
{
    if (message.msg != kThreadFailedMsg)
        return RunMainThreadCall(message.wParam);
    std::exception_ptr error;
    {
        std::lock_guard guard(dispatcherLock_);
        error = threadFailureError_;
    }
    ReportFailure(error);
    return 0;
}

void VlBaseDispatcher::ReportFailure(std::exception_ptr error)
{
    base::ShowExceptionThrough(failureHandler_, error);
}

}  // namespace vl::serial
