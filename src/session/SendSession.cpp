#include "session/SendSession.h"

#include <exception>

#include "app/ModemCommands.h"
#include "app/ProgramFolders.h"
#include "app/SettingChoices.h"
#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "base/PlainText.h"
#include "base/TextCase.h"
#include "faxdoc/ApfReader.h"
#include "store/FaxRecordWriters.h"
#include "serial/PortNames.h"
#include "session/FaxSettings.h"
#include "session/SendSetup.h"
#include "session/SessionPort.h"
#include "session/SessionTexts.h"
#include "session/SessionTimes.h"

namespace vl::session {

namespace {

constexpr int kPortBuffer = 8192;
constexpr int kLargerSendBuffer = 16384;
constexpr int kPulse = 1;

const std::string kSent = "Sent";


// Whether the first pages of both files have the same resolution; a file
// that cannot be read counts as different, which renegotiates to be safe.
bool SameFirstResolution(const std::string& a, const std::string& b)
{
    faxdoc::ApfFileHeader header;
    faxdoc::ApfPageHeader first, second;
    return faxdoc::ApfFindPage(a, 1, header, first) == 0 && faxdoc::ApfFindPage(b, 1, header, second) == 0 &&
           first.HighResolution() == second.HighResolution();
}

}  // namespace

SendSession::SendSession(base::MessageLoop& loop, app::Settings& settings, SessionUi& ui)
    : loop_(loop), settings_(settings), ui_(ui), port_(loop), fax_(loop)
{
    PrepareFaxPort(port_, fax_);
    fax_.FaxClass = fax::fcUnknown;
    fax_.FaxFileExt = "APF";
    fax_.EnhTextEnabled = true;
    fax_.SetStatusDisplay(&statusModel_);
    fax_.OnFaxStatus = [this](fax::VlAbstractFax& f, bool, bool) { FaxStatus(f.Progress().progress); };
    fax_.OnFaxFinish = [this](fax::VlAbstractFax&, int code) { FaxFinished(code); };
}

std::string SendSession::ToggleLogging()
{
    logging_ = !logging_;
    if (!logging_)
        return "Logging is now OFF";
    return "Logging is now ON. Log file will be saved\nfor this fax session as VLOUT.LOG. This will\n"
           "overwrite any previous VLOUT.LOG.";
}

bool SendSession::RequestClose()
{
    if (!busy_)
        return true;
    ui_.Beep();
    return false;
}

std::string SendSession::NumberProblem(const std::string& phoneNumber)
{
    if (base::TrimBlanks(phoneNumber).empty())
        return "Phone number is blank";
    // The number is stored with the fax after the attempt; one it cannot
    // hold would be lost without a word.
    if (!store::PhoneFits(phoneNumber))
        return "This fax number cannot be kept with the fax. It can have at most 25\n"
               "characters, and only letters, digits and signs of Western European text.";
    return {};
}

void SendSession::Send()
{
    if (const std::string problem = NumberProblem(PhoneNumber); !problem.empty()) {
        ui_.ShowInformation(problem);
        return;
    }
    const std::string number = base::TrimBlanks(PhoneNumber);
    if (busy_) {
        ui_.Beep();
        return;
    }
    log_.Clear();
    ui_.SetBusyCursor(true);
    SetBusy(true);
    log_.Add("Start:" + LongDateTime(LocalNow()));
    if (logging_) {
        log_.Add("Logging on");
        port_.SetLogName(app::ProgramFile("VLOUT.LOG"));
        port_.SetLogging(serial::tlOn);
    }
    RunPending(loop_, ui_);
    port_.SetOutSize(settings_.GlobalLargerSendBuffer ? kLargerSendBuffer : kPortBuffer);

    const int comNumber = settings_.ComPort + 1;
    if (!OpenThePort(comNumber) || !CheckTheModem() || !SendResetString())
        return;
    ui_.SetStatus("");
    statusPanelVisible_ = false;
    LogSessionSettings(number);
    StartFax();
}

bool SendSession::OpenThePort(int comNumber)
{
    ui_.SetStatus("Opening communications port...");
    port_.SetComNumber(comNumber);
    log_.Add("Opening com port: " + serial::PortLabel(port_));
    std::string message;
    if (app::OpenPort(port_, message))
        return true;
    message = base::LinuxLines(message);
    ui_.SetBusyCursor(false);
    log_.Add("Error opening com port: " + serial::PortLabel(port_));
    log_.Add("Message:" + message);
    ClosePort();
    ui_.ShowError("Error Opening Communications Port",
                  PortOpenFailureText(message, port_, PreferencesPlace::SendWindow), false);
    SetBusy(false);
    SaveLog();
    return false;
}

bool SendSession::CheckTheModem()
{
    ui_.SetBusyCursor(true);
    log_.Add("Opened com port OK");
    Trace("Check_for_modem");
    ui_.SetStatus("Checking for modem...");
    log_.Add("Checking for modem");
    if (app::CheckModem(port_, settings_.String))
        return true;
    ui_.SetBusyCursor(false);
    log_.Add("Error checking for modem");
    const bool goOn =
        ui_.ShowError("No Response From Modem", NoModemResponseText(port_, PreferencesPlace::SendWindow), true);
    if (goOn) {
        ui_.SetBusyCursor(true);
        return true;
    }
    Trace("Check_for_modem_ERROR");
    ClosePort();
    log_.Add("Exit");
    SetBusy(false);
    SaveLog();
    return false;
}

bool SendSession::SendResetString()
{
    const std::string& reset = settings_.String;
    if (reset.empty())
        return true;
    Trace("Sending_RESET_string:" + reset);
    log_.Add("Sending reset string: " + reset);
    ui_.SetStatus("Sending reset string...");
    if (app::SendModemCommand(port_, reset))
        return true;
    log_.Add("Failure sending reset string: " + reset);
    ui_.SetBusyCursor(false);
    Trace("Sending_RESET_string_Error");
    ClosePort();
    ui_.ShowError("Unable to Continue", ResetStringFailureText(reset, port_, PreferencesPlace::SendWindow), false);
    SetBusy(false);
    log_.Add("Exiting...");
    SaveLog();
    return false;
}

void SendSession::LogSessionSettings(const std::string& number)
{
    const app::Settings& s = settings_;
    const bool pulse = s.ToneOrPulse == kPulse;
    const std::string className(app::FaxClassName(s.FaxClass));
    const std::string coding(app::CodingName(s.Coding));
    Trace("Start_of_fax_session");
    Trace("DesiredBPS_" + std::to_string(s.MaximumBPS));
    if (s.ECM)
        Trace("DesiredECM_ON");
    Trace("Coding_" + coding);
    if (s.BlindDial)
        Trace("BlindDial_ON");
    if (s.IgnoreBusy)
        Trace("Ignore Busy_ON");
    if (s.RenegotiateBetween)
        Trace("Negotiate_between_pages_ON");
    Trace("Phone_" + number);
    if (!DisablePrefix)
        Trace("DialPrefix_" + DialPrefix);
    if (!DisableSuffix)
        Trace("DialSuffix_" + DialSuffix);
    if (pulse)
        Trace("PulseDialing");
    Trace("FaxClass_" + className);
    Trace("StationID_" + s.Fax);
    Trace("UserINITString_" + s.InitString);

    log_.Add("Desired BPS: " + std::to_string(s.MaximumBPS));
    if (s.ECM)
        log_.Add("Desired ECM: ON");
    log_.Add("Coding: " + coding);
    if (s.BlindDial)
        log_.Add("Blind Dial: ON");
    if (s.IgnoreBusy)
        log_.Add("Ignore Busy: ON");
    log_.Add(std::string("Negotiate between pages: ") + (s.RenegotiateBetween ? "ON" : "OFF"));
    log_.Add("Fax#: " + number);
    if (!DisablePrefix)
        log_.Add("Dial Prefix: " + DialPrefix);
    if (!DisableSuffix)
        log_.Add("Dial Suffix: " + DialSuffix);
    if (pulse)
        log_.Add("Using Pulse Dialing ***");
    log_.Add("Fax Class: " + className);
    log_.Add("StationID: " + s.Fax);
    log_.Add("User INIT String: " + s.InitString);
}

void SendSession::ConfigureFax()
{
    const bool renegotiate = settings_.RenegotiateBetween;
    fax_.FaxFileList.clear();
    if (!FirstFile.empty() && !SecondFile.empty()) {
        // The cover goes first.
        fax_.FaxFileList = {SecondFile, FirstFile};
        fax_.EndOfDoc = !renegotiate && SameFirstResolution(FirstFile, SecondFile)
                            ? fax::EndOfDocument::ContinueMps
                            : fax::EndOfDocument::RenegotiateEom;
    } else {
        fax_.SetFaxFile(FirstFile.empty() ? SecondFile : FirstFile);
        fax_.EndOfDoc = renegotiate ? fax::EndOfDocument::RenegotiateEom : fax::EndOfDocument::ContinueMps;
    }
    ApplySendSettings(settings_,
                      {base::TrimBlanks(PhoneNumber), DialPrefix, DialSuffix, DisablePrefix, DisableSuffix}, fax_);
    const std::tm now = LocalNow();
    fax_.HeaderSender = settings_.Name;
    fax_.HeaderLine = BuildHeader(settings_.Name, settings_.Fax, ShortDate(now), ShortTime(now));
    fax_.EnhTextEnabled = !settings_.UseAlternateHeaderFont;
}

void SendSession::StartFax()
{
    try {
        ConfigureFax();
        ui_.SetBusyCursor(false);
        log_.Add("StartTransmit");
        fax_.StartTransmit();
    } catch (const std::exception& e) {
        // Nothing was sent: the window says why, and the result text lets the
        // outgoing record show it.
        const auto* vl = dynamic_cast<const base::EVlException*>(&e);
        const int code = vl ? vl->ErrorCode() : base::ecInternal;
        ui_.SetBusyCursor(false);
        SetBusy(false);
        ClosePort();
        log_.Add("Error...");
        log_.Add(std::string("Message:") + e.what());
        resultText_ = e.what();
        lastSendError_ = code;
        SaveLog();
        ShowFaxFailure(resultText_);
        if (OnFinished)
            OnFinished(code);
    }
}

void SendSession::FaxStatus(int progressCode)
{
    if (OnStatusChanged)
        OnStatusChanged();
    if (!logging_ || !port_.IsPortOpen())
        return;
    try {
        // Page data would flood the log; it resumes with the next status so
        // the end of the call is still recorded.
        if (progressCode == base::fpSendingPage) {
            if (port_.Logging() == serial::tlOn)
                port_.SetLogging(serial::tlPause);
            return;
        }
        if (port_.Logging() == serial::tlPause)
            port_.SetLogging(serial::tlOn);
        if (port_.Logging() == serial::tlOn)
            port_.LogText(fax::VlAbstractFax::ProgressText(progressCode));
    } catch (const std::exception&) {
        // The dispatch log is only an aid.
    }
}

void SendSession::FaxFinished(int code)
{
    const std::string text = fax::VlAbstractFax::ErrorText(code);
    resultText_ = text;
    log_.Add("Result: " + text);
    if (code == 0 || base::UpperAscii(text) == "OK")
        resultText_ = kSent;
    RunPending(loop_, ui_);
    if (!settings_.AfterString.empty()) {
        ui_.SetStatus("Sending AFTER reset string...");
        app::SendModemCommand(port_, settings_.AfterString);
    }
    ClosePort();
    SetBusy(false);
    // Saved before the message waits for the user, so the log is on disk
    // whatever happens meanwhile.
    SaveLog();
    if (resultText_ != kSent) {
        lastSendError_ = code;
        ShowFaxFailure(text);
    } else {
        ui_.ShowInformation("The fax was sent successfully");
    }
    if (OnFinished)
        OnFinished(code);
}

void SendSession::ShowFaxFailure(const std::string& errorText)
{
    ui_.ShowError("Fax Failure",
                  "We have received an error message while trying to send the fax\n\nError message: " + errorText +
                      "\n\n",
                  false);
}

void SendSession::Trace(const std::string& text)
{
    if (!logging_ || !port_.IsPortOpen())
        return;
    try {
        port_.LogText(text);
    } catch (const std::exception&) {
        // The dispatch log is only an aid.
    }
}

void SendSession::SetBusy(bool busy)
{
    busy_ = busy;
    statusPanelVisible_ = busy;
}

void SendSession::ClosePort()
{
    CloseSessionPort(port_, logging_, PortRecorder::DispatchLog);
}

void SendSession::SaveLog()
{
    log_.Add("Finish: " + LongDateTime(LocalNow()));
    log_.Save(app::ProgramFile("Lastsend.log"));
}

}  // namespace vl::session
