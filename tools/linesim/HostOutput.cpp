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

void HostOutput::Queue(std::string_view bytes, std::int64_t notBefore) {
    if (bytes.empty()) return;
    // Order is kept: nothing overtakes a held result, and bytes behind it join it.
    if (!queue_.empty() && queue_.back().notBefore >= notBefore) {
        queue_.back().bytes += bytes;
        return;
    }
    queue_.push_back({std::string(bytes), notBefore});
}

void HostOutput::Send(std::string_view bytes, std::int64_t nowMs) {
    if (garbageArmed_ && !bytes.empty()) {
        garbageArmed_ = false;
        garbageSent_ = true;
        Queue(NoiseBurst(), nowMs);
    }
    if (faults_.slowOkMs <= 0) {
        Queue(bytes, nowMs);
        return;
    }
    for (char c : bytes) {
        candidate_ += c;
        // Bytes that can no longer start the result go out now.
        std::size_t drop = 0;
        while (drop < candidate_.size() && !kOk.starts_with(std::string_view(candidate_).substr(drop))) ++drop;
        Queue(std::string_view(candidate_).substr(0, drop), nowMs);
        candidate_.erase(0, drop);
        if (candidate_.size() == kOk.size()) {
            Queue(candidate_, nowMs + faults_.slowOkMs);
            candidate_.clear();
        }
    }
}

void HostOutput::Release(std::int64_t nowMs, std::string& out) {
    // A result is written whole within a step; a part left over is not one.
    Queue(candidate_, nowMs);
    candidate_.clear();
    while (!queue_.empty() && queue_.front().notBefore <= nowMs) {
        out += queue_.front().bytes;
        queue_.pop_front();
    }
}

}  // namespace vl::linesim
