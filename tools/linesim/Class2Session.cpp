// The fax session of an emulated Class 2 modem: phases B to E with the far
// modem over the Class2Link, and the results and reports they give the computer.
#include "Class2ModemState.h"

namespace vl::linesim {
namespace {

constexpr int kT2Ms = 12000;   // wait for the next page (T.30 says 6 s; hosts may be slow)
constexpr int kMaxTries = 3;

// +FHNG codes for a post-page message that got no reply: MPS, EOM, EOP.
constexpr int kNoReplyCode[] = {52, 56, 54};

T30Message Message(T30Kind kind, int code = 0) {
    T30Message m;
    m.kind = kind;
    m.code = code;
    return m;
}

bool PageAccepted(int reply) { return reply == 1 || reply == 3; }

}  // namespace

void Class2Modem::Impl::OnConnected() {
    if (state != ModemState::Dialing && state != ModemState::Answering) return;
    if (!FaxClass()) {
        // Data mode: no fax session, and this line carries nothing else.
        around.HangUpCall();
        EnterIdle();
        Final(Result::NoCarrier);
        return;
    }
    deadlineMs = nowMs + kT1Ms;
    postPage = -1;
    if (state == ModemState::Dialing) {
        state = ModemState::TxWaitDis;
        return;
    }
    state = ModemState::RxWaitDcs;
    T30Message offer = Message(T30Kind::Dis);
    offer.params = dis;
    offer.id = localId;
    report.stationId = localId;
    link.Send(side, offer, kCedAndDisMs);
}

void Class2Modem::Impl::ReportSession(const char* what, const Class2Params& p) {
    Info(std::string(what) + ":" + p.Format(dialect == Class2Dialect::Class20));
}

void Class2Modem::Impl::PumpLink() {
    while (auto m = link.Receive(side)) inbox.push_back(std::move(*m));
    while (!inbox.empty()) {
        T30Message m = std::move(inbox.front());
        inbox.pop_front();
        if (!Handle(m)) {
            inbox.push_front(std::move(m));
            return;
        }
    }
}

bool Class2Modem::Impl::Handle(T30Message& m) {
    const ModemState s = state;
    switch (m.kind) {
    case T30Kind::Dis:
        if (s != ModemState::TxWaitDis) return true;
        remote = m.params;
        Info(names.con);
        if (!m.id.empty()) Info(std::string(names.csi) + ":\"" + m.id + "\"");
        ReportSession(names.dis, remote);
        Final(Result::Ok);
        state = ModemState::TxReady;
        deadlineMs = -1;
        haveSession = false;
        pageSent = false;
        return true;
    case T30Kind::Dcs:
        if (s == ModemState::RxReady) return false;  // after EOM: reported with the next +FDR
        if (s != ModemState::RxWaitDcs && s != ModemState::RxWaitCarrier) return true;
        session = m.params;
        haveSession = true;
        if (s == ModemState::RxWaitDcs) {
            Info(names.con);
            if (!m.id.empty()) Info(std::string(names.tsi) + ":\"" + m.id + "\"");
        }
        ReportSession(names.dcs, session);
        link.Send(side, Message(T30Kind::Cfr), kShortFrameMs);
        if (s == ModemState::RxWaitDcs) {
            Final(Result::Ok);
            state = ModemState::RxReady;
            deadlineMs = -1;
        }
        return true;
    case T30Kind::Cfr:
        if (s != ModemState::TxWaitCfr) return true;
        ReportSession(names.dcs, session);
        Final(Result::Connect);
        link.Send(side, Message(T30Kind::PageStart), kPageTrainingMs);
        reader.Restart();
        state = ModemState::TxData;
        deadlineMs = -1;
        Send(std::string(1, kXon));
        return true;
    case T30Kind::PageStart:
        if (s == ModemState::RxReady) return false;
        if (s != ModemState::RxWaitCarrier) return true;
        Final(Result::Connect);
        state = ModemState::RxWaitStart;
        deadlineMs = -1;
        return true;
    case T30Kind::PageData:
        if (s == ModemState::RxWaitStart) return false;
        if (s != ModemState::RxData) return true;
        // Class 2 hands received data over in the opposite bit order of the line,
        // Class 2.0 in line order; +FBOR/+FBO bit 0 swaps that.
        if ((dialect == Class2Dialect::Class2) != ((bitOrder & 1) != 0)) ReverseBits(m.data);
        Send(ShieldDle(m.data));
        return true;
    case T30Kind::PageEnd:
        if (s == ModemState::RxWaitStart) return false;
        if (s != ModemState::RxData) return true;
        Send(std::string{kDle, kEtx});
        pageQuality = link.PageSpoiled() ? 2 : 1;
        state = ModemState::RxWaitPostPage;
        deadlineMs = nowMs + kT2Ms;
        return true;
    case T30Kind::PostPage:
        if (s != ModemState::RxWaitPostPage) return true;  // a repeat of one being answered
        postPage = m.code;
        // The page's status comes with the post-page message, as the end of the
        // page data and the message are apart on the line.
        Info(std::string(names.pts) + ":" + std::to_string(pageQuality));
        Info("+FET:" + std::to_string(m.code));
        Final(Result::Ok);
        state = ModemState::RxReady;
        deadlineMs = -1;
        return true;
    case T30Kind::PostPageReply:
        if (s != ModemState::TxWaitReply) return true;
        Info(std::string(names.pts) + ":" + std::to_string(m.code));
        if (PageAccepted(m.code)) {
            ++report.pagesSent;
            report.bitRate = session.BitRate();
            report.resolution = session.Fine() ? "fine" : "normal";
            report.coding = session.CodingName();
            report.ecm = session.Ecm();
        }
        if (postPage == 2) {
            link.Send(side, Message(T30Kind::Dcn), kShortFrameMs);
            state = ModemState::TxClosing;
            deadlineMs = nowMs + kShortFrameMs + 200;
            return true;
        }
        if (postPage == 1) haveSession = false;  // EOM: phase B again
        Final(Result::Ok);
        state = ModemState::TxReady;
        deadlineMs = -1;
        return true;
    case T30Kind::Dcn:
        if (s == ModemState::Idle || s == ModemState::Ringing) return true;
        EndSession(s == ModemState::RxWaitDcn ? 0 : LossCode());
        return true;
    case T30Kind::CarrierLost:
        if (s == ModemState::RxWaitStart) return false;  // the data, short as it is, ends first
        if (s == ModemState::RxData) {
            EndData(LossCode());
        } else if (!InCommandMode() && s != ModemState::RxEnding) {
            EndSession(LossCode());
        }
        return true;
    }
    return true;
}

Outcome Class2Modem::Impl::StartPage() {
    if (state != ModemState::TxReady || pageSent) return Outcome::Error;
    if (hungUpByFar) {
        EndSession(LossCode());
        return Outcome::Pending;
    }
    if (!haveSession) {
        session = Negotiate(dis, remote);
        haveSession = true;
        T30Message dcs = Message(T30Kind::Dcs);
        dcs.params = session;
        dcs.id = localId;
        report.stationId = localId;
        link.Send(side, dcs, kDcsAndTrainingMs);
        state = ModemState::TxWaitCfr;
        deadlineMs = nowMs + kMaxTries * (kDcsAndTrainingMs + kT4Ms);
        return Outcome::Pending;
    }
    Final(Result::Connect);
    link.Send(side, Message(T30Kind::PageStart), kPageTrainingMs);
    reader.Restart();
    state = ModemState::TxData;
    Send(std::string(1, kXon));
    return Outcome::Pending;
}

void Class2Modem::Impl::TakePageData(std::string_view bytes) {
    std::string data(bytes);
    // Both classes take data to send in line order unless bit 0 of +FBOR/+FBO says reversed.
    if (bitOrder & 1) ReverseBits(data);
    link.SendPageData(side, data, session.BitRate());
    if (!reader.Ended()) return;
    link.Send(side, Message(T30Kind::PageEnd), 100);
    state = ModemState::TxDraining;
}

Outcome Class2Modem::Impl::PostPage(int code) {
    if (state != ModemState::TxReady || !pageSent) return Outcome::Error;
    if (hungUpByFar) {
        EndSession(LossCode());
        return Outcome::Pending;
    }
    pageSent = false;
    postPage = code;
    tries = 0;
    state = ModemState::TxWaitReply;
    SendPostPage();
    return Outcome::Pending;
}

void Class2Modem::Impl::SendPostPage() {
    ++tries;
    link.Send(side, Message(T30Kind::PostPage, postPage), kPostPageMs);
    deadlineMs = nowMs + kPostPageMs + kT4Ms;
}

Outcome Class2Modem::Impl::ReceivePage() {
    if (state != ModemState::RxReady || !canReceive) return Outcome::Error;
    if (hungUpByFar) {
        EndSession(postPage == 2 ? 0 : LossCode());
        return Outcome::Pending;
    }
    deadlineMs = nowMs + kT2Ms;
    if (postPage < 0) {
        // The first page: the training went well.
        if (dialect == Class2Dialect::Class2) Info("+FCFR");
        state = ModemState::RxWaitCarrier;
        return Outcome::Pending;
    }
    const int reply = replyOverride ? replyOverride : pageQuality;
    replyOverride = 0;
    link.Send(side, Message(T30Kind::PostPageReply, reply), kShortFrameMs);
    if (PageAccepted(reply)) {
        ++report.pagesReceived;
        report.bitRate = session.BitRate();
        report.resolution = session.Fine() ? "fine" : "normal";
        report.coding = session.CodingName();
        report.ecm = session.Ecm();
    }
    state = postPage == 2 ? ModemState::RxWaitDcn : ModemState::RxWaitCarrier;
    postPage = -1;
    return Outcome::Pending;
}

void Class2Modem::Impl::RunTimers() {
    if (state == ModemState::TxDraining && link.Backlog(side) == 0) {
        if (hungUpByFar) {
            EndSession(LossCode());
            return;
        }
        state = ModemState::TxReady;
        pageSent = true;
        // A page that ended with its post-page message goes straight on to it.
        if (reader.PostPage() >= 0) {
            PostPage(reader.PostPage());
        } else {
            Final(Result::Ok);
        }
        return;
    }
    if (deadlineMs < 0 || nowMs < deadlineMs) return;
    switch (state) {
    case ModemState::TxWaitDis:
    case ModemState::RxWaitDcs:
        EndSession(11);
        return;
    case ModemState::TxWaitCfr:
        EndSession(25);
        return;
    case ModemState::TxWaitReply:
        if (tries < kMaxTries) {
            SendPostPage();
        } else {
            EndSession(kNoReplyCode[postPage]);
        }
        return;
    case ModemState::TxClosing:
    case ModemState::RxWaitDcn:
        EndSession(0);
        return;
    case ModemState::RxWaitCarrier:
        EndSession(73);
        return;
    case ModemState::RxWaitPostPage:
        EndSession(100);
        return;
    case ModemState::RxEnding:
        EndSession(lossCode);
        return;
    default:
        deadlineMs = -1;
        return;
    }
}

void Class2Modem::Impl::EndData(int hangupCode) {
    lossCode = hangupCode;
    Send(std::string{kDle, kEtx});
    state = ModemState::RxEnding;
    deadlineMs = nowMs + kAfterDataMs;
}

void Class2Modem::Impl::EndSession(int code) {
    Info(names.Hangup(code));
    Final(code == 0 ? Result::Ok : Result::Error);
    if (code == 0) report.completed = true;
    around.HangUpCall();
    EnterIdle();
}

int Class2Modem::Impl::LossCode() const {
    switch (state) {
    case ModemState::TxWaitDis: return 10;
    case ModemState::TxWaitCfr: return 20;
    case ModemState::TxReady: return pageSent || postPage >= 0 ? 50 : 20;
    case ModemState::TxData:
    case ModemState::TxDraining: return 40;
    case ModemState::TxWaitReply: return 50;
    case ModemState::RxWaitDcs: return 70;
    case ModemState::RxReady: return postPage >= 0 ? 100 : 70;
    case ModemState::RxWaitCarrier:
    case ModemState::RxWaitStart:
    case ModemState::RxData: return 90;
    case ModemState::RxWaitPostPage: return 100;
    default: return 0;
    }
}

void Class2Modem::Impl::LineLost() {
    hungUpByFar = true;
    switch (state) {
    case ModemState::Idle:
        return;
    case ModemState::Ringing:
        EnterIdle();
        return;
    case ModemState::Dialing:
    case ModemState::Answering:
        EnterIdle();
        Final(Result::NoCarrier);
        return;
    case ModemState::TxReady:
    case ModemState::RxReady:
    case ModemState::TxDraining:
        return;  // told at the next command, or when the page ends
    case ModemState::TxData: {
        // Told at once, so the computer need not pour the rest of the page
        // into a dead line; what it still sends of the page is dropped.
        const bool pageEnded = reader.Ended();
        EndSession(LossCode());
        if (!pageEnded) state = ModemState::TxDiscard;
        return;
    }
    case ModemState::RxWaitDcn:
    case ModemState::TxClosing:
        EndSession(0);
        return;
    case ModemState::RxData:
        EndData(LossCode());
        return;
    case ModemState::RxEnding:
        return;
    default:
        EndSession(LossCode());
        return;
    }
}

}  // namespace vl::linesim
