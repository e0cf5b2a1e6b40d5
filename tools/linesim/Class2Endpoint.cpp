#include "Class2Endpoint.h"

#include <algorithm>

namespace vl::linesim {
namespace {
// Per step: above the fastest page data rate (36 bytes per 20 ms at 14400 bit/s).
constexpr std::size_t kMaxReadPerStep = 512;
}

Class2Endpoint::Class2Endpoint(Exchange& exchange, Class2Dialect dialect, Class2Link& link, int side,
                               const std::string& linkPath, ModemFaults faults)
    : exchange_(exchange), port_(linkPath), output_(faults), modem_(dialect, *this, link, side) {}

void Class2Endpoint::OnCall(CallEvent event) {
    if (event == CallEvent::Connected) output_.OnConnected();
    modem_.OnCall(event);
}

void Class2Endpoint::PollHost() {
    if (!modem_.ReadyForComputer()) return;
    std::string in;
    if (port_.Read(in, kMaxReadPerStep) > 0) modem_.FromComputer(in);
}

void Class2Endpoint::Step(std::int64_t nowMs, std::span<const std::int16_t>, std::span<std::int16_t> tx) {
    now_ = nowMs;
    modem_.Step(nowMs);
    std::fill(tx.begin(), tx.end(), std::int16_t{0});
    std::string out;
    output_.Release(nowMs, out);
    port_.Write(out);
    port_.Flush();
}

}  // namespace vl::linesim
