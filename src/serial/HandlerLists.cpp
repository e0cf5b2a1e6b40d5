#include "serial/HandlerLists.h"

#include <algorithm>

namespace vl::serial {

namespace {

enum ListOrder { kMethods, kProcedures, kWindows, kListCount };

template <typename Entries, typename Match>
void RemoveFirst(Entries& entries, bool deferred, Match match)
{
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const auto& entry) { return !entry.deleted && match(entry); });
    if (it == entries.end())
        return;
    if (deferred)
        it->deleted = true;
    else
        entries.erase(it);
}

template <typename Entries>
void DropDeleted(Entries& entries)
{
    std::erase_if(entries, [](const auto& entry) { return entry.deleted; });
}

template <typename Entries>
bool AnyLive(const Entries& entries)
{
    return std::any_of(entries.begin(), entries.end(), [](const auto& entry) { return !entry.deleted; });
}

}  // namespace

void HandlerLists::AddWindow(base::MessageWindow* window)
{
    windows_.push_back({window, false});
}

void HandlerLists::AddProcedure(ProcedureHandler procedure)
{
    procedures_.push_back({procedure, false});
}

void HandlerLists::AddMethod(MethodHandler method, void* userData, bool onMainThread)
{
    methods_.push_back({method, userData, onMainThread, false});
}

void HandlerLists::RemoveWindow(base::MessageWindow* window, bool deferred)
{
    RemoveFirst(windows_, deferred, [window](const WindowEntry& e) { return e.window == window; });
}

void HandlerLists::RemoveProcedure(ProcedureHandler procedure, bool deferred)
{
    RemoveFirst(procedures_, deferred, [procedure](const ProcedureEntry& e) { return e.procedure == procedure; });
}

void HandlerLists::RemoveMethod(MethodHandler method, void* userData, bool deferred)
{
    RemoveFirst(methods_, deferred, [method, userData](const MethodEntry& e) {
        return e.method == method && e.userData == userData;
    });
}

void HandlerLists::Sweep()
{
    DropDeleted(windows_);
    DropDeleted(procedures_);
    DropDeleted(methods_);
}

bool HandlerLists::Present() const
{
    return AnyLive(windows_) || AnyLive(procedures_) || AnyLive(methods_);
}

bool HandlerLists::HasWindow(const base::MessageWindow* window) const
{
    return std::any_of(windows_.begin(), windows_.end(),
                       [window](const WindowEntry& e) { return !e.deleted && e.window == window; });
}

bool HandlerLists::WindowsCalled() const
{
    const auto live = std::count_if(windows_.begin(), windows_.end(),
                                    [](const WindowEntry& e) { return !e.deleted; });
    return live > 1 || firstWindowWanted_;
}

std::optional<HandlerCall> HandlerLists::Next(HandlerCursor& cursor) const
{
    for (; cursor.list < kListCount; ++cursor.list, cursor.index = 0) {
        if (cursor.list == kMethods) {
            while (cursor.index < methods_.size()) {
                const MethodEntry& e = methods_[cursor.index++];
                if (!e.deleted) {
                    HandlerCall call;
                    call.kind = HandlerCall::Kind::Method;
                    call.method = e.method;
                    call.userData = e.userData;
                    call.onMainThread = e.onMainThread;
                    return call;
                }
            }
        } else if (cursor.list == kProcedures) {
            while (cursor.index < procedures_.size()) {
                const ProcedureEntry& e = procedures_[cursor.index++];
                if (!e.deleted) {
                    HandlerCall call;
                    call.kind = HandlerCall::Kind::Procedure;
                    call.procedure = e.procedure;
                    return call;
                }
            }
        } else if (WindowsCalled()) {
            while (cursor.index < windows_.size()) {
                const WindowEntry& e = windows_[cursor.index++];
                if (!e.deleted) {
                    HandlerCall call;
                    call.kind = HandlerCall::Kind::Window;
                    call.window = e.window;
                    return call;
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace vl::serial
