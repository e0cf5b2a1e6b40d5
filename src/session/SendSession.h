// The send session behind the "Send Fax" window: opens the port, checks the
// modem, sends the reset string, configures the send fax component from the
// settings and the window's fields, starts the transmission, and on the
// finish event closes the port and tells the user the outcome. Every step is
// written to a session log saved as Lastsend.log in the program folder; with
// logging on, the port's dispatch log goes to VLOUT.LOG.
//
// Main thread only. The window shows what comes through SessionUi and
// StatusModel and reads the result text when the session has finished.
#pragma once

#include <functional>
#include <string>

#include "app/Settings.h"
#include "base/MessageWindow.h"
#include "fax/FaxStatusModel.h"
#include "fax/VlSendFax.h"
#include "serial/VlComPort.h"
#include "session/SessionLog.h"
#include "session/SessionUi.h"

namespace vl::session {

class SendSession {
public:
    SendSession(base::MessageLoop& loop, app::Settings& settings, SessionUi& ui);
    SendSession(const SendSession&) = delete;
    SendSession& operator=(const SendSession&) = delete;

    // The body file and, when the fax has one, the cover file (sent first).
    std::string FirstFile, SecondFile;
    std::string PhoneNumber, DialPrefix, DialSuffix;
    bool DisablePrefix = false, DisableSuffix = false;

    // "&Send Fax Now". A blank number, or one the outgoing record could not
    // keep, is refused with a message; while a session runs it only beeps.
    void Send();
    // The message that refuses the number field's text, or empty when a fax
    // can be sent to it.
    static std::string NumberProblem(const std::string& phoneNumber);
    // From the start of Send until the session ends or fails.
    bool Busy() const { return busy_; }
    // The window's status panel shows while the port is opened and the modem
    // checked; the fax status window takes over during the transmission.
    bool StatusPanelVisible() const { return statusPanelVisible_; }
    // Empty until a session finishes; then "Sent" or the error text.
    const std::string& ResultText() const { return resultText_; }
    // The finish code of the last failed transmission (0 when none).
    int LastSendError() const { return lastSendError_; }

    bool Logging() const { return logging_; }
    // Ctrl+Shift+Z: switches logging and answers the message to show.
    std::string ToggleLogging();
    // Closing the window: refused with a beep while busy.
    bool RequestClose();

    fax::FaxStatusModel& StatusModel() { return statusModel_; }
    // After every status event of the component (the status model is fresh).
    std::function<void()> OnStatusChanged;
    // When a started session has ended, after the user was told the outcome.
    std::function<void(int code)> OnFinished;

    const SessionLog& Log() const { return log_; }
    fax::VlSendFax& Fax() { return fax_; }
    serial::VlComPort& Port() { return port_; }

    // Sets up the component from the settings and the fields without
    // starting it: files, end-of-document choice, number, dialling, class,
    // init string and header. Raises what the component raises.
    void ConfigureFax();

    // The component's events; the component raises them on the main thread.
    void FaxStatus(int progressCode);
    void FaxFinished(int code);

private:
    void Trace(const std::string& text);
    void ShowFaxFailure(const std::string& errorText);
    void SetBusy(bool busy);
    void ClosePort();
    void SaveLog();
    bool OpenThePort(int comNumber);
    bool CheckTheModem();
    bool SendResetString();
    void LogSessionSettings(const std::string& number);
    void StartFax();

    base::MessageLoop& loop_;
    app::Settings& settings_;
    SessionUi& ui_;
    // The component links to the port and the status model: they outlive it.
    serial::VlComPort port_;
    fax::FaxStatusModel statusModel_;
    fax::VlSendFax fax_;
    SessionLog log_;
    bool busy_ = false;
    bool statusPanelVisible_ = false;
    bool logging_ = false;
    std::string resultText_;
    int lastSendError_ = 0;
};

}  // namespace vl::session
