// The AT and +F commands of an emulated Class 2 modem.
#include <algorithm>
#include <charconv>

#include "Class2ModemState.h"

namespace vl::linesim {
namespace {

// Settings a host may make that change nothing on this line (flow control,
// copy quality checking, scan line padding...): kept, read back, validated.
struct StoredSetting {
    const char* name;
    int maxValues;
    int maxValue;
    const char* defaults;
    const char* ranges;
};

constexpr StoredSetting kStored[] = {
    {"+FAA", 1, 1, "0", "(0,1)"},
    {"+FLO", 1, 2, "1", "(0-2)"},
    {"+FNR", 4, 1, "0,0,0,0", "(0,1),(0,1),(0,1),(0,1)"},
    {"+FCQ", 2, 2, "0,0", "(0-2),(0-2)"},
    {"+FBUG", 1, 1, "0", "(0,1)"},
    {"+FPHCTO", 1, 255, "30", "(0-255)"},
    {"+FCT", 1, 255, "30", "(0-255)"},
    {"+FMINSP", 1, 5, "0", "(0-5)"},
    {"+FMS", 1, 5, "0", "(0-5)"},
    {"+FIE", 1, 1, "0", "(0,1)"},
    {"+FAP", 3, 1, "0,0,0", "(0,1),(0,1),(0,1)"},
    {"+FPP", 1, 1, "0", "(0,1)"},
    {"+FRQ", 2, 255, "0,0", "(0-64),(0-255)"},
    {"+FCTCRTY", 1, 255, "0", "(0-255)"},
    {"+FBADLIN", 1, 255, "0", "(0-255)"},
    {"+FBADMUL", 1, 255, "0", "(0-255)"},
    {"+FECM", 1, 0, "0", "(0)"},
    {"+FREL", 1, 1, "0", "(0,1)"},
    {"+FTBC", 1, 0, "0", "(0)"},
};

const StoredSetting* FindStored(const std::string& name) {
    for (const StoredSetting& s : kStored) {
        if (name == s.name) return &s;
    }
    return nullptr;
}

bool ParseInt(const std::string& s, int max, int& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc{} && end == s.data() + s.size() && out >= 0 && out <= max && !s.empty();
}

// A single-number setting: "=n" within 0..max.
bool SetNumber(const AtCommand& cmd, int max, int& target) {
    int n = 0;
    if (cmd.values.size() != 1 || !ParseInt(cmd.values[0], max, n)) return false;
    target = n;
    return true;
}

constexpr std::size_t kMaxIdLength = 20;

}  // namespace

Outcome Class2Modem::Impl::Run(const AtCommand& cmd, std::string& reply) {
    switch (basics.Apply(cmd, reply)) {
    case Handling::Done: return Outcome::Ok;
    case Handling::Failed: return Outcome::Error;
    case Handling::NotMine: break;
    }
    switch (cmd.kind) {
    case AtKind::Dial:
        return Dial(cmd);
    case AtKind::Basic:
        if (cmd.letter == 'A') return Answer();
        if (cmd.letter == 'H') return cmd.number == 0 ? HangUp() : Outcome::Error;
        if (cmd.letter == 'M' || cmd.letter == 'L' || cmd.letter == 'W') return Outcome::Ok;  // speaker, reporting
        return Outcome::Error;
    case AtKind::Ampersand:
        // Line and port signal settings (&C, &D, &K...) mean nothing on a pty.
        return (cmd.letter == 'C' || cmd.letter == 'D' || cmd.letter == 'K') ? Outcome::Ok : Outcome::Error;
    case AtKind::ExtAction:
    case AtKind::ExtSet:
    case AtKind::ExtRead:
    case AtKind::ExtTest:
        return RunFax(cmd, reply);
    default:
        return Outcome::Error;
    }
}

Outcome Class2Modem::Impl::RunFax(const AtCommand& cmd, std::string& reply) {
    const std::string& n = cmd.name;
    const bool set = cmd.kind == AtKind::ExtSet;
    const bool read = cmd.kind == AtKind::ExtRead;
    const bool test = cmd.kind == AtKind::ExtTest;
    const bool jpeg = dialect == Class2Dialect::Class20;

    if (n == "+FCLASS") {
        if (test) reply += basics.InfoText(std::string("0,") + names.fclass);
        if (read) reply += basics.InfoText(fclass);
        if (set) {
            if (cmd.values.size() != 1 || (cmd.values[0] != "0" && cmd.values[0] != names.fclass)) return Outcome::Error;
            fclass = cmd.values[0];
        }
        return cmd.kind == AtKind::ExtAction ? Outcome::Error : Outcome::Ok;
    }
    // Identification works in any class.
    for (std::size_t i = 0; i < names.idQueries.size(); ++i) {
        if (n != names.idQueries[i]) continue;
        if (!read) return Outcome::Error;
        static constexpr const char* kAnswers[] = {"LINESIM", "EMULATED FAX MODEM", "1.0"};
        reply += basics.InfoText(kAnswers[i]);
        return Outcome::Ok;
    }
    if (!FaxClass()) return Outcome::Error;

    if (n == names.dis || n == names.dcc) {
        Class2Params& target = n == names.dis ? dis : caps;
        if (test) reply += basics.InfoText(Class2Params::Ranges(jpeg));
        if (read) reply += basics.InfoText(target.Format(jpeg));
        if (set) {
            const auto updated = target.Updated(cmd.values);
            if (!updated) return Outcome::Error;
            target = *updated;
            // New capabilities bound the session parameters too.
            if (&target == &caps) dis = caps;
        }
        return cmd.kind == AtKind::ExtAction ? Outcome::Error : Outcome::Ok;
    }
    if (n == names.lid) {
        if (test) reply += basics.InfoText("(20),(32-127)");
        if (read) reply += basics.InfoText("\"" + localId + "\"");
        if (set) {
            if (cmd.values.size() != 1 || cmd.values[0].size() > kMaxIdLength) return Outcome::Error;
            localId = cmd.values[0];
        }
        return cmd.kind == AtKind::ExtAction ? Outcome::Error : Outcome::Ok;
    }
    if (n == "+FCR" || n == names.bo || n == names.pts) {
        int value = n == "+FCR" ? canReceive : n == names.bo ? bitOrder : std::max(replyOverride, 1);
        const int max = n == "+FCR" ? 1 : n == names.bo ? 3 : 5;
        if (test) reply += basics.InfoText(n == names.pts ? "(1-5)" : "(0-" + std::to_string(max) + ")");
        if (read) reply += basics.InfoText(std::to_string(value));
        if (set) {
            if (!SetNumber(cmd, max, value) || (n == names.pts && value == 0)) return Outcome::Error;
            if (n == "+FCR") canReceive = value != 0;
            if (n == names.bo) bitOrder = value;
            if (n == names.pts) replyOverride = value;
        }
        return cmd.kind == AtKind::ExtAction ? Outcome::Error : Outcome::Ok;
    }
    if (n == "+FIP" && dialect == Class2Dialect::Class20) {
        if (cmd.kind != AtKind::ExtAction) return Outcome::Error;
        ResetFaxSettings();
        return Outcome::Ok;
    }
    if (n == "+FDT") return cmd.kind == AtKind::ExtAction ? StartPage() : Outcome::Error;
    if (n == "+FDR") return cmd.kind == AtKind::ExtAction ? ReceivePage() : Outcome::Error;
    if (n == "+FET") {
        if (test) {
            reply += basics.InfoText("(0-2)");
            return Outcome::Ok;
        }
        int code = 0;
        if (!set || !SetNumber(cmd, 2, code)) return Outcome::Error;
        return PostPage(code);
    }
    if (n == names.kill) {
        if (cmd.kind != AtKind::ExtAction) return Outcome::Error;
        if (state == ModemState::TxReady || state == ModemState::RxReady) {
            T30Message dcn;
            dcn.kind = T30Kind::Dcn;
            link.Send(side, dcn, kShortFrameMs);
            around.HangUpCall();
            EnterIdle();
            reply += basics.InfoText(names.Hangup(2));
        }
        return Outcome::Ok;
    }
    return RunStored(cmd, reply);
}

Outcome Class2Modem::Impl::RunStored(const AtCommand& cmd, std::string& reply) {
    const StoredSetting* s = FindStored(cmd.name);
    if (!s) return Outcome::Error;
    std::string& value = stored.try_emplace(cmd.name, s->defaults).first->second;
    switch (cmd.kind) {
    case AtKind::ExtTest:
        reply += basics.InfoText(s->ranges);
        return Outcome::Ok;
    case AtKind::ExtRead:
        reply += basics.InfoText(value);
        return Outcome::Ok;
    case AtKind::ExtSet: {
        if (cmd.values.empty() || static_cast<int>(cmd.values.size()) > s->maxValues) return Outcome::Error;
        std::string joined;
        for (const std::string& v : cmd.values) {
            int n = 0;
            if (!v.empty() && !ParseInt(v, s->maxValue, n)) return Outcome::Error;
            if (&v != &cmd.values.front()) joined += ',';
            joined += v.empty() ? "0" : v;
        }
        value = joined;
        return Outcome::Ok;
    }
    default:
        return Outcome::Error;
    }
}

void Class2Modem::Impl::ResetFaxSettings() {
    caps = dis = Class2Params::ModemLimits();
    localId.clear();
    canReceive = true;
    bitOrder = 0;
    replyOverride = 0;
    stored.clear();
}

Outcome Class2Modem::Impl::Dial(const AtCommand& cmd) {
    if (state != ModemState::Idle && state != ModemState::Ringing) return Outcome::Error;
    std::string number;
    for (char c : cmd.dial) {
        if ((c >= '0' && c <= '9') || c == '*' || c == '#') number += c;
    }
    state = ModemState::Dialing;
    hungUpByFar = false;
    around.PlaceCall(number);
    return Outcome::Pending;
}

// With no call ringing the modem still goes off hook and waits: a call that
// comes meanwhile is taken at once, as the exchange decides.
Outcome Class2Modem::Impl::Answer() {
    if (state != ModemState::Ringing && state != ModemState::Idle) return Outcome::Error;
    state = ModemState::Answering;
    hungUpByFar = false;
    around.AnswerCall();
    return Outcome::Pending;
}

Outcome Class2Modem::Impl::HangUp() {
    if (state != ModemState::Idle) around.HangUpCall();
    EnterIdle();
    return Outcome::Ok;
}

}  // namespace vl::linesim
