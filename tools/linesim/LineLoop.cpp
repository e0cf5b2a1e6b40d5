#include "LineLoop.h"

#include <array>
#include <cmath>
#include <ctime>
#include <memory>

namespace vl::linesim {
namespace {

// After the call, the computers get this long to finish their last commands
// (ATH, ATZ) and to read a late hang-up report (a Class 2 modem that lost the
// line reports it 2 s after the end of the page data) before the ptys go away.
constexpr std::int64_t kGraceMs = 5000;
// How far into page N+1 the drop fault strikes: past the training (about
// 1.5 s at 14400 bit/s) and into the scan lines, before even a short page ends.
constexpr std::int64_t kDropIntoPageMs = 2500;

using Samples = std::array<std::int16_t, kSamplesPerStep>;

std::int64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void SleepUntil(std::int64_t ns) {
    timespec ts{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void Attenuate(Samples& samples, double gain) {
    for (auto& s : samples) s = static_cast<std::int16_t>(std::lround(s * gain));
}

bool DropDue(const LoopSetup& setup) {
    if (setup.dropAfterPage < 0 || !setup.faxTerminal) return false;
    auto since = setup.faxTerminal->PageUnderwaySince();
    return setup.faxTerminal->PagesDone() == setup.dropAfterPage && since.has_value();
}

}  // namespace

LoopEnd RunLine(Endpoint& a, Endpoint& b, CallSwitch& exchange, const LoopSetup& setup,
                const std::atomic<bool>& stop) {
    std::unique_ptr<LineNoise> noise;
    if (setup.noiseDbm0) noise = std::make_unique<LineNoise>(*setup.noiseDbm0);
    VoiceSound voice;
    const double peerGain = std::pow(10.0, -setup.lossDb / 20.0);
    std::array<Samples, 2> tx{}, rx{};
    const std::int64_t start = MonotonicNs();
    std::int64_t nowMs = 0;
    std::optional<std::int64_t> overAt;
    std::array<Endpoint*, 2> ends{&a, &b};
    for (std::int64_t step = 0;; ++step) {
        SleepUntil(start + step * kStepMs * 1'000'000);
        nowMs = step * kStepMs;
        if (stop) return LoopEnd::Interrupted;
        if (setup.timeoutS > 0 && nowMs >= setup.timeoutS * 1000LL) return LoopEnd::TimedOut;

        for (Endpoint* e : ends) e->PollHost();
        exchange.Tick(nowMs);
        if (DropDue(setup) && nowMs - *setup.faxTerminal->PageUnderwaySince() >= kDropIntoPageMs)
            exchange.DropLine();

        // What each end hears is what the other said one step ago.
        for (int side = 0; side < 2; ++side) {
            switch (exchange.FarEndOf(side)) {
            case FarEnd::Peer:
                rx[side] = tx[1 - side];
                if (setup.lossDb > 0) Attenuate(rx[side], peerGain);
                break;
            case FarEnd::Voice:
                voice.Fill(rx[side]);
                break;
            case FarEnd::Silence:
            case FarEnd::Nobody:
                rx[side].fill(0);
                break;
            }
            if (noise && exchange.FarEndOf(side) != FarEnd::Nobody) noise->AddTo(rx[side]);
        }
        for (int side = 0; side < 2; ++side) ends[side]->Step(nowMs, rx[side], tx[side]);

        if (exchange.Finished() && !overAt) overAt = nowMs;
        if (overAt && nowMs >= *overAt + kGraceMs) return LoopEnd::CallOver;
    }
}

}  // namespace vl::linesim
