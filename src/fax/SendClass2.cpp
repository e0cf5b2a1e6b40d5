// The send states of Class 2 and 2.0 modems, which run the fax protocol
// themselves: setting them up, the connection and its reports, the page's end
// and its status, a bad page sent again, and the next page.
#include "base/ErrorCodes.h"
#include "fax/Class2Parameters.h"
#include "fax/ResponseChecks.h"
#include "fax/SendMachine.h"

namespace vl::fax {

bool SendMachine::NextHasOtherResolution() const
{
    return modem_.morePages && modem_.previousResolution != ' ' && modem_.previousResolution != modem_.resolution;
}

void SendMachine::SendFdt()
{
    engine_.SendCommand("AT+FDT");
    engine_.SetTimeout(kFdtReplyTicks);
    engine_.StartResponseTimer(kFdtReplyTicks);
}

void SendMachine::Class2Params(const std::string& line)
{
    const Class2Vocabulary& names = modem_.vocabulary;
    if (IsReport(line, names.remoteCapabilities)) {
        modem_.params = ParseSessionParams(line);
        modem_.remoteFine = modem_.params.fine;
        modem_.remoteWide = modem_.params.wide;
        if ((modem_.resolution == '1' && !modem_.remoteFine) || (modem_.wide && !modem_.remoteWide)) {
            Fail(base::ecFaxBadMachine);
            return;
        }
        engine_.SetProgress(base::fpSessionParams);
    } else if (IsReport(line, names.calledId)) {
        engine_.SetRemoteId(CleanRemoteId(line));
        engine_.SetProgress(base::fpGotRemoteId);
    } else if (IsReport(line, names.sessionParameters)) {
        modem_.params = ParseSessionParams(line);
        engine_.SetProgress(base::fpSessionParams);
    } else if (HasOk(line)) {
        SendFdt();
    } else if (HasConnect(line)) {
        if (session_.faxClass == kClass2_0) {
            engine_.ArmOutputFree(kOutputFreeWanted);
            engine_.SetTimeout(modem_.dataTimeout);
            state_ = tfWaitFrHead;
        } else {
            engine_.SetTimeout(kXonWaitTicks);
            state_ = tfWaitXon;
        }
    } else {
        engine_.ResetResponse();
    }
}

void SendMachine::Class2PageStatus(const std::string& line)
{
    switch (PageStatus(line)) {
    case '1':
    case '3':
        engine_.SetProgress(base::fpPageAccepted);
        return;
    case '2':
        engine_.SetProgress(base::fpPageError);
        badPage_ = true;
        if (state_ == tf2WaitFET)
            state_ = tf2WaitPgOK;
        return;
    case '4':
    case '5':
        Fail(base::ecCancelRequested);
        return;
    default:
        Fail(base::ecFaxPageError);
    }
}

void SendMachine::Class2Line(const std::string& line)
{
    const Class2Vocabulary& names = modem_.vocabulary;
    const bool ok = HasOk(line);
    switch (state_) {
    case tf2Init1:
        if (!ok) {
            Fail(base::ecFaxInitError);
        } else {
            engine_.SendCommand(names.localId + "=\"" + session_.stationId + "\"");
            state_ = session_.faxClass == kClass2_0 ? tf2Init1A : tf2Init2;
        }
        return;
    case tf2Init1A:
        if (!ok) {
            Fail(base::ecFaxInitError);
        } else {
            engine_.SendCommand("AT+FLO=2");
            state_ = tf2Init1B;
        }
        return;
    case tf2Init1B:
        if (!ok) {
            Fail(base::ecFaxInitError);
        } else {
            engine_.SendCommand("AT+FNR=1,1,1,0");
            state_ = tf2Init2;
        }
        return;
    case tf2Init2:
        if (!ok) {
            Fail(base::ecFaxInitError);
        } else {
            std::string command = names.localCapabilities + "=";
            command += modem_.resolution;
            command += ',';
            command += BitRateCode(modem_.desiredBps);
            command += modem_.wide ? ",1" : ",0";
            command += ",2,0,";
            command += modem_.desiredEcm;
            command += ",0,0";
            engine_.SendCommand(command);
            state_ = tf2Init3;
        }
        return;
    case tf2Init3:
        if (ok)
            state_ = tfDial;
        else
            Fail(base::ecFaxInitError);
        return;
    case tf2Connect:
        if (IsReport(line, names.connectReport)) {
            engine_.ResetResponse();
            state_ = tf2GetParams;
        } else {
            DialFailed(line);
        }
        return;
    case tf2GetParams:
        Class2Params(line);
        return;
    case tf2WaitFPTS:
        if (!ok) {
            Fail(base::ecFaxSessionError);
        } else {
            const char* more = NextHasOtherResolution() ? "1" : "0";
            engine_.SendCommand(std::string("AT+FET=") + (modem_.morePages ? more : "2"));
            engine_.SetTimeout(modem_.dataTimeout);
            state_ = tf2WaitFET;
        }
        return;
    case tf2WaitFET:
    case tf20ChckPg:
        if (HasHangupReport(line, names.hangupReport)) {
            modem_.hangupCode = HangupCode(line);
            engine_.ResetResponse();
            engine_.SetTimeout(modem_.dataTimeout);
        } else if (IsReport(line, names.pageStatus)) {
            // A Class 2.0 modem with reports on sends the status before OK.
            Class2PageStatus(line);
        } else if (ok && badPage_) {
            SendPageAgain();
        } else if (ok) {
            engine_.SetProgress(base::fpPageAccepted);
            AfterClass2Page();
        } else {
            Fail(base::ecFaxPageError);
        }
        return;
    case tf2WaitPgOK:
        if (ok)
            SendPageAgain();
        else
            Fail(base::ecFaxSessionError);
        return;
    default:
        engine_.ResetResponse();
        return;
    }
}

void SendMachine::AfterClass2Page()
{
    modem_.retransmissions = 0;
    state_ = NextHasOtherResolution() ? tf2SndNwPrm : tf2NextPage;
}

void SendMachine::WaitXon(FaxEvent event)
{
    bool go = event == FaxEvent::Timeout;
    if (event == FaxEvent::Chars) {
        int byte = 0;
        while (!go && (byte = engine_.Port().ReadByte()) >= 0)
            go = byte == kXon;
    }
    if (!go)
        return;
    engine_.ArmOutputFree(kOutputFreeWanted);
    engine_.SetTimeout(modem_.dataTimeout);
    state_ = tfWaitFrHead;
}

void SendMachine::RememberSentPage()
{
    sentPage_.cover = session_.sendingCover;
    sentPage_.coverFile = session_.coverFile;
    sentPage_.page = session_.pages.currentPage;
    sentPage_.resolution = modem_.resolution;
    sentPage_.previousResolution = modem_.previousResolution;
    sentPage_.wide = modem_.wide;
}

void SendMachine::Class2PageEnd()
{
    engine_.ResetResponse();
    engine_.SetTimeout(modem_.dataTimeout);
    engine_.SetProgress(base::fpSendingEop);
    badPage_ = false;
    state_ = session_.faxClass == kClass2_0 ? tf20ChckPg : tf2WaitFPTS;
}

void SendMachine::SendPageAgain()
{
    badPage_ = false;
    if (++modem_.retransmissions > modem_.maxRetransmissions) {
        engine_.SendRaw("AT+FKS\r");
        Fail(base::ecFaxSessionError);
        return;
    }
    SendFdt();
    // Back to the page that was found bad: the advance already moved past it.
    ReleaseCover();
    session_.coverFile = sentPage_.coverFile;
    engine_.SetSendingCover(sentPage_.cover);
    session_.pages.currentPage = sentPage_.page;
    session_.pages.bytes = 0;
    modem_.resolution = sentPage_.resolution;
    modem_.previousResolution = sentPage_.previousResolution;
    modem_.wide = sentPage_.wide;
    if (file_.IsOpen()) {
        if (const int rc = file_.PositionAtPage(static_cast<unsigned>(sentPage_.page)); rc != 0) {
            Fail(rc);
            return;
        }
    }
    state_ = tf2GetParams;
}

void SendMachine::SendNewParams()
{
    if (!modem_.morePages) {
        state_ = tfClose;
        return;
    }
    engine_.SendCommand(modem_.vocabulary.localCapabilities + "=" + modem_.resolution);
    state_ = tf2GetParams;
}

void SendMachine::NextClass2Page()
{
    if (!modem_.morePages) {
        state_ = tfClose;
        return;
    }
    engine_.PauseTicks(5);
    SendFdt();
    state_ = tf2GetParams;
}

}  // namespace vl::fax
