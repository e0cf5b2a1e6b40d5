// The exchange between the two endpoints: dial, ring, answer, clear down,
// and the call faults (busy, no answer, no dial tone, a voice or a silent
// line at the far end, a line that drops).
//
// Times are in ms since start. Events are queued and handed out by Tick, so
// no endpoint hears of a call from inside its own request.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Endpoint.h"
#include "Options.h"

namespace vl::linesim {

enum class CallOutcome { None, Busy, NoAnswer, NoDialtone, Voice, NoCarrier, Dropped, Abandoned };

// Who an endpoint hears on the line.
enum class FarEnd { Nobody, Peer, Voice, Silence };

inline constexpr std::int64_t kRingPeriodMs = 6000;
inline constexpr int kRingsBeforeNoAnswer = 6;

class CallSwitch : public Exchange {
public:
    explicit CallSwitch(CallFault fault) : fault_(fault) {}

    void Attach(Endpoint& a, Endpoint& b) { parties_ = {&a, &b}; }

    void Dial(Endpoint& caller, const std::string& number) override;
    void Answer(Endpoint& callee) override;
    void HangUp(Endpoint& party) override;

    // Advances the clock to `nowMs`: rings, and hands out the events due.
    void Tick(std::int64_t nowMs);
    // The line drops: silence at once, both ends cleared down 3 s later.
    void DropLine();

    FarEnd FarEndOf(int side) const;
    bool Connected() const { return connected_; }   // the two parties were joined
    bool Finished() const { return phase_ == Phase::Done; }
    CallOutcome Outcome() const { return outcome_; }

private:
    enum class Phase { Idle, Ringing, Up, Dropped, Clearing, Done };
    struct Pending {
        std::int64_t due;
        int side;
        CallEvent event;
    };
    int SideOf(const Endpoint& e) const { return parties_[1] == &e ? 1 : 0; }
    void Queue(std::int64_t delayMs, int side, CallEvent event);
    void Deliver(const Pending& p);
    void Finish(CallOutcome outcome);
    void Join(int callee);

    CallFault fault_;
    std::array<Endpoint*, 2> parties_{};
    std::array<bool, 2> offHook_{};
    std::array<bool, 2> waitingOffHook_{};  // answered with no call yet
    Phase phase_ = Phase::Idle;
    CallOutcome outcome_ = CallOutcome::None;
    bool fakeFarEnd_ = false;  // the voice and no-carrier faults: nobody real answers
    bool connected_ = false;
    int caller_ = 0;
    int ringsSent_ = 0;
    std::int64_t nextRingAt_ = 0;
    std::int64_t now_ = 0;
    std::vector<Pending> pending_;
};

}  // namespace vl::linesim
