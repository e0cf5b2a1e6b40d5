// The send states of Class 2 and 2.0 modems, which run the fax protocol
// themselves: setting them up, the connection and its reports, the page's end
// and its status, a bad page sent again, and the next page.
#include "base/ErrorCodes.h"
#include "fax/Class2Parameters.h"
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

void SendMachine::Class2Params(const Reply& reply)
{
    const Class2Vocabulary& names = modem_.vocabulary;
    const std::string& line = reply.line;
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
        // A coding we cannot make (uncompressed) ends the call before any page data.
        if (!ReportedCoding(line)) {
            Fail(base::ecFaxBadMachine);
            return;
        }
        modem_.params = ParseSessionParams(line);
        engine_.SetProgress(base::fpSessionParams);
    } else if (reply.kind == ModemReply::Ok) {
        SendFdt();
    } else if (reply.kind == ModemReply::Connect) {
        if (session_.faxClass == kClass2_0) {
            engine_.ArmOutputFree(kOutputFreeWanted);
            engine_.SetTimeout(modem_.dataTimeout);
            state_ = tfWaitFrHead;
        } else {
            engine_.SetTimeout(kXonWaitTicks);
            state_ = tfWaitXon;
        }
    } else {
        IgnoreLine(reply);
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

void SendMachine::Class2Init1(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        Fail(base::ecFaxInitError);
        return;
    }
    engine_.SendCommand(modem_.vocabulary.localId + "=\"" + session_.stationId + "\"");
    state_ = session_.faxClass == kClass2_0 ? tf2Init1A : tf2Init2;
}

void SendMachine::Class2Init1A(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        Fail(base::ecFaxInitError);
        return;
    }
    engine_.SendCommand("AT+FLO=2");
    state_ = tf2Init1B;
}

void SendMachine::Class2Init1B(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        Fail(base::ecFaxInitError);
        return;
    }
    engine_.SendCommand("AT+FNR=1,1,1,0");
    state_ = tf2Init2;
}

void SendMachine::Class2Init2(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        Fail(base::ecFaxInitError);
        return;
    }
    std::string command = modem_.vocabulary.localCapabilities + "=";
    command += modem_.resolution;
    command += ',';
    command += BitRateCode(modem_.desiredBps);
    command += modem_.wide ? ",1" : ",0";
    command += ",2,";
    command += DataFormatCode(modem_.desiredCoding, modem_.desiredEcm == '1');
    command += ',';
    command += modem_.desiredEcm;
    command += ",0,0";
    engine_.SendCommand(command);
    state_ = tf2Init3;
}

void SendMachine::Class2Init3(const Reply& reply)
{
    if (reply.kind == ModemReply::Ok)
        state_ = tfDial;
    else
        Fail(base::ecFaxInitError);
}

void SendMachine::Class2Connect(const Reply& reply)
{
    if (!IsReport(reply.line, modem_.vocabulary.connectReport)) {
        DialFailed(reply);
        return;
    }
    engine_.ResetResponse();
    state_ = tf2GetParams;
}

void SendMachine::WaitFpts(const Reply& reply)
{
    if (reply.kind != ModemReply::Ok) {
        Fail(base::ecFaxSessionError);
        return;
    }
    const char* more = NextHasOtherResolution() ? "1" : "0";
    engine_.SendCommand(std::string("AT+FET=") + (modem_.morePages ? more : "2"));
    engine_.SetTimeout(modem_.dataTimeout);
    state_ = tf2WaitFET;
}

void SendMachine::WaitPageStatus(const Reply& reply)
{
    if (reply.kind == ModemReply::Hangup) {
        modem_.hangupCode = HangupCode(reply.line);
        engine_.ResetResponse();
        engine_.SetTimeout(modem_.dataTimeout);
    } else if (IsReport(reply.line, modem_.vocabulary.pageStatus)) {
        // A Class 2.0 modem with reports on sends the status before OK.
        Class2PageStatus(reply.line);
    } else if (reply.kind == ModemReply::Ok && badPage_) {
        SendPageAgain();
    } else if (reply.kind == ModemReply::Ok) {
        engine_.SetProgress(base::fpPageAccepted);
        AfterClass2Page();
    } else {
        Fail(base::ecFaxPageError);
    }
}

void SendMachine::WaitPageOk(const Reply& reply)
{
    if (reply.kind == ModemReply::Ok)
        SendPageAgain();
    else
        Fail(base::ecFaxSessionError);
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

void SendMachine::Class2PageEnd(FaxEvent)
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

void SendMachine::SendNewParams(FaxEvent)
{
    if (!modem_.morePages) {
        state_ = tfClose;
        return;
    }
    engine_.SendCommand(modem_.vocabulary.localCapabilities + "=" + modem_.resolution);
    state_ = tf2GetParams;
}

void SendMachine::NextClass2Page(FaxEvent)
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
