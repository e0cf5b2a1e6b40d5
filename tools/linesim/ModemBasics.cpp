#include "ModemBasics.h"

#include <cstdio>
#include <utility>

namespace vl::linesim {
namespace {

const char* ResultText(Result r) {
    switch (r) {
    case Result::Ok: return "OK";
    case Result::Connect: return "CONNECT";
    case Result::Ring: return "RING";
    case Result::NoCarrier: return "NO CARRIER";
    case Result::Error: return "ERROR";
    case Result::NoDialtone: return "NO DIALTONE";
    case Result::Busy: return "BUSY";
    case Result::NoAnswer: return "NO ANSWER";
    }
    return "ERROR";
}

// S3 and S4 hold line-ending characters and S5 the backspace character: all
// must stay 7-bit ASCII.
int SRegisterLimit(int reg) { return (reg >= 3 && reg <= 5) ? 127 : kMaxAtNumber; }

// E, Q and V take only 0 or 1.
Handling SetSwitch(bool& setting, int n) {
    if (n > 1) return Handling::Failed;
    setting = n == 1;
    return Handling::Done;
}

}  // namespace

ModemBasics::ModemBasics(Identity identity) : identity_(std::move(identity)) { Reset(); }

void ModemBasics::Reset() {
    echo_ = true;
    quiet_ = false;
    verbose_ = true;
    xLevel_ = 4;
    s_.fill(0);
    s_[2] = 43;
    s_[3] = 13;
    s_[4] = 10;
    s_[5] = 8;
    s_[6] = 2;
    s_[7] = 50;
    s_[8] = 2;
    s_[10] = 14;
}

int ModemBasics::SRegister(int n) const { return (n >= 0 && n < kSRegisterCount) ? s_[n] : 0; }

std::string ModemBasics::ResultCode(Result r) const {
    if (quiet_) return {};
    if (verbose_) return std::string("\r\n") + ResultText(r) + "\r\n";
    return std::to_string(static_cast<int>(r)) + "\r";
}

std::string ModemBasics::InfoText(const std::string& text) const {
    return verbose_ ? "\r\n" + text + "\r\n" : text + "\r\n";
}

Handling ModemBasics::Apply(const AtCommand& cmd, std::string& reply) {
    switch (cmd.kind) {
    case AtKind::Basic:
        return ApplyBasic(cmd, reply);
    case AtKind::SSet:
    case AtKind::SRead:
        return ApplySRegister(cmd, reply);
    case AtKind::Ampersand:
        if (cmd.letter != 'F') return Handling::NotMine;
        if (cmd.number != 0) return Handling::Failed;
        Reset();
        return Handling::Done;
    default:
        return Handling::NotMine;
    }
}

Handling ModemBasics::ApplyBasic(const AtCommand& cmd, std::string& reply) {
    const int n = cmd.number;
    switch (cmd.letter) {
    case 'E':
        return SetSwitch(echo_, n);
    case 'Q':
        return SetSwitch(quiet_, n);
    case 'V':
        return SetSwitch(verbose_, n);
    case 'X':
        if (n > 4) return Handling::Failed;
        xLevel_ = n;
        return Handling::Done;
    case 'Z':
        if (n != 0) return Handling::Failed;
        Reset();
        return Handling::Done;
    case 'I':
        if (n >= static_cast<int>(identity_.size()) || identity_[n].empty()) return Handling::Failed;
        reply += InfoText(identity_[n]);
        return Handling::Done;
    default:
        return Handling::NotMine;
    }
}

Handling ModemBasics::ApplySRegister(const AtCommand& cmd, std::string& reply) {
    if (cmd.number >= kSRegisterCount) return Handling::Failed;
    if (cmd.kind == AtKind::SRead) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", s_[cmd.number]);
        reply += InfoText(digits);
        return Handling::Done;
    }
    if (cmd.value > SRegisterLimit(cmd.number)) return Handling::Failed;
    s_[cmd.number] = cmd.value;
    return Handling::Done;
}

}  // namespace vl::linesim
