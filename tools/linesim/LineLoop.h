// The real-time loop: every 20 ms the endpoints read their computers, the
// exchange hands out call events, and 160 samples cross the line each way.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "CallSwitch.h"
#include "Endpoint.h"
#include "FaxTerminal.h"
#include "LineSounds.h"

namespace vl::linesim {

struct LoopSetup {
    int timeoutS = 0;                        // 0: no limit
    int dropAfterPage = -1;                  // audio lines with a fax terminal only
    std::optional<double> noiseDbm0;
    double lossDb = 0;                       // what the line takes off the peers' signals
    FaxTerminal* faxTerminal = nullptr;      // the fax terminal, if one is on the line
};

enum class LoopEnd { CallOver, TimedOut, Interrupted };

// Runs until the call is over (and a short grace for the computers' last
// commands), the timeout passes, or `stop` becomes true.
LoopEnd RunLine(Endpoint& a, Endpoint& b, CallSwitch& exchange, const LoopSetup& setup,
                const std::atomic<bool>& stop);

}  // namespace vl::linesim
