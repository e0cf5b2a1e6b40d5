// Receive mode: the main window's fax answering machine. Start opens the
// port, checks the modem, sends the reset string, configures the receive fax
// component from the settings and waits for calls; each fax that arrives is
// handed to the window to file, announced with the chosen sound, logged,
// and then handed to the command set to run on each fax received.
// The receive log is saved as Lastrec.log in the program folder when receive
// mode starts unsuccessfully or stops; with logging on, the port's trace goes
// to VLIN.LOG.
//
// Main thread only.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "base/MessageWindow.h"
#include "fax/FaxProgressValues.h"
#include "fax/VlReceiveFax.h"
#include "serial/VlComPort.h"
#include "session/SessionLog.h"
#include "session/SessionUi.h"
#include "store/FaxRecordWriters.h"

namespace vl::session {

// Where the port's trace goes in logging mode: ProgramFolder() + "VLIN.LOG".
std::string ReceiveTraceFileName();

class ReceiveModeUi : public SessionUi {
public:
    // The "receive mode is starting" notice: hidden, showing its wait panel,
    // or (ready) its panel saying that receive mode is on.
    virtual void ShowStartingNotice(bool visible, bool ready) = 0;
    // Shows the incoming fax list.
    virtual void SwitchToIncoming() = 0;
    // Active or ReceivingNow changed: the buttons and menu items follow.
    virtual void ModeChanged() = 0;
    // Appends the incoming record for a received fax.
    virtual void FileReceivedFax(const store::ReceivedFax& fax) = 0;
    // Tells the desktop that a fax has arrived, without waiting for it.
    virtual void AnnounceReceivedFax(const std::string& station, int pages, const std::string& faxFile) = 0;
    // Plays a sound file without waiting for it.
    virtual void PlaySound(const std::string& file) = 0;
    // Prints a received fax on the receipt printer, one page to a sheet, with
    // the header text over each page when the print options ask for one.
    // Throws what printing throws.
    virtual void PrintReceivedFax(const std::string& faxFile, const std::string& header) = 0;
    // Starts the command run on receipt (argv[0] looked up in PATH, no
    // shell) and returns at once, without waiting for it to end. `failed`
    // is called later on the main thread, with the reason, when it could not
    // be started, failed, or was stopped at its time limit.
    virtual void RunReceiptCommand(const std::vector<std::string>& argv,
                                   std::function<void(const std::string& reason)> failed) = 0;
};

// The header line over a received fax printed on receipt.
std::string ReceiptHeader(const std::string& station, const std::tm& received, const std::string& faxFile);

class ReceiveMode {
public:
    ReceiveMode(base::MessageLoop& loop, app::Settings& settings, ReceiveModeUi& ui);
    ReceiveMode(const ReceiveMode&) = delete;
    ReceiveMode& operator=(const ReceiveMode&) = delete;

    // Starts receive mode, with the port's trace when `logging`; true when it
    // is on. Every failure is shown to the user and leaves it off.
    bool Start(bool logging);
    // Ends receive mode (nothing happens when it is off).
    void Stop();

    bool Active() const { return active_; }
    // From the moment it waits for calls (the end of a successful Start)
    // until Stop: the window offers STOP only then, not while Start still
    // probes the modem.
    bool Started() const { return started_; }
    // From a call's acceptance until the fax is filed or has failed.
    bool ReceivingNow() const { return receivingNow_; }
    bool Logging() const { return logging_; }
    const SessionLog& Log() const { return log_; }
    fax::VlReceiveFax& Fax() { return fax_; }
    serial::VlComPort& Port() { return port_; }

    // The component's events, which it raises on the main thread.
    void AcceptEvent();
    void StatusEvent(const fax::FaxProgressValues& values, bool first, bool last);
    void LogEvent(int logCode, const std::string& faxFile, const fax::FaxProgressValues& values);
    void ErrorEvent(int code);
    void FinishEvent(int code);

private:
    void Add(const std::string& text) { log_.Add(text, Stamp()); }
    void AddPlain(const std::string& text) { log_.Add(text); }
    static std::string Stamp();
    void SaveLog();
    void HideStartingNotice();
    void Abandon();
    bool OpenThePort();
    bool CheckTheModem();
    bool SendResetString();
    void StartWaiting();
    void LogConfig();
    // By value: the name may be the current file, which this clears.
    void FaxReceived(std::string faxFile, const fax::FaxProgressValues& values);
    void FaxFailed();
    void PrintOnReceipt(const std::string& station, const std::string& faxFile);
    void RunReceiptCommand(const std::string& station, const std::string& faxFile);
    void ReceiptCommandFailed(const std::string& line);
    void WaitForCancel();

    base::MessageLoop& loop_;
    app::Settings& settings_;
    ReceiveModeUi& ui_;
    // The component links to the port: it outlives it.
    serial::VlComPort port_;
    fax::VlReceiveFax fax_;
    SessionLog log_;
    bool active_ = false;
    bool started_ = false;
    bool stopping_ = false;
    bool receivingNow_ = false;
    bool logging_ = false;
    bool noticeVisible_ = false;
    int lastError_ = 0;
    int pageCounter_ = 0;
    int lastStatus_ = 0;
    std::string currentFaxFile_;
};

}  // namespace vl::session
