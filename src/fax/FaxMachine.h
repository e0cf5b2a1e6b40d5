// How a state machine (send or receive) plugs into the fax engine.
//
// The engine owns the invocation rules: it turns dispatcher events into a
// FaxEvent, handles the status timer and status-pending flag, turns an abort
// event into progress 4842 and error -6005 and calls EnterAbort(), writes one
// dispatch-log "Fax" entry per pass (subkind kFirstEngineSubkind + State(),
// named by StateNames()), and after each pass asks RuleAfter() whether to run
// the new state at once, return, run again only while characters wait, or
// keep the decision of the pass ("keep": return when the pass completed a
// response line, else run at once).
#pragma once

#include <string>
#include <vector>

namespace vl::fax {

enum class FaxEvent {
    None,        // run at once after the previous pass (no trigger)
    Chars,       // characters are waiting at the port
    Timeout,     // the engine's timeout trigger fired
    OutputFree,  // the output-buffer-free trigger fired
    OutputUsed,  // the output-buffer-used trigger fired (buffer drained)
};

enum class RunRule { Again, Wait, WhileChars, Keep };

class FaxMachine {
public:
    virtual ~FaxMachine() = default;

    // The prepare step run by Start before the first pass. Records its error
    // with FaxEngine::RecordError; the engine then finishes the session.
    virtual void Prepare() = 0;

    // One pass of the current state with `event`. Answers whether the pass
    // completed a response line (for RunRule::Keep).
    virtual bool Process(FaxEvent event) = 0;

    // Moves to the machine's abort state (user abort; the engine has already
    // recorded -6005 and set progress 4842).
    virtual void EnterAbort() = 0;

    virtual int State() const = 0;
    // Names of every state, indexed by state number (0 = the unused state).
    virtual const std::vector<std::string>& StateNames() const = 0;
    // What to do after a pass that left the machine in `state`.
    virtual RunRule RuleAfter(int state) const = 0;
    // The final state was reached: nothing more runs.
    virtual bool Done() const = 0;
};

}  // namespace vl::fax
