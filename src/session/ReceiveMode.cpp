#include "session/ReceiveMode.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>
#include <exception>
#include <filesystem>
#include <thread>

#include "app/ModemCommands.h"
#include "app/ProgramFolders.h"
#include "app/SettingChoices.h"
#include "base/ErrorCodes.h"
#include "base/PlainText.h"
#include "fax/FaxCodes.h"
#include "faxdoc/ApfReader.h"
#include "serial/PortNames.h"
#include "session/FaxSettings.h"
#include "session/ReceiptCommand.h"
#include "session/ReceiveStatusTexts.h"
#include "session/SessionPort.h"
#include "session/SessionTexts.h"
#include "session/SessionTimes.h"

namespace vl::session {

std::string ReceiveTraceFileName()
{
    return app::ProgramFile("VLIN.LOG");
}

namespace {

constexpr int kPortBuffer = 8192;
constexpr int kLargerReceiveBuffer = 16384;
constexpr int kPulse = 1;
// How long stopping waits for a cancelled session to hang up.
constexpr std::chrono::seconds kCancelWait{10};
constexpr std::chrono::milliseconds kCancelPoll{10};


// The pages the received file holds; the engine's page counter when the
// file cannot be read.
int PagesIn(const std::string& file, int counted)
{
    faxdoc::ApfFileHeader header;
    return faxdoc::ApfReadHeader(file, header) == 0 ? header.pageCount : counted;
}

}  // namespace

ReceiveMode::ReceiveMode(base::MessageLoop& loop, app::Settings& settings, ReceiveModeUi& ui)
    : loop_(loop), settings_(settings), ui_(ui), port_(loop), fax_(loop)
{
    PrepareFaxPort(port_, fax_);
    fax_.FaxFileExt = "APF";
    fax_.OnFaxAccept = [this](fax::VlReceiveFax&, bool& accept) {
        AcceptEvent();
        accept = true;
    };
    fax_.OnFaxStatus = [this](fax::VlAbstractFax& f, bool first, bool last) { StatusEvent(f.Progress(), first, last); };
    fax_.OnFaxLog = [this](fax::VlAbstractFax& f, int code) { LogEvent(code, f.FaxFile(), f.Progress()); };
    fax_.OnFaxError = [this](fax::VlAbstractFax&, int code) { ErrorEvent(code); };
    fax_.OnFaxFinish = [this](fax::VlAbstractFax&, int code) { FinishEvent(code); };
}

bool ReceiveMode::Start(bool logging)
{
    if (active_)
        return true;
    logging_ = logging;
    lastError_ = 0;
    lastStatus_ = 0;
    pageCounter_ = 0;
    receivingNow_ = false;
    currentFaxFile_.clear();
    const std::string folder = app::ReceiveFolder();
    app::ForceFolders(folder);
    fax_.SetDestinationDir(folder);
    log_.Clear();
    Add("Start: ");

    ui_.SwitchToIncoming();
    active_ = true;
    ui_.ModeChanged();
    ui_.SetStatus("Starting receive mode...");
    try {
        port_.SetComNumber(settings_.ComPort + 1);
        ApplyReceiveSettings(settings_, fax_);
        if (logging_) {
            Add("Logging on");
            port_.SetTraceName(ReceiveTraceFileName());
            port_.SetTracing(serial::tlOn);
        }
        const int size = settings_.GlobalLargerReceiveBuffer ? kLargerReceiveBuffer : kPortBuffer;
        port_.SetInSize(size);
        port_.SetBufferFull(static_cast<int>(std::lround(size * 0.9)));
        port_.SetBufferResume(static_cast<int>(std::lround(size * 0.1)));
        Add("Buffer Size " + std::to_string(size));
        if (!OpenThePort() || !CheckTheModem() || !SendResetString()) {
            Abandon();
            return false;
        }
        LogConfig();
        StartWaiting();
    } catch (const std::exception& e) {
        // Said rather than swallowed: the user pressed Receive and would
        // otherwise see receive mode end without a reason.
        Add(std::string("Error: ") + e.what());
        HideStartingNotice();
        ui_.ShowError("Error Starting Fax Receive", e.what(), false);
        Abandon();
        return false;
    }
    return true;
}

bool ReceiveMode::OpenThePort()
{
    Add("Opening com port: " + serial::PortLabel(port_));
    std::string message;
    if (app::OpenPort(port_, message))
        return true;
    message = base::LinuxLines(message);
    Add("Error opening com port: " + serial::PortLabel(port_));
    AddPlain("  Message:" + message);
    HideStartingNotice();
    ui_.ShowError("Error Opening Communications Port",
                  PortOpenFailureText(message, port_, PreferencesPlace::MainWindow), false);
    return false;
}

bool ReceiveMode::CheckTheModem()
{
    Add("Opened com port OK");
    Add("Checking for modem");
    if (app::CheckModem(port_, settings_.String))
        return true;
    Add("Error checking for modem");
    HideStartingNotice();
    const bool goOn =
        ui_.ShowError("No Response From Modem", NoModemResponseText(port_, PreferencesPlace::MainWindow), true);
    if (goOn)
        return true;
    Add("Exit - unable to find modem ");
    return false;
}

bool ReceiveMode::SendResetString()
{
    const std::string& reset = settings_.String;
    if (reset.empty())
        return true;
    ui_.SetStatus("Sending reset string...");
    Add("Sending reset string: " + reset);
    if (app::SendModemCommand(port_, reset))
        return true;
    HideStartingNotice();
    Add("Failure sending reset string: " + reset);
    CloseSessionPort(port_, logging_, PortRecorder::Trace);
    ui_.ShowError("Unable to Continue", ResetStringFailureText(reset, port_, PreferencesPlace::MainWindow), false);
    Add("Exiting modem not responding to reset");
    return false;
}

void ReceiveMode::LogConfig()
{
    const app::Settings& s = settings_;
    Add("Config");
    AddPlain("  Desired BPS: " + std::to_string(s.MaximumBPSReceive));
    if (s.ECMReceive)
        AddPlain("  Desired ECM: ON");
    AddPlain("  Coding: " + std::string(app::CodingName(s.Coding)));
    if (s.ToneOrPulse == kPulse)
        AddPlain("  Using Pulse Dialing ***");
    AddPlain("  Fax Class: " + std::string(app::FaxClassName(s.FaxClassReceive)));
    AddPlain("  User INIT String: " + s.InitStringReceive);
}

void ReceiveMode::StartWaiting()
{
    const bool notice = !settings_.DisableReceivingFaxesNotification;
    if (notice) {
        ui_.ShowStartingNotice(true, false);
        noticeVisible_ = true;
    }
    Add("Start Receive Mode ");
    fax_.StartReceive();
    started_ = true;
    ui_.ModeChanged();
    ui_.SetStatus("Waiting for fax...");
    if (notice && noticeVisible_)
        ui_.ShowStartingNotice(true, true);
}

void ReceiveMode::Abandon()
{
    CloseSessionPort(port_, logging_, PortRecorder::Trace);
    active_ = false;
    started_ = false;
    logging_ = false;
    HideStartingNotice();
    ui_.SetStatus("");
    ui_.ModeChanged();
    Add("Error Starting Fax Receive ");
    SaveLog();
}

void ReceiveMode::Stop()
{
    if (!active_ || stopping_)
        return;
    stopping_ = true;
    HideStartingNotice();
    ui_.SetStatus("Ending fax receive mode...");
    fax_.CancelFax();
    // The engine hangs up on the port; the after-reset string must not cut
    // into that.
    WaitForCancel();
    if (!settings_.AfterString.empty()) {
        ui_.SetStatus("Sending AFTER reset string...");
        app::SendModemCommand(port_, settings_.AfterString);
    }
    CloseSessionPort(port_, logging_, PortRecorder::Trace);
    active_ = false;
    started_ = false;
    receivingNow_ = false;
    logging_ = false;
    stopping_ = false;
    ui_.ModeChanged();
    ui_.SetStatus("");
    Add("Stopped receive mode ");
    SaveLog();
}

void ReceiveMode::WaitForCancel()
{
    const auto until = std::chrono::steady_clock::now() + kCancelWait;
    while (fax_.Running() && std::chrono::steady_clock::now() < until) {
        if (loop_.Yield() == base::ecGotQuitMsg)
            return;
        std::this_thread::sleep_for(kCancelPoll);
    }
}

void ReceiveMode::AcceptEvent()
{
    receivingNow_ = true;
    lastError_ = 0;
    ui_.ModeChanged();
}

void ReceiveMode::StatusEvent(const fax::FaxProgressValues& values, bool first, bool last)
{
    const int code = values.progress;
    if (code != lastStatus_) {
        if (const std::string line = ReceiveStatusLogLine(code, values.currentPage, values.remoteId); !line.empty())
            Add(line);
        if (code == base::fpAnswering)
            HideStartingNotice();
    }
    lastStatus_ = code;
    pageCounter_ = first ? 0 : values.currentPage;
    ui_.SetStatus(ReceiveStatusLine(fax::VlAbstractFax::ProgressText(code), code, values.remoteId,
                                    values.currentPage, values.bytesTransferred));
    if (last && receivingNow_) {
        receivingNow_ = false;
        ui_.ModeChanged();
    }
    if (!logging_ || !port_.IsPortOpen())
        return;
    try {
        // Page data would flood the trace; it goes on once the page is in.
        if (code == base::fpGettingPage && port_.Tracing() == serial::tlOn)
            port_.SetTracing(serial::tlPause);
        else if (code != base::fpGettingPage && port_.Tracing() == serial::tlPause)
            port_.SetTracing(serial::tlOn);
    } catch (const std::exception&) {
        // The trace is only an aid.
    }
}

void ReceiveMode::LogEvent(int logCode, const std::string& faxFile, const fax::FaxProgressValues& values)
{
    switch (logCode) {
    case fax::kLogReceiveStarted:
        currentFaxFile_ = faxFile;
        Add("Receiving a fax ");
        HideStartingNotice();
        break;
    case fax::kLogReceiveOk:
        FaxReceived(currentFaxFile_.empty() ? faxFile : currentFaxFile_, values);
        break;
    case fax::kLogReceiveFailed:
        FaxFailed();
        break;
    case fax::kLogReceiveSkipped:
        receivingNow_ = false;
        ui_.ModeChanged();
        break;
    default:
        break;
    }
}

void ReceiveMode::FaxReceived(std::string faxFile, const fax::FaxProgressValues& values)
{
    receivingNow_ = false;
    currentFaxFile_.clear();
    const std::string station = base::TrimBlanks(values.remoteId);
    const int pages = PagesIn(faxFile, pageCounter_);
    Add(std::to_string(pages) + " pages received from " + station);
    std::string filingError;
    try {
        ui_.FileReceivedFax({station, pages, faxFile});
    } catch (const std::exception& e) {
        filingError = e.what();
        Add("Error filing the received fax: " + filingError);
    }
    if (settings_.NotifyOnReceipt)
        ui_.AnnounceReceivedFax(station, pages, faxFile);
    std::error_code error;
    if (!settings_.Wav.empty() && std::filesystem::exists(settings_.Wav, error))
        ui_.PlaySound(settings_.Wav);
    ui_.ModeChanged();
    if (settings_.PrintOnReceipt)
        PrintOnReceipt(station, faxFile);
    // After filing and printing: the record, the file and the printout are
    // there whatever the command does with them.
    RunReceiptCommand(station, faxFile);
    // The error window waits for the user; what the fax's arrival sets off
    // does not wait for it.
    if (!filingError.empty()) {
        // The fax is safe in its file; the user learns why the list lacks it.
        ui_.ShowError("Error Filing Incoming Fax",
                      "The fax was received into " + faxFile + " but could not be added to the list.\n\n" + filingError,
                      false);
    }
}

void ReceiveMode::PrintOnReceipt(const std::string& station, const std::string& faxFile)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    try {
        ui_.PrintReceivedFax(faxFile, ReceiptHeader(station, local, faxFile));
    } catch (const std::exception& e) {
        // Receive mode goes on; the fax stays in its file and in the list.
        Add(std::string("Error printing the received fax: ") + e.what());
    }
}

void ReceiveMode::RunReceiptCommand(const std::string& station, const std::string& faxFile)
{
    const ReceiptCommand command = ReceiptCommandFor(settings_.ReceiptCommand, faxFile, station);
    const std::string subject = "The command run on receipt of " + faxFile;
    if (!command.problem.empty()) {
        Add(subject + " was not run: " + command.problem);
        return;
    }
    if (command.argv.empty())
        return;
    ui_.RunReceiptCommand(command.argv, [this, subject](const std::string& reason) {
        ReceiptCommandFailed(subject + " failed: " + reason);
    });
}

void ReceiveMode::ReceiptCommandFailed(const std::string& line)
{
    Add(line);
    // A command may end after receive mode has stopped and saved its log:
    // the saved log is where the user looks then.
    if (!active_)
        log_.Save(app::ProgramFile("Lastrec.log"));
}

std::string ReceiptHeader(const std::string& station, const std::tm& received, const std::string& faxFile)
{
    std::string name = std::filesystem::path(faxFile).filename().string();
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return "From: " + station + "             Received: " + ShortDate(received) + " " + ShortTime(received) +
           "             Fax File:        " + name;
}

void ReceiveMode::FaxFailed()
{
    receivingNow_ = false;
    const std::string text = lastError_ != 0 ? fax::VlAbstractFax::ErrorText(lastError_) : "Unknown error";
    Add("Receive Failed with error: " + text);
    lastError_ = 0;
    if (!currentFaxFile_.empty()) {
        std::error_code error;
        std::filesystem::remove(currentFaxFile_, error);
        currentFaxFile_.clear();
    }
    ui_.ModeChanged();
    ui_.ShowError("Failed To Receive Incoming Fax",
                  "Vellora failed to receive an incoming fax.\n\nThe error message was:   " + text, false);
}

void ReceiveMode::ErrorEvent(int code)
{
    lastError_ = code;
    Add("Fax error: " + fax::VlAbstractFax::ErrorText(code));
}

void ReceiveMode::FinishEvent(int code)
{
    // The component only ends on its own when the port or modem failed for
    // good; receive mode cannot go on without it.
    if (!active_ || stopping_)
        return;
    const std::string text = fax::VlAbstractFax::ErrorText(code);
    Add("Receive mode ended: " + text);
    Stop();
    ui_.ShowError("Receive Mode Ended", "Receive mode has ended because of an error:   " + text, false);
}

std::string ReceiveMode::Stamp()
{
    return ReceiveLogStamp(LocalNow());
}

void ReceiveMode::SaveLog()
{
    Add("Finish: ");
    log_.Save(app::ProgramFile("Lastrec.log"));
}

void ReceiveMode::HideStartingNotice()
{
    if (!noticeVisible_)
        return;
    ui_.ShowStartingNotice(false, false);
    noticeVisible_ = false;
}

}  // namespace vl::session
