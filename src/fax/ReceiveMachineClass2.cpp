// The receive machine's Class 2 and 2.0 states: the modem negotiates with the
// caller itself and reports what happened; the machine sets it up, follows its
// reports, asks for each page with AT+FDR and keeps or drops a page by the
// status the modem gives it.
#include "base/ErrorCodes.h"
#include "fax/Class2Parameters.h"
#include "fax/FaxEngine.h"
#include "fax/ReceiveMachine.h"
#include "fax/ResponseChecks.h"

namespace vl::fax {
namespace {

// The end-of-document report: "+FET:" and the post-page message's code.
const std::string kEndOfDocumentReport = "+FET";

// The post-page codes that end the document: EOP, and EOP with a procedure
// interrupt. The others (MPS, EOM and their interrupt forms) bring another
// page into the same file: a new resolution is no new fax.
bool EndsDocument(char code) { return code == '2' || code == '5'; }

}  // namespace

bool ReceiveMachine::IsClass2() const { return IsClass2Or20(Engine().Session().faxClass); }

bool ReceiveMachine::HangupReportEnds(const std::string& line) {
    if (state_ == rf2GetFHNG || !HasHangupReport(line, Engine().Modem().vocabulary.hangupReport))
        return false;
    Engine().Modem().hangupCode = HangupCode(line);
    Fail(base::ecFaxSessionError);
    return true;
}

void ReceiveMachine::ProcessClass2(const Input& in) {
    if (in.event == FaxEvent::Timeout) {
        Fail(base::ecFatalTimeout);
        return;
    }
    if (!in.line)
        return;
    // A copy: the states reset the response before they read it.
    const std::string line = Engine().Response();
    if (HangupReportEnds(line))
        return;
    switch (state_) {
    case rf2Init1:
    case rf2Init1A:
    case rf2Init1B:
    case rf2Init3:
        Class2Init(line);
        break;
    case rf2ValCnnct:
        ValidateConnect(line);
        break;
    case rf2GtSndID:
        SenderReports(line);
        break;
    case rf2GtCnnct:
        WaitDataConnect(line);
        break;
    case rf2GtPgRslt:
        PageResult(line);
        break;
    case rf2GetFHNG:
        WaitHangupReport(line);
        break;
    default:
        Engine().ResetResponse();
        break;
    }
}

void ReceiveMachine::Class2Init(const std::string& line) {
    if (!HasOk(line)) {
        Fail(base::ecFaxInitError);
        return;
    }
    ModemRecord& modem = Engine().Modem();
    const bool two0 = Engine().Session().faxClass == kClass2_0;
    switch (state_) {
    case rf2Init1: {
        Engine().SwitchToNormalBaud();
        std::string command = modem.vocabulary.receiveCapabilities + "=1,";
        command += BitRateCode(modem.desiredBps);
        command += ",0,2,0,";
        command += modem.desiredEcm;
        command += ",0,0";
        Engine().SendCommand(command);
        Go(two0 ? rf2Init1A : rf2Init3);
        break;
    }
    case rf2Init1A:
        Engine().SendCommand("AT+FLO=2");
        Go(rf2Init1B);
        break;
    case rf2Init1B:
        Engine().SendCommand("AT+FNR=1,1,1,0");
        Go(rf2Init3);
        break;
    default:
        Engine().StopTimeout();
        Engine().SetProgress(base::fpWaitingForCall);
        Go(rfWaiting);
        break;
    }
}

void ReceiveMachine::ValidateConnect(const std::string& line) {
    if (IsReport(line, Engine().Modem().vocabulary.connectReport)) {
        Engine().ResetResponse();
        Engine().SetProgress(base::fpCallValidated);
        Go(rf2GtSndID);
        return;
    }
    if (HasNoCarrier(line)) {
        // No fax machine on the line: waiting on would only run out.
        Fail(base::ecFaxNoCarrier);
        return;
    }
    Engine().ResetResponse();
}

void ReceiveMachine::SenderReports(const std::string& line) {
    const Class2Vocabulary& names = Engine().Modem().vocabulary;
    if (IsReport(line, names.transmittingId)) {
        Engine().ResetResponse();
        Engine().SetRemoteId(CleanRemoteId(line));
        Engine().SetProgress(base::fpGotRemoteId);
        AcceptCall();
        return;
    }
    if (IsReport(line, names.sessionParameters)) {
        Engine().ResetResponse();
        Engine().Modem().params = ParseSessionParams(line);
        Engine().SetProgress(base::fpSessionParams);
        return;
    }
    if (HasOk(line)) {
        Engine().SendCommand("AT+FDR");
        Engine().Modem().statusPending = true;
        Go(rf2GtCnnct);
        return;
    }
    Engine().ResetResponse();
}

void ReceiveMachine::WaitDataConnect(const std::string& line) {
    if (IsReport(line, Engine().Modem().vocabulary.sessionParameters)) {
        Engine().Modem().params = ParseSessionParams(line);
        Engine().SetProgress(base::fpSessionParams);
        return;
    }
    if (!HasConnect(line)) {
        Engine().ResetResponse();
        return;
    }
    if ((Engine().Session().flags & kFlagSoftwareFlow) != 0)
        Engine().Port().SetSoftwareFlow(6144, 2048, serial::sfReceive);
    Go(rfStartPage);
}

void ReceiveMachine::PageResult(const std::string& line) {
    if (IsReport(line, Engine().Modem().vocabulary.pageStatus)) {
        Engine().SetProgress(base::fpGettingPageEnd);
        const char status = PageStatus(line);
        const bool good = status == '1' || status == '3' || status == '5';
        pageBad_ = !good;
        // A bad page leaves the file; the sender sends it again and the next
        // page takes its number.
        int rc = 0;
        if (good) {
            rc = EndStoredPage();
            if (rc == 0)
                rc = file_.CompletePage(Engine().RemoteId(), std::time(nullptr));
        } else {
            recoder_.reset();
            rc = file_.RemovePage();
        }
        if (rc != 0)
            Fail(rc);
        return;
    }
    if (IsReport(line, kEndOfDocumentReport)) {
        Engine().SetProgress(base::fpGettingDocStatus);
        arrival_ = EndsDocument(PageStatus(line)) ? PageArrival::EndOfDocument : PageArrival::MorePages;
        return;
    }
    if (!HasOk(line)) {
        Engine().ResetResponse();
        return;
    }
    Engine().SendCommand("AT+FDR");
    // A bad last page is sent again (or the sender gives up, and its hang-up
    // report ends the call): the fax is not over yet.
    if (arrival_ != PageArrival::EndOfDocument || pageBad_) {
        pageBad_ = false;
        Go(rf2GtCnnct);
        return;
    }
    Go(rf2GetFHNG);
    CloseReceivedFax();
}

void ReceiveMachine::WaitHangupReport(const std::string& line) {
    if (HasHangupReport(line, Engine().Modem().vocabulary.hangupReport)) {
        Engine().Modem().hangupCode = HangupCode(line);
        Engine().SetProgress(base::fpGotHangupCode);
        Engine().ResetResponse();
        return;
    }
    if (IsReport(line, kEndOfDocumentReport)) {
        Engine().SetProgress(base::fpGettingHangup);
        Engine().ResetResponse();
        return;
    }
    if (HasOk(line)) {
        Go(rfComplete);
        return;
    }
    Engine().ResetResponse();
}

}  // namespace vl::fax
