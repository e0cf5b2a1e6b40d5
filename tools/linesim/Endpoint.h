// One end of the simulated telephone line, and the exchange it places and
// takes calls through.
//
// The main loop runs every 20 ms. For each endpoint it calls PollHost() (read
// what the computer wrote on the pty, if any), then Step(). Audio endpoints
// (class1, faxterm) hear 160 samples (8000 samples/s) from the line and put
// 160 on it; while no call is up they hear silence and what they send goes
// nowhere, but they still step so their timers run. Digital endpoints
// (class2, class2.0) talk to their peer through a Class2Link and ignore the
// audio arguments.
//
// Call control goes the other way: an endpoint calls Exchange::Dial, Answer
// or HangUp when its computer (or the fax terminal) asks for it, and the
// exchange answers later with CallEvents through Endpoint::OnCall. An
// endpoint never gets an event from inside its own Dial/Answer/HangUp call:
// the exchange queues them and delivers them between steps, so endpoints need
// not be re-entrant.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "CallEvent.h"

namespace vl::linesim {

inline constexpr int kSampleRate = 8000;
inline constexpr int kStepMs = 20;
inline constexpr int kSamplesPerStep = kSampleRate * kStepMs / 1000;  // 160

class Endpoint;

class Exchange {
public:
    virtual ~Exchange() = default;
    // Off hook and dial `number` (digits as given after ATD; may be empty).
    virtual void Dial(Endpoint& caller, const std::string& number) = 0;
    // Take the incoming call that is ringing on `callee`.
    virtual void Answer(Endpoint& callee) = 0;
    // On hook; ends or refuses whatever call `party` is in. Harmless when idle.
    virtual void HangUp(Endpoint& party) = 0;
};

class Endpoint {
public:
    virtual ~Endpoint() = default;

    // For the READY line: the pty's slave path, or "faxterm".
    virtual std::string Description() const = 0;
    // True for endpoints that speak audio on the line (class1, faxterm).
    virtual bool IsAudio() const = 0;

    // A call event from the exchange (see CallEvent.h).
    virtual void OnCall(CallEvent event) = 0;
    // Reads what the computer wrote on the pty, if this endpoint has one;
    // must not block. Endpoints without a pty do nothing.
    virtual void PollHost() = 0;
    // One 20 ms step at `nowMs` since start. `rx` is what the line carries to
    // this endpoint, `tx` is filled with what it puts on the line; both hold
    // kSamplesPerStep samples. Digital endpoints leave `tx` as silence.
    virtual void Step(std::int64_t nowMs, std::span<const std::int16_t> rx,
                      std::span<std::int16_t> tx) = 0;

    // What this side saw, for the closing JSON line.
    virtual SideReport Report() const = 0;
};

// The faults that a modem endpoint applies itself, on its pty.
struct ModemFaults {
    int slowOkMs = 0;     // each "OK" result reaches the computer this much later
    bool garbage = false; // a burst of line-noise bytes precedes the first
                          // result after the call connects (once per run)
};

}  // namespace vl::linesim
