// The handlers a port's events go to: windows (on the main thread through a
// blocking send), procedures and methods. Removals made while an event is
// being dispatched are only marked, and done when it ends. Not thread-safe:
// the dispatcher guards it with its lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vl::base {
class MessageWindow;
}

namespace vl::serial {

using ProcedureHandler = void (*)(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
using MethodHandler = void (*)(void* userData, std::uint32_t msg, std::uintptr_t wParam,
                               std::intptr_t lParam);

// One handler to call, copied out of the lists.
struct HandlerCall {
    enum class Kind { Method, Procedure, Window };
    Kind kind = Kind::Procedure;
    MethodHandler method = nullptr;
    void* userData = nullptr;
    bool onMainThread = false;
    ProcedureHandler procedure = nullptr;
    base::MessageWindow* window = nullptr;
};

// Where a dispatch has got to: methods, then procedures, then windows.
struct HandlerCursor {
    int list = 0;
    std::size_t index = 0;
};

class HandlerLists {
public:
    void AddWindow(base::MessageWindow* window);
    void AddProcedure(ProcedureHandler procedure);
    void AddMethod(MethodHandler method, void* userData, bool onMainThread);
    // Remove the first live entry that matches; `deferred` only marks it.
    void RemoveWindow(base::MessageWindow* window, bool deferred);
    void RemoveProcedure(ProcedureHandler procedure, bool deferred);
    void RemoveMethod(MethodHandler method, void* userData, bool deferred);
    // Drops the marked entries.
    void Sweep();

    // Whether any handler is registered.
    bool Present() const;
    // Whether `window` is registered and not being removed.
    bool HasWindow(const base::MessageWindow* window) const;
    // Whether the first window (the owner's own) wants events when it is the
    // only window.
    void SetFirstWindowWanted(bool wanted) { firstWindowWanted_ = wanted; }
    bool FirstWindowWanted() const { return firstWindowWanted_; }

    // The next live handler after `cursor`, advancing it; windows come only
    // when more than one is registered or the first one wants events.
    std::optional<HandlerCall> Next(HandlerCursor& cursor) const;

private:
    struct WindowEntry {
        base::MessageWindow* window;
        bool deleted;
    };
    struct ProcedureEntry {
        ProcedureHandler procedure;
        bool deleted;
    };
    struct MethodEntry {
        MethodHandler method;
        void* userData;
        bool onMainThread;
        bool deleted;
    };
    bool WindowsCalled() const;

    std::vector<WindowEntry> windows_;
    std::vector<ProcedureEntry> procedures_;
    std::vector<MethodEntry> methods_;
    bool firstWindowWanted_ = false;
};

}  // namespace vl::serial
