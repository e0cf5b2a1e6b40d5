// The send states every fax class shares: taking the next fax from the
// component, readying it, dialling and redialling, and ending it.
#include <chrono>

#include "base/ErrorCodes.h"
#include "base/TextCase.h"
#include "fax/SendMachine.h"

namespace vl::fax {

void SendMachine::Fail(int code)
{
    engine_.RecordError(code);
    state_ = tfAbort;
}

void SendMachine::GetEntry(FaxEvent)
{
    // A pause that pumps messages may bring the next-file request back here.
    if (inGetEntry_)
        return;
    inGetEntry_ = true;
    session_.faxFile.clear();
    session_.coverFile.clear();
    const auto answer = engine_.Ask(kMsgNextFile, std::chrono::milliseconds(kNextFileTimeoutMs));
    inGetEntry_ = false;
    if (answer == 0) {
        state_ = tfCompleteOK;
        return;
    }
    engine_.SendLog(kLogTransmitStarted);
    session_.dialAttempts = 0;
    engine_.SetSendingCover(false);
    modem_.coverIsApf = false;
    session_.pages.coverPages = 0;
    session_.pages.pagesInFile = 0;
    session_.pages.currentPage = 1;
    session_.pages.bytes = 0;
    session_.pages.pageLength = 0;
    modem_.retransmissions = 0;
    modem_.hangupCode = 0;
    session_.lastError = 0;
    engine_.SetRemoteId("");
    if (!session_.faxFile.empty()) {
        if (const int rc = file_.Open(session_.faxFile, session_.faxFileExt); rc != 0) {
            Fail(rc);
            return;
        }
        session_.pages.pagesInFile = file_.PageCount();
    }
    if (session_.faxFile.empty() && session_.coverFile.empty()) {
        Fail(base::ecNoReceiveFileName);
        return;
    }
    state_ = tfInit;
    if (session_.flags & kFlagSoftwareFlow)
        engine_.Port().ClearSoftwareFlow();
}

void SendMachine::InitFax(FaxEvent)
{
    // The fax before this one ended at the init rate; every fax runs at the
    // normal one.
    engine_.SwitchToNormalBaud();
    session_.stationId = base::UpperAscii(session_.stationId);
    if (!session_.coverFile.empty()) {
        session_.pages.coverPages = 1;
        engine_.SetSendingCover(true);
        const std::string apfSuffix = "." + base::UpperAscii(session_.faxFileExt);
        modem_.coverIsApf = base::UpperAscii(session_.coverFile).find(apfSuffix) != std::string::npos;
    }
    modem_.resolution = '0';
    modem_.wide = false;
    if (file_.IsOpen()) {
        if (const int rc = file_.PositionAtPage(static_cast<unsigned>(session_.pages.currentPage.load())); rc != 0) {
            Fail(rc);
            return;
        }
        modem_.resolution = file_.HighResolution() ? '1' : '0';
        modem_.wide = file_.PageHeader().Wide();
    }
    // The cover goes first, so an APF cover's page sets what is negotiated.
    if (modem_.coverIsApf) {
        SendFaxFile cover;
        if (cover.Open(session_.coverFile, session_.faxFileExt) == 0 && cover.PositionAtPage(1) == 0) {
            modem_.resolution = cover.HighResolution() ? '1' : '0';
            modem_.wide = cover.PageHeader().Wide();
        }
    }
    engine_.SetProgress(base::fpInitModem);
    if (IsClass2()) {
        engine_.SendCommand(modem_.vocabulary.selectClass);
        state_ = tf2Init1;
        return;
    }
    engine_.SendCommand("AT+FCLASS=1");
    state_ = tf1Init1;
}

void SendMachine::Dial(FaxEvent)
{
    std::string command = modem_.toneDial ? "ATDT" : "ATDP";
    command += modem_.dialPrefix;
    command += session_.phoneNumber;
    engine_.SendCommand(command);
    engine_.SetTimeout(modem_.dialWaitTicks);
    engine_.SetProgress(base::fpDialing);
    if (IsClass2()) {
        state_ = tf2Connect;
        return;
    }
    // The answering station's first frames follow the modem's "CONNECT".
    engine_.AwaitFrame();
    modem_.lastFrameFinal = false;
    retrainPending_ = false;
    postPageFcf_ = 0;
    ecm_.collecting = false;
    escaper_.SetDleDoubling(true);
    ecm_.pageCounter = 0;
    state_ = tf1Connect;
}

void SendMachine::RetryWait(FaxEvent event)
{
    // Only the wait's end redials: a late report of the failed call or an
    // incoming ring must not cut short the wait the user set.
    if (event == FaxEvent::Timeout)
        state_ = tfDial;
    else if (event == FaxEvent::Chars)
        while (engine_.Port().ReadByte() >= 0) {
        }
}

void SendMachine::DialFailed(const Reply& reply)
{
    switch (reply.kind) {
    case ModemReply::Busy:
        RedialRule(base::ecFaxBusy);
        return;
    case ModemReply::NoAnswer:
        RedialRule(base::ecFaxNoAnswer);
        return;
    case ModemReply::Voice:
        Fail(base::ecFaxVoiceCall);
        return;
    case ModemReply::NoDialTone:
        Fail(base::ecFaxNoDialTone);
        return;
    case ModemReply::NoCarrier:
        // No fax answered: the wait for a connection would only run out.
        Fail(base::ecFaxNoCarrier);
        return;
    default:
        LogUnexpected(reply.line);
    }
}

void SendMachine::RedialRule(int code)
{
    ++session_.dialAttempts;
    if (session_.maxDialAttempts != 0 && session_.dialAttempts >= session_.maxDialAttempts) {
        engine_.SendStatus(0);
        if (session_.flags & kFlagAbortNoConnect) {
            Fail(code);
            return;
        }
        file_.Close();
        engine_.RecordError(code);
        engine_.SendLog(kLogTransmitFailed);
        state_ = tfGetEntry;
        return;
    }
    engine_.SetProgress(base::fpBusyWait);
    state_ = tfRetryWait;
    engine_.SetTimeout(session_.dialRetryWaitTicks);
}

void SendMachine::ReleaseCover()
{
    coverReader_.reset();
    coverText_.reset();
    apfCover_.Close();
}

void SendMachine::CloseFax(FaxEvent)
{
    ReleaseCover();
    file_.Close();
    modem_.retransmissions = 0;
    engine_.SetSendingCover(false);
    engine_.SetProgress(base::fpFinished);
    engine_.SendLog(kLogTransmitOk);
    state_ = tfGetEntry;
    engine_.SwitchToInitBaud();
}

void SendMachine::CompleteOk(FaxEvent)
{
    // A fax given up after its last busy dial ended without the switch.
    engine_.SwitchToInitBaud();
    engine_.SendStatus(kStatusLast);
    modem_.initialised = false;
    state_ = tfDone;
    engine_.Finish();
}

void SendMachine::AbortFax(FaxEvent)
{
    file_.Close();
    ReleaseCover();
    engine_.SendLog(kLogTransmitFailed);
    engine_.HangUpSender();
    engine_.SwitchToInitBaud();
    if ((session_.flags & (kFlagExitOnError | kFlagAbortNoConnect)) != 0 || engine_.UserAborted()) {
        engine_.SetProgress(base::fpUserAbort);
        modem_.statusPending = false;
        engine_.SendStatus(kStatusLast);
        modem_.initialised = false;
        state_ = tfDone;
        engine_.Finish();
        return;
    }
    state_ = tfGetEntry;
}

}  // namespace vl::fax
