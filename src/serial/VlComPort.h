// The comm port component: the serial port as the rest of the program uses
// it. It holds the port's settings while closed, owns a dispatcher while open
// and applies the settings to it, turns the dispatcher's events into its own
// events on the main thread through a hidden window, and offers a blocking
// wait for a modem reply.
//
// Main thread only. Errors are raised as the EVlException family
// (base/Exceptions.h).
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/MessageWindow.h"
#include "serial/ComPortTypes.h"
#include "serial/TriggerLists.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

inline constexpr int kMaxTraceSize = 4000000;
inline constexpr int kMaxLogSize = 16000000;

class VlComPort {
public:
    using DispatcherFactory = std::function<std::unique_ptr<VlBaseDispatcher>(base::MessageLoop& loop)>;
    // Stands in for the port selection dialog: answers false when cancelled,
    // else true with the chosen number in `comNumber`.
    using PortChooser = std::function<bool(int& comNumber)>;
    // Shows an exception that an event handler raised.
    using ExceptionDisplay = std::function<void(std::exception_ptr error)>;

    // `loop` is the main thread's loop: the port's window lives on it.
    explicit VlComPort(base::MessageLoop& loop);
    // Closes the port when open.
    ~VlComPort();
    VlComPort(const VlComPort&) = delete;
    VlComPort& operator=(const VlComPort&) = delete;

    base::MessageLoop& Loop() const { return loop_; }

    // --- Where the port is ---

    // Only dlWin32 (the termios layer) exists; other values are ignored.
    DeviceLayer GetDeviceLayer() const { return deviceLayer_; }
    void SetDeviceLayer(DeviceLayer layer);
    int ComNumber() const { return comNumber_; }
    // While open the port is closed and opened again on the new number,
    // keeping its triggers, tracing and logging.
    void SetComNumber(int comNumber);
    // A device path that, when not empty, is opened instead of the device
    // that ComNumber stands for (the command line names devices this way).
    const std::string& DevicePath() const { return devicePath_; }
    void SetDevicePath(const std::string& path) { devicePath_ = path; }
    // The settings file whose section "Ports" maps COM numbers to devices.
    const std::string& IniFile() const { return iniFile_; }
    void SetIniFile(const std::string& file) { iniFile_ = file; }
    // The device that opening uses: DevicePath, else what the settings file
    // maps ComNumber to (empty when nothing).
    std::string PortDevice() const;
    bool PromptForPort() const { return promptForPort_; }
    void SetPromptForPort(bool prompt) { promptForPort_ = prompt; }
    void SetPortChooser(PortChooser chooser) { portChooser_ = std::move(chooser); }
    // Makes the dispatcher at open; by default a termios dispatcher.
    void SetDispatcherFactory(DispatcherFactory factory) { dispatcherFactory_ = std::move(factory); }
    TapiMode GetTapiMode() const { return tapiMode_; }
    void SetTapiMode(TapiMode mode) { tapiMode_ = mode; }

    // --- Line ---

    int Baud() const { return baud_; }
    void SetBaud(int baud);
    ComParity Parity() const { return parity_; }
    void SetParity(ComParity parity);
    int DataBits() const { return dataBits_; }
    void SetDataBits(int dataBits);
    int StopBits() const { return stopBits_; }
    void SetStopBits(int stopBits);
    int InSize() const { return inSize_; }
    void SetInSize(int size);
    int OutSize() const { return outSize_; }
    void SetOutSize(int size);
    bool DTR() const { return dtr_; }
    void SetDTR(bool on);
    bool RTS() const { return rts_; }
    void SetRTS(bool on);

    // --- Flow control ---

    unsigned HWFlowOptions() const { return hwFlow_; }
    // Any option set fills in limits that are 0 or out of range: BufferFull
    // 90 % of InSize, BufferResume 10 %. hwfUseRTS and hwfRequireCTS turn
    // RS485Mode off.
    void SetHWFlowOptions(unsigned options);
    SWFlowOptions GetSWFlowOptions() const { return swFlow_; }
    // Like SetHWFlowOptions with 75 % and 25 %.
    void SetSWFlowOptions(SWFlowOptions options);
    char XOnChar() const { return xonChar_; }
    void SetXOnChar(char c);
    char XOffChar() const { return xoffChar_; }
    void SetXOffChar(char c);
    int BufferFull() const { return bufferFull_; }
    // Above InSize: 90 % of the value, and never above 90 % of InSize.
    void SetBufferFull(int level);
    int BufferResume() const { return bufferResume_; }
    // Above BufferFull: 10 % of BufferFull.
    void SetBufferResume(int level);
    bool RS485Mode() const { return rs485_; }
    // On: hwfUseRTS and hwfRequireCTS are dropped and RTS is lowered.
    void SetRS485Mode(bool on);

    // --- Diagnostics ---

    TraceLogState Tracing() const { return tracing_; }
    void SetTracing(TraceLogState state);
    int TraceSize() const { return traceSize_; }
    void SetTraceSize(int entries);
    const std::string& TraceName() const { return traceName_; }
    void SetTraceName(const std::string& name) { traceName_ = name; }
    bool TraceHex() const { return traceHex_; }
    void SetTraceHex(bool hex) { traceHex_ = hex; }
    bool TraceAllHex() const { return traceAllHex_; }
    void SetTraceAllHex(bool allHex) { traceAllHex_ = allHex; }
    TraceLogState Logging() const { return logging_; }
    void SetLogging(TraceLogState state);
    int LogSize() const { return logSize_; }
    void SetLogSize(int bytes);
    const std::string& LogName() const { return logName_; }
    void SetLogName(const std::string& name) { logName_ = name; }
    bool LogHex() const { return logHex_; }
    void SetLogHex(bool hex) { logHex_ = hex; }
    bool LogAllHex() const { return logAllHex_; }
    void SetLogAllHex(bool allHex) { logAllHex_ = allHex; }

    // Kept for settings files; they change nothing on this device layer.
    bool UseMSRShadow() const { return useMsrShadow_; }
    void SetUseMSRShadow(bool use) { useMsrShadow_ = use; }
    bool UseEventWord() const { return useEventWord_; }
    void SetUseEventWord(bool use) { useEventWord_ = use; }
    int CommNotificationLevel() const { return commNotificationLevel_; }
    void SetCommNotificationLevel(int level) { commNotificationLevel_ = level; }

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Data available events come when at least this many bytes are unread
    // (0: none).
    int AvailThreshold() const { return availThreshold_; }
    void SetAvailThreshold(int bytes);
    int ThreadBoost() const { return threadBoost_; }
    void SetThreadBoost(int boost);

    // --- Open state ---

    bool AutoOpen() const { return autoOpen_; }
    void SetAutoOpen(bool autoOpen) { autoOpen_ = autoOpen; }
    bool Open() const { return open_; }
    // True opens (raising on failure, which leaves the port closed); false
    // closes. While a close waits for the dispatcher's threads an open is
    // only recorded and done when the close completes.
    void SetOpen(bool open);
    // Opened and not closing.
    bool IsPortOpen() const { return state_ == State::Open; }

    // The dispatcher of the open port, opening it first when closed and
    // AutoOpen is set; ENotOpen otherwise.
    VlBaseDispatcher& Dispatcher();

    // --- Data ---

    void SendText(const std::string& text);
    bool InputWaiting();
    std::uint8_t TakeByte();
    // A "User" entry in the dispatch log.
    void LogText(const std::string& text);
    // Waits up to `ticks` ticks for `text` among the bytes that arrive,
    // taking them directly (no data events meanwhile) and raising OnWaitChar
    // for each. With `yield` the loop's messages run meanwhile; a quit
    // message among them ends the wait with true, as the program is ending.
    bool AwaitReply(const std::string& text, base::Tick ticks, bool ignoreCase, bool yield);

    // Whether COM`comNumber` (through `iniFile`'s section "Ports") can be
    // opened now. A port another program holds counts only when
    // ShowPortsInUse is on.
    static bool ProbePort(int comNumber, const std::string& iniFile);
    static bool ShowPortsInUse();
    static void SetShowPortsInUse(bool show);

    // --- Events (assigning an OnTrigger* event tells the dispatcher whether
    // the port's window wants events) ---

    void SetOnTrigger(TriggerEvent handler);
    void SetOnTriggerAvail(TriggerAvailEvent handler);
    void SetOnTriggerData(TriggerHandleEvent handler);
    void SetOnTriggerStatus(TriggerHandleEvent handler);
    void SetOnTriggerTimer(TriggerHandleEvent handler);
    void SetOnTriggerLineError(TriggerLineErrorEvent handler);
    void SetOnTriggerModemStatus(NotifyEvent handler);
    void SetOnTriggerOutbuffFree(NotifyEvent handler);
    void SetOnTriggerOutbuffUsed(NotifyEvent handler);
    void SetOnTriggerOutSent(NotifyEvent handler);
    void SetOnWaitChar(WaitCharEvent handler) { onWaitChar_ = std::move(handler); }
    // The port's own notifications, after the watchers are told.
    void SetOnPortOpened(NotifyEvent handler) { onPortOpened_ = std::move(handler); }
    void SetOnPortClosing(NotifyEvent handler) { onPortClosing_ = std::move(handler); }
    // Where exceptions go that arise in event handlers or end one of the
    // port's threads (else the program's exception display shows them).
    void SetExceptionDisplay(ExceptionDisplay display) { exceptionDisplay_ = std::move(display); }

    // --- Port watchers, told in reverse order of registration ---

    void AddWatcherWindow(base::MessageWindow* window);
    void RemoveWatcherWindow(base::MessageWindow* window);
    // Answers an id for RemoveWatcherCallback.
    int AddWatcherCallback(PortWatchCallback callback);
    void RemoveWatcherCallback(int id);
    // Told after the failure has been shown; answers an id for
    // RemoveFailureWatcher.
    int AddFailureWatcher(PortFailureCallback callback);
    void RemoveFailureWatcher(int id);

private:
    enum class State { Closed, Closing, Open };

    struct Watcher {
        base::MessageWindow* window = nullptr;
        PortWatchCallback callback;
        int id = 0;
    };

    // Open and close.
    void DoOpen();
    void OpenDispatcher();
    void ReapplyAll();
    void DoClose();
    void FinishClose();
    void ChooseComNumber();
    void TellWatchers(bool opened);

    // Applying settings to the open port.
    bool Applies() const { return state_ == State::Open; }
    void ApplyHandlerPresence();
    void ApplyHardwareFlow();
    void ApplySoftwareFlow();
    void ApplyLine();
    void ApplyDtr();
    void ApplyRts();
    void ApplyRs485();

    // Events.
    bool WantsEvents() const;
    std::intptr_t OnWindowMessage(const base::WindowMessage& message);
    void RaiseEvent(const base::WindowMessage& message);
    void RaiseStatusEvent(int handle);
    void FinishCloseMessage(const base::WindowMessage& message);
    void ShowException(std::exception_ptr error);
    void PortFailed(std::exception_ptr error);

    base::MessageLoop& loop_;
    base::MessageWindow window_;

    DeviceLayer deviceLayer_ = dlWin32;
    int comNumber_ = 0;
    std::string devicePath_;
    std::string iniFile_;
    int baud_ = 19200;
    bool promptForPort_ = true;
    ComParity parity_ = pNone;
    int dataBits_ = 8;
    int stopBits_ = 1;
    int inSize_ = 4096;
    int outSize_ = 4096;
    bool autoOpen_ = true;
    bool open_ = false;
    bool dtr_ = true;
    bool rts_ = true;
    unsigned hwFlow_ = 0;
    SWFlowOptions swFlow_ = swfNone;
    char xonChar_ = 17;
    char xoffChar_ = 19;
    int bufferFull_ = 0;
    int bufferResume_ = 0;
    TraceLogState tracing_ = tlOff;
    int traceSize_ = 10000;
    std::string traceName_ = "ZERV.TRC";
    bool traceHex_ = true;
    bool traceAllHex_ = false;
    TraceLogState logging_ = tlOff;
    int logSize_ = 10000;
    std::string logName_ = "ZERV.LOG";
    bool logHex_ = true;
    bool logAllHex_ = false;
    bool useMsrShadow_ = true;
    bool useEventWord_ = true;
    int commNotificationLevel_ = 10;
    TapiMode tapiMode_ = tmAuto;
    bool rs485_ = false;
    int tag_ = 0;

    std::unique_ptr<VlBaseDispatcher> dispatcher_;
    State state_ = State::Closed;
    bool reopenRequested_ = false;
    TriggerState savedTriggers_;
    bool restoreTriggers_ = false;
    int availThreshold_ = 1;
    int threadBoost_ = 0;
    std::vector<Watcher> watchers_;
    std::vector<std::pair<int, PortFailureCallback>> failureWatchers_;
    int nextWatcherId_ = 1;

    DispatcherFactory dispatcherFactory_;
    PortChooser portChooser_;
    ExceptionDisplay exceptionDisplay_;

    TriggerEvent onTrigger_;
    TriggerAvailEvent onTriggerAvail_;
    TriggerHandleEvent onTriggerData_;
    TriggerHandleEvent onTriggerStatus_;
    TriggerHandleEvent onTriggerTimer_;
    TriggerLineErrorEvent onTriggerLineError_;
    NotifyEvent onTriggerModemStatus_;
    NotifyEvent onTriggerOutbuffFree_;
    NotifyEvent onTriggerOutbuffUsed_;
    NotifyEvent onTriggerOutSent_;
    WaitCharEvent onWaitChar_;
    NotifyEvent onPortOpened_;
    NotifyEvent onPortClosing_;
};

}  // namespace vl::serial
