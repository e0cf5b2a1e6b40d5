// The bytes a modem endpoint sends to its computer, on their way to the pty,
// with the faults a modem can show there: late "OK" results (slow-ok) and a
// burst of line noise before the first result after the call connects
// (garbage). Only the verbose "\r\nOK\r\n" form is slowed, and only when
// written within one step (the modem writes each result whole).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "Endpoint.h"

namespace vl::linesim {

class HostOutput {
public:
    explicit HostOutput(ModemFaults faults) : faults_(faults) {}

    // Bytes from the modem at `nowMs`.
    void Send(std::string_view bytes, std::int64_t nowMs);
    // The call has connected: arms the garbage burst, if that fault is on.
    void OnConnected();
    // Appends to `out` what may reach the computer by `nowMs`, in order.
    void Release(std::int64_t nowMs, std::string& out);

    // The noise burst (fixed, so runs repeat): no CR or LF, so it cannot end
    // a line by itself.
    static std::string NoiseBurst();

private:
    struct Segment {
        std::string bytes;
        std::int64_t notBefore = 0;
    };
    void Queue(std::string_view bytes, std::int64_t notBefore);

    ModemFaults faults_;
    std::deque<Segment> queue_;
    std::string candidate_;  // the start of what may be an OK result
    bool garbageArmed_ = false;
    bool garbageSent_ = false;
};

}  // namespace vl::linesim
