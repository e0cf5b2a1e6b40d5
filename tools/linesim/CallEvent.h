// What the exchange tells an endpoint about its call.
#pragma once

#include <string>

namespace vl::linesim {

enum class CallEvent {
    Ring,        // incoming call: one ring (the exchange repeats it every 6 s)
    Alerting,    // our call reached the far end, which is ringing
    Connected,   // the call is up: the far end answered ours, or our answer took
    Busy,        // our call met a busy line
    NoDialtone,  // the line gave no dial tone when we went off hook
    NoAnswer,    // the far end rang out without answering
    HungUp,      // the far end hung up, or the line dropped
};

// What an endpoint reports for the closing JSON line.
struct SideReport {
    std::string stationId;     // the ID this side sent (CSI or TSI), "" if none
    int pagesSent = 0;
    int pagesReceived = 0;
    int bitRate = 0;           // of the last page, 0 when no page moved
    std::string resolution;    // "normal" or "fine", "" when no page moved
    bool completed = false;    // the fax session ended in an orderly way
    std::string coding;        // "MH", "MR" or "MMR" on the line, "" when no page moved
    bool ecm = false;          // pages went with error correction
};

}  // namespace vl::linesim
