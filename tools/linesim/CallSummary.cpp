#include "CallSummary.h"

#include <algorithm>
#include <cstdio>

namespace vl::linesim {
namespace {

const char* OutcomeName(CallOutcome o) {
    switch (o) {
    case CallOutcome::Busy: return "busy";
    case CallOutcome::NoAnswer: return "no-answer";
    case CallOutcome::NoDialtone: return "no-dialtone";
    case CallOutcome::Voice: return "voice";
    case CallOutcome::NoCarrier: return "no-carrier";
    case CallOutcome::Dropped: return "dropped";
    case CallOutcome::Abandoned: return "abandoned";
    case CallOutcome::None: break;
    }
    return "";
}

std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            // Station IDs come off the line: anything unprintable is escaped.
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Station IDs travel padded with spaces to 20 characters.
std::string Trimmed(const std::string& id) {
    auto first = id.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return id.substr(first, id.find_last_not_of(' ') - first + 1);
}

}  // namespace

CallSummary Summarize(const CallFacts& f) {
    CallSummary s;
    s.pagesAtoB = std::max(f.a.pagesSent, f.b.pagesReceived);
    s.pagesBtoA = std::max(f.b.pagesSent, f.a.pagesReceived);
    s.bitRate = std::max(f.a.bitRate, f.b.bitRate);
    s.resolution = f.a.resolution.empty() ? f.b.resolution : f.a.resolution;
    s.coding = f.a.coding.empty() ? f.b.coding : f.a.coding;
    s.ecm = f.a.ecm || f.b.ecm;
    s.idA = Trimmed(f.a.stationId);
    s.idB = Trimmed(f.b.stationId);
    s.t30Result = f.t30Result;
    if (f.timedOut) {
        s.result = "timeout";
    } else if (f.interrupted) {
        s.result = "interrupted";
    } else if (f.outcome != CallOutcome::None) {
        s.result = OutcomeName(f.outcome);
    } else if (!f.connected) {
        s.result = "failed";
    } else {
        bool ok = (!f.aJudges || f.a.completed) && (!f.bJudges || f.b.completed);
        s.result = ok ? "completed" : "failed";
    }
    return s;
}

std::string ToJson(const CallSummary& s) {
    return "{\"result\":" + Quoted(s.result) + ",\"pages_a_to_b\":" + std::to_string(s.pagesAtoB) +
           ",\"pages_b_to_a\":" + std::to_string(s.pagesBtoA) + ",\"bit_rate\":" + std::to_string(s.bitRate) +
           ",\"resolution\":" + Quoted(s.resolution) + ",\"coding\":" + Quoted(s.coding) +
           ",\"ecm\":" + (s.ecm ? "true" : "false") + ",\"id_a\":" + Quoted(s.idA) + ",\"id_b\":" + Quoted(s.idB) +
           ",\"t30_result\":" + Quoted(s.t30Result) + "}";
}

int ExitStatus(const CallSummary& s) {
    if (s.result == "completed") return 0;
    if (s.result == "timeout") return 3;
    return 1;
}

}  // namespace vl::linesim
