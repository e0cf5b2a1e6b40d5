// The closing line of a run: what happened to the call, as one line of JSON.
#pragma once

#include <string>

#include "CallEvent.h"
#include "CallSwitch.h"

namespace vl::linesim {

struct CallSummary {
    std::string result;
    int pagesAtoB = 0;
    int pagesBtoA = 0;
    int bitRate = 0;
    std::string resolution;
    std::string coding;
    bool ecm = false;
    std::string idA, idB;
    std::string t30Result;
};

// What the run saw. A side "judges" when it can tell an orderly fax session
// from a failed one (the fax terminal, the Class 2 modems); a Class 1 modem
// cannot, as the fax protocol runs in its computer.
struct CallFacts {
    CallOutcome outcome = CallOutcome::None;
    bool connected = false;
    bool timedOut = false;
    bool interrupted = false;
    SideReport a, b;
    bool aJudges = false, bJudges = false;
    std::string t30Result;
};

CallSummary Summarize(const CallFacts& facts);
std::string ToJson(const CallSummary& summary);
// 0 completed, 3 timeout, 1 anything else.
int ExitStatus(const CallSummary& summary);

}  // namespace vl::linesim
