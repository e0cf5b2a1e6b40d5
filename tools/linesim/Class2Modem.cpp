#include "Class2Modem.h"

#include "Class2ModemState.h"

namespace vl::linesim {
namespace {

ModemBasics::Identity IdentityFor(Class2Dialect dialect) {
    ModemBasics::Identity id;
    id[0] = dialect == Class2Dialect::Class2 ? "LINESIM CLASS 2" : "LINESIM CLASS 2.0";
    id[3] = "Line simulator fax modem";
    return id;
}

constexpr char kBackspaceFallback = 8;

}  // namespace

Class2Modem::Impl::Impl(Class2Dialect d, Class2Surroundings& a, Class2Link& l, int s)
    : dialect(d), names(Class2Names::For(d)), around(a), link(l), side(s), basics(IdentityFor(d)),
      reader(d == Class2Dialect::Class20) {}

void Class2Modem::Impl::FromComputer(std::string_view bytes) {
    while (!bytes.empty()) {
        switch (state) {
        case ModemState::TxData: {
            std::string page;
            const std::size_t used = reader.Take(bytes, page);
            TakePageData(page);
            bytes.remove_prefix(used);
            break;
        }
        case ModemState::TxDiscard: {
            std::string dropped;
            bytes.remove_prefix(reader.Take(bytes, dropped));
            if (reader.Ended()) state = ModemState::Idle;
            break;
        }
        case ModemState::RxWaitStart: {
            // DC2 starts the data; some hosts send XON instead.
            const std::size_t go = bytes.find_first_of(std::string_view("\x12\x11", 2));
            if (go == std::string_view::npos) return;
            bytes.remove_prefix(go + 1);
            state = ModemState::RxData;
            PumpLink();
            break;
        }
        case ModemState::RxData:
            // The computer may stop a reception with CAN; other bytes are flow control.
            if (bytes.find(kCan) != std::string_view::npos) {
                EndData(2);
            }
            bytes = {};
            break;
        default:
            // While a command runs, the computer is not listened to.
            if (InCommandMode()) TakeCommandBytes(bytes);
            return;
        }
    }
}

void Class2Modem::Impl::TakeCommandBytes(std::string_view bytes) {
    const char cr = static_cast<char>(basics.SRegister(3));
    const char bs = basics.SRegister(5) ? static_cast<char>(basics.SRegister(5)) : kBackspaceFallback;
    std::string echo;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (basics.Echo()) echo += c;
        if (c == cr) {
            Send(echo);
            echo.clear();
            std::string text;
            text.swap(line);
            // Anything before "AT" on the line is noise.
            const std::size_t at = text.find_first_of("Aa");
            if (at != std::string::npos && at + 1 < text.size() && (text[at + 1] == 'T' || text[at + 1] == 't')) {
                RunLine(text.substr(at));
            } else if (!text.empty()) {
                Final(Result::Error);
            }
            // A command that took over (ATD, +FDT...) decides about later bytes.
            if (!InCommandMode()) {
                FromComputer(bytes.substr(i + 1));
                return;
            }
        } else if (c == bs) {
            if (!line.empty()) line.pop_back();
        } else if (c != '\n' && c != '\0') {
            if (line.size() <= kMaxAtLineLength) line += c;
        }
    }
    Send(echo);
}

bool Class2Modem::Impl::InCommandMode() const {
    return state == ModemState::Idle || state == ModemState::Ringing || state == ModemState::TxReady ||
           state == ModemState::RxReady;
}

void Class2Modem::Impl::RunLine(const std::string& text) {
    std::vector<AtCommand> cmds;
    if (!ParseCommandLine(text, cmds)) {
        Final(Result::Error);
        return;
    }
    std::string reply;
    for (const AtCommand& cmd : cmds) {
        const Outcome out = Run(cmd, reply);
        if (out == Outcome::Error) {
            Send(reply);
            Final(Result::Error);
            return;
        }
        if (out == Outcome::Pending) {
            Send(reply);
            return;  // the command answers later; the rest of the line is dropped
        }
    }
    Send(reply);
    Final(Result::Ok);
}

void Class2Modem::Impl::Step(std::int64_t now) {
    nowMs = now;
    link.Advance(now);
    PumpLink();
    RunTimers();
}

void Class2Modem::Impl::OnCall(CallEvent event) {
    switch (event) {
    case CallEvent::Ring:
        if (state != ModemState::Idle && state != ModemState::Ringing) return;
        state = ModemState::Ringing;
        ++rings;
        Final(Result::Ring);
        if (basics.SRegister(0) > 0 && rings >= basics.SRegister(0)) Answer();
        return;
    case CallEvent::Alerting:
        return;
    case CallEvent::Connected:
        OnConnected();
        return;
    case CallEvent::Busy:
    case CallEvent::NoDialtone:
    case CallEvent::NoAnswer:
        if (state != ModemState::Dialing) return;
        EnterIdle();
        Final(event == CallEvent::Busy ? Result::Busy
              : event == CallEvent::NoDialtone ? Result::NoDialtone : Result::NoAnswer);
        return;
    case CallEvent::HungUp:
        LineLost();
        return;
    }
}

void Class2Modem::Impl::EnterIdle() {
    state = ModemState::Idle;
    deadlineMs = -1;
    rings = 0;
    line.clear();
    inbox.clear();
    haveSession = false;
    link.OnHook(side);
}

Class2Modem::Class2Modem(Class2Dialect dialect, Class2Surroundings& around, Class2Link& link, int side)
    : impl_(std::make_unique<Impl>(dialect, around, link, side)) {}

Class2Modem::~Class2Modem() = default;

void Class2Modem::FromComputer(std::string_view bytes) { impl_->FromComputer(bytes); }

bool Class2Modem::ReadyForComputer() const {
    return impl_->state != ModemState::TxData || impl_->link.Backlog(impl_->side) < kTxWindow;
}

void Class2Modem::Step(std::int64_t nowMs) { impl_->Step(nowMs); }
void Class2Modem::OnCall(CallEvent event) { impl_->OnCall(event); }
SideReport Class2Modem::Report() const { return impl_->report; }

}  // namespace vl::linesim
