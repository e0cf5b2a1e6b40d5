#include "CallSwitch.h"

#include <algorithm>

namespace vl::linesim {
namespace {
constexpr std::int64_t kDialDelayMs = 1000;        // dialling until the far end rings
constexpr std::int64_t kBusyDelayMs = 3000;
constexpr std::int64_t kNoDialtoneDelayMs = 2000;
constexpr std::int64_t kFakeAnswerDelayMs = 7000;  // one ring, then the pick-up
constexpr std::int64_t kHangUpNoticeMs = 500;      // until the far end notices an on-hook
constexpr std::int64_t kDropClearMs = 3000;
constexpr std::int64_t kIdleAnswerMs = 60000;      // ATA with nobody calling: the modem's carrier wait
}  // namespace

void CallSwitch::Queue(std::int64_t delayMs, int side, CallEvent event) {
    pending_.push_back({now_ + delayMs, side, event});
}

void CallSwitch::Finish(CallOutcome outcome) {
    if (outcome_ == CallOutcome::None) outcome_ = outcome;
    phase_ = Phase::Done;
}

void CallSwitch::Dial(Endpoint& caller, const std::string&) {
    int side = SideOf(caller);
    if (phase_ != Phase::Idle || offHook_[side]) {
        // Only one call per run: a second line is busy.
        offHook_[side] = true;
        Queue(kBusyDelayMs, side, CallEvent::Busy);
        return;
    }
    caller_ = side;
    offHook_[side] = true;
    switch (fault_) {
    case CallFault::NoDialtone:
        Queue(kNoDialtoneDelayMs, side, CallEvent::NoDialtone);
        phase_ = Phase::Ringing;
        fakeFarEnd_ = true;
        return;
    case CallFault::Busy:
        Queue(kBusyDelayMs, side, CallEvent::Busy);
        phase_ = Phase::Ringing;
        fakeFarEnd_ = true;
        return;
    case CallFault::NoAnswer:
        Queue(kDialDelayMs, side, CallEvent::Alerting);
        Queue(kDialDelayMs + kRingPeriodMs * kRingsBeforeNoAnswer, side, CallEvent::NoAnswer);
        phase_ = Phase::Ringing;
        fakeFarEnd_ = true;
        return;
    case CallFault::Voice:
    case CallFault::NoCarrier:
        Queue(kDialDelayMs, side, CallEvent::Alerting);
        Queue(kFakeAnswerDelayMs, side, CallEvent::Connected);
        phase_ = Phase::Ringing;
        fakeFarEnd_ = true;
        return;
    case CallFault::None:
        break;
    }
    Queue(kDialDelayMs, side, CallEvent::Alerting);
    phase_ = Phase::Ringing;
    ringsSent_ = 0;
    nextRingAt_ = now_ + kDialDelayMs;
}

void CallSwitch::Answer(Endpoint& callee) {
    int side = SideOf(callee);
    if (phase_ == Phase::Ringing && !fakeFarEnd_ && side != caller_) {
        Join(side);
        return;
    }
    // Off hook with nobody calling: a call that comes while the modem still
    // waits is taken at once; otherwise it hears nothing and gives up.
    offHook_[side] = true;
    waitingOffHook_[side] = true;
    Queue(kIdleAnswerMs, side, CallEvent::HungUp);
}

void CallSwitch::Join(int callee) {
    std::erase_if(pending_, [callee](const Pending& p) { return p.side == callee; });
    waitingOffHook_[callee] = false;
    offHook_[callee] = true;
    phase_ = Phase::Up;
    connected_ = true;
    Queue(0, callee, CallEvent::Connected);
    Queue(0, caller_, CallEvent::Connected);
}

void CallSwitch::HangUp(Endpoint& party) {
    int side = SideOf(party);
    if (!offHook_[side]) return;
    offHook_[side] = false;
    waitingOffHook_[side] = false;
    // Events still queued for this side are moot now.
    std::erase_if(pending_, [side](const Pending& p) { return p.side == side; });
    switch (phase_) {
    case Phase::Ringing:
        if (side == caller_) Finish(CallOutcome::Abandoned);
        break;
    case Phase::Up:
        if (fakeFarEnd_) {
            Finish(CallOutcome::None);
        } else {
            phase_ = Phase::Clearing;
            Queue(kHangUpNoticeMs, 1 - side, CallEvent::HungUp);
        }
        break;
    case Phase::Dropped:
    case Phase::Clearing:
        if (!offHook_[0] && !offHook_[1]) Finish(CallOutcome::None);
        break;
    case Phase::Idle:
    case Phase::Done:
        break;
    }
}

void CallSwitch::DropLine() {
    if (phase_ != Phase::Up || fakeFarEnd_) return;
    phase_ = Phase::Dropped;
    outcome_ = CallOutcome::Dropped;
    Queue(kDropClearMs, 0, CallEvent::HungUp);
    Queue(kDropClearMs, 1, CallEvent::HungUp);
}

void CallSwitch::Deliver(const Pending& p) {
    Endpoint& e = *parties_[p.side];
    switch (p.event) {
    case CallEvent::Busy:
        offHook_[p.side] = false;
        if (p.side == caller_) Finish(CallOutcome::Busy);
        break;
    case CallEvent::NoDialtone:
        offHook_[p.side] = false;
        Finish(CallOutcome::NoDialtone);
        break;
    case CallEvent::NoAnswer:
        offHook_[p.side] = false;
        Finish(CallOutcome::NoAnswer);
        break;
    case CallEvent::Connected:
        if (fakeFarEnd_ && phase_ == Phase::Ringing) {
            phase_ = Phase::Up;
            outcome_ = fault_ == CallFault::Voice ? CallOutcome::Voice : CallOutcome::NoCarrier;
        }
        break;
    case CallEvent::HungUp:
        // The line is gone: this end is on hook whether or not it says so.
        offHook_[p.side] = false;
        waitingOffHook_[p.side] = false;
        if (phase_ != Phase::Idle && phase_ != Phase::Ringing && !offHook_[1 - p.side])
            Finish(CallOutcome::None);
        break;
    case CallEvent::Ring:
    case CallEvent::Alerting:
        break;
    }
    e.OnCall(p.event);
}

void CallSwitch::Tick(std::int64_t nowMs) {
    now_ = nowMs;
    if (phase_ == Phase::Ringing && !fakeFarEnd_ && nowMs >= nextRingAt_) {
        if (waitingOffHook_[1 - caller_]) {
            Join(1 - caller_);
        } else if (ringsSent_ == kRingsBeforeNoAnswer) {
            Queue(0, caller_, CallEvent::NoAnswer);
            nextRingAt_ = INT64_MAX;
        } else {
            ++ringsSent_;
            nextRingAt_ += kRingPeriodMs;
            Queue(0, 1 - caller_, CallEvent::Ring);
        }
    }
    std::vector<Pending> due;
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending& x, const Pending& y) { return x.due < y.due; });
    auto split = std::find_if(pending_.begin(), pending_.end(), [nowMs](const Pending& p) { return p.due > nowMs; });
    due.assign(pending_.begin(), split);
    pending_.erase(pending_.begin(), split);
    for (const Pending& p : due) Deliver(p);
}

FarEnd CallSwitch::FarEndOf(int side) const {
    if (phase_ == Phase::Up || phase_ == Phase::Clearing) {
        if (!fakeFarEnd_) return FarEnd::Peer;
        if (side == caller_) return fault_ == CallFault::Voice ? FarEnd::Voice : FarEnd::Silence;
    }
    return FarEnd::Nobody;
}

}  // namespace vl::linesim
