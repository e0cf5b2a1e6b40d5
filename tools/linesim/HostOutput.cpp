#include "HostOutput.h"

#include <algorithm>

namespace vl::linesim {
namespace {
constexpr std::string_view kOk = "\r\nOK\r\n";
}

std::string HostOutput::NoiseBurst() {
    std::string burst;
    std::uint32_t x = 0x5eed1234u;
    while (burst.size() < 24) {
        x = x * 1664525u + 1013904223u;
        char c = static_cast<char>(x >> 24);
        if (c != '\r' && c != '\n') burst += c;
    }
    return burst;
}

void HostOutput::OnConnected() {
    if (faults_.garbage && !garbageSent_) garbageArmed_ = true;
}

void HostOutput::Queue(std::string bytes, std::int64_t notBefore) {
    if (bytes.empty()) return;
    // Order is kept: nothing overtakes a held result.
    if (!queue_.empty()) notBefore = std::max(notBefore, queue_.back().notBefore);
    queue_.push_back({std::move(bytes), notBefore});
}

void HostOutput::Send(std::string_view bytes, std::int64_t nowMs) {
    if (garbageArmed_ && !bytes.empty()) {
        garbageArmed_ = false;
        garbageSent_ = true;
        Queue(NoiseBurst(), nowMs);
    }
    if (faults_.slowOkMs <= 0) {
        Queue(std::string(bytes), nowMs);
        return;
    }
    std::string part;
    for (char c : bytes) {
        part += c;
        if (c == kOk[okMatched_]) {
            ++okMatched_;
        } else {
            okMatched_ = (c == kOk[0]) ? 1 : 0;
        }
        if (okMatched_ == kOk.size()) {
            okMatched_ = 0;
            Queue(std::move(part), nowMs + faults_.slowOkMs);
            part.clear();
        }
    }
    Queue(std::move(part), nowMs);
}

void HostOutput::Release(std::int64_t nowMs, std::string& out) {
    while (!queue_.empty() && queue_.front().notBefore <= nowMs) {
        out += queue_.front().bytes;
        queue_.pop_front();
    }
}

}  // namespace vl::linesim
