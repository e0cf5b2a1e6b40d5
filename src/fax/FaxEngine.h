// The fax engine context: one per send or receive component. It holds the
// session and modem records, talks to the modem on the component's port, and
// runs a state machine (FaxMachine.h) as a method handler of the port's
// dispatcher. It reports to the component window with the messages of
// FaxCodes.h: status, log, error and next-file/name/accept are sent (1000 ms,
// next file 2000 ms); finish is posted.
//
// Threads: the component sets options and calls Start on its main thread
// (the message loop's thread); Start runs the prepare step and the first pass
// there, every later pass runs on the dispatcher thread. Abort, Progress and
// RemoteId may be called from the main thread at any time. While a message
// handler of the component runs (next file, name, accept) the engine waits for
// it, so the handler may call SetNextFax / SetReceiveFileName.
//
// The command layer below (Send*, ResetResponse, Collect, SyncCommand, ...)
// is for the state machines and their prepare steps.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "base/ErrorCodes.h"
#include "base/Ticks.h"
#include "fax/Class1Frames.h"
#include "fax/FaxClassList.h"
#include "fax/FaxMachine.h"
#include "fax/FaxSession.h"
#include "fax/ResponseCollector.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::base {
class MessageWindow;
}

namespace vl::fax {

enum class EngineKind { Sender, Receiver };

// The port's engine slot the context registers in.
inline constexpr int kFaxEngineSlot = 1;

struct FaxProgressInfo {
    int pagesInFile = 0;
    int currentPage = 0;  // sender: 0 while the cover page is sent
    long pageLength = 0;
    long bytes = 0;       // sender: handed to the port minus still waiting
};

// What Collect found.
enum class ResponseKind { None, Line, Frame };

// What a received frame asks of the state machine, after the engine has
// done the shared bookkeeping (remote ID, last FCF, final flag, speeds...).
enum class FrameAction {
    None,          // nothing beyond the bookkeeping
    Disconnect,    // DCN
    Incompatible,  // a DIS that cannot take the current page (-8060)
    Retrain,       // FTT or RTN
};

class FaxEngine : public serial::DispatcherEngine {
public:
    FaxEngine(EngineKind kind, std::string_view stationId, serial::VlBaseDispatcher& port,
              base::MessageWindow* window);
    ~FaxEngine() override;
    FaxEngine(const FaxEngine&) = delete;
    FaxEngine& operator=(const FaxEngine&) = delete;

    // The machine this context runs (set once by CreateSender/CreateReceiver).
    void AttachMachine(std::unique_ptr<FaxMachine> machine);
    FaxMachine* Machine() const { return machine_.get(); }

    EngineKind Kind() const { return kind_; }
    serial::VlBaseDispatcher& Port() const { return port_; }
    base::MessageWindow* Window() const { return window_; }

    // ---- options (set before Start; plain fields are set through the records)
    FaxSession& Session() { return session_; }
    ModemRecord& Modem() { return modem_; }
    SenderOptions& Sender() { return sender_; }
    ReceiverOptions& Receiver() { return receiver_; }
    const FaxSession& Session() const { return session_; }
    const ModemRecord& Modem() const { return modem_; }
    const SenderOptions& Sender() const { return sender_; }
    const ReceiverOptions& Receiver() const { return receiver_; }

    // Options with side effects.
    void SetStationId(std::string_view id);         // cut to 20
    void SetModemInit(std::string_view value);      // ModemInitFrom
    void SetDetectBusy(bool on);                    // rewrites the default init string
    void SetBlindDial(bool on);                     // rewrites the default init string
    void SetPhoneNumber(std::string_view number);   // cut to 40
    void SetDialPrefix(std::string_view prefix);    // cut to 40
    void SetHeaderLine(std::string_view line);      // cut to 255
    // InitBaud also sets NormalBaud (0 = the port's current rate); with
    // switchNow the port goes to the init rate at once.
    void SetInitBaud(int initBaud, int normalBaud, bool switchNow);

    // Answers to the engine's questions, called from the component's handler.
    // Next fax (kMsgNextFile): phone number, fax file (may be empty), cover
    // file (may be empty); names are kept as given (Linux names have case).
    void SetNextFax(std::string_view phone, std::string_view faxFile, std::string_view coverFile);
    // Receive file name (kMsgName).
    void SetReceiveFileName(std::string_view name);
    const std::string& ReceiveFileName() const { return receiveName_; }

    // ---- entry points
    // Adds the triggers, registers with the port, prepares and runs the first
    // pass. 0, or the error that ended the session at once (the finish
    // message is posted either way).
    int Start();
    // User abort, honoured at the next pass (queued as an event).
    void Abort();
    // Ends the session with `code` because the port stopped working (one of
    // its threads failed): the error, the last status and the finish go out
    // as for any failed session. Main thread.
    void EndAfterPortFailure(int code);
    bool Running() const { return registered_.load(); }
    // The session's abort came from the user (Abort), not from an error.
    bool UserAborted() const { return userAborted_; }
    FaxProgressInfo Progress() const;
    // The sending-cover flag, kept where Progress can read it safely.
    void SetSendingCover(bool on) { session_.sendingCover = on; sendingCoverNow_ = on; }
    std::string RemoteId() const;
    void SetRemoteId(std::string_view id);  // cut to 20
    // Runs "AT+FCLASS=?" synchronously (no reset); not while a session runs.
    FaxClassSupport QueryModemClasses();

    // ---- command layer
    // 100 ms pause, the text and CR, then ResetResponse. 0 or the port's error.
    int SendCommand(std::string_view command);
    // The same with the 40 ms in-call pause.
    int SendInCallCommand(std::string_view command);
    // "AT+FRH=3" (in-call; another modulation for error correction's frames
    // at page speed); the CONNECT that answers it switches the collector to
    // the frame, and Collect reports the frame, then the "OK" line.
    int ReceiveFrame(std::string_view modulation = "3");
    // The next "CONNECT" starts a frame (after dialling a Class 1 call, the
    // modem answers the remote's first frames as it does "AT+FRH=3").
    void AwaitFrame();
    // Raw bytes (a frame from Class1Frames, "+++", one blank): no CR, no reset.
    int SendRaw(std::span<const std::uint8_t> bytes);
    int SendRaw(std::string_view text);
    // A frame built by Class1Frames after the 20 ms pause.
    int SendFrame(std::span<const std::uint8_t> frameBytes);
    // Empties the collector, arms the timeout trigger and the response timer
    // with the response timeout.
    void ResetResponse();
    // Feeds waiting port bytes to the collector until a line or frame is
    // complete (None when the port ran dry). A frame has been applied
    // (ApplyFrame) when Frame is answered; its action is LastFrameAction().
    ResponseKind Collect();
    const std::string& Response() const { return collector_.Line(); }
    FrameAction LastFrameAction() const { return frameAction_; }
    ResponseCollector& Collector() { return collector_; }
    // The last frame Collect reported.
    const HdlcFrame& LastFrame() const { return lastFrame_; }
    // Shared frame bookkeeping (Collect calls it).
    FrameAction ApplyFrame(const HdlcFrame& frame);

    // Synchronous command (prepare steps): dispatching is held, echo skipped,
    // "OK" succeeds, "ERROR" or the response timeout fails, an information
    // line is kept (SyncInfo) and needs one more line.
    bool SyncCommand(std::string_view command);
    const std::string& SyncInfo() const { return syncInfo_; }
    // ModemInit (when set) and the default init string, once per session.
    bool InitModem();
    // Class detection: reset (default init, twice at most), "AT+FCLASS=?".
    // Sets Session().faxClass; false (and kClassUnknown) when none.
    bool DetectFaxClass();
    // "AT+FCLASS=1" then "AT+FTM=?" (sender) or "AT+FRM=?" (receiver):
    // fills Modem().localSpeeds and speedIndex (receiver: at most DesiredBPS).
    bool DetermineLocalSpeeds();
    // The codings our DIS offers and our DCS may choose, from DesiredCoding.
    CodingCaps Class1CodingCaps() const;
    // The port's speed for a session (NormalBaud) and between sessions
    // (InitBaud); both are the command speed, 19200 bit/s, when InitBaud is 0.
    void SwitchToNormalBaud();
    void SwitchToInitBaud();
    void HangUpSender();
    void HangUpReceiver();
    void DropDtr();

    // Pauses; on the main thread they pump window messages.
    void PauseMs(int milliseconds);
    void PauseTicks(base::Tick ticks);

    // ---- triggers
    void SetTimeout(base::Tick ticks);  // the timeout trigger
    void StopTimeout();
    void ArmOutputFree(unsigned bytes);
    void ArmOutputUsed(unsigned count);
    void ArmStatusTimer();
    // Response timer (started by ResetResponse).
    void StartResponseTimer(base::Tick ticks);
    bool ResponseTimerExpired() const;

    // ---- reports to the component
    void SetProgress(int code);         // also sets statusPending
    void SendStatus(unsigned flags);    // kStatusFirst / kStatusLast
    void RecordError(int code, bool notify = true);
    void SendLog(int logCode);
    std::intptr_t Ask(std::uint32_t message, std::chrono::milliseconds timeout);
    // Removes the triggers, deregisters, clears prepared, logs "ErrorCode:"
    // and posts kMsgFinish with the last error.
    void Finish();

    // The dispatcher's entry (a MethodHandler with this context as user data).
    static void OnPortEvent(void* self, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
    // One event through the invocation rules: status (statusTimer = the
    // event was the status timer), a pending abort, then the passes.
    void Dispatch(FaxEvent event, bool statusTimer);

private:
    bool AddTriggers();
    void RemoveTriggers();
    void RunPasses(FaxEvent event);
    void Route(std::uint32_t msg, std::uintptr_t wParam);  // an event to Dispatch
    int SendLine(std::string_view command, int pauseMs);
    void SwitchBaud(int baud);

    EngineKind kind_;
    serial::VlBaseDispatcher& port_;
    base::MessageWindow* window_;
    std::unique_ptr<FaxMachine> machine_;

    FaxSession session_;
    ModemRecord modem_;
    SenderOptions sender_;
    ReceiverOptions receiver_;

    mutable std::mutex remoteIdLock_;
    std::string remoteId_;
    std::string receiveName_;

    ResponseCollector collector_;
    FrameAction frameAction_ = FrameAction::None;
    HdlcFrame lastFrame_;
    bool awaitingFrame_ = false;
    bool pageSpeedFrames_ = false;  // the frame asked for comes at page speed
    std::string syncInfo_;
    base::EventTimer responseTimer_;

    int statusTimer_ = 0;
    int timeoutTimer_ = 0;
    int outputFree_ = 0;
    int outputUsed_ = 0;
    std::atomic<int> wakeTrigger_{0};  // output free >= 0: wakes the dispatcher for Abort
    std::atomic<bool> registered_{false};
    std::atomic<bool> abortRequested_{false};
    std::atomic<int> inFlight_{0};  // dispatcher calls inside OnPortEvent
    bool userAborted_ = false;
    std::atomic<bool> sendingCoverNow_{false};  // mirrors sendingCover for Progress
    std::mutex passLock_;  // one pass at a time (main-thread first pass vs dispatcher)
};

// Contexts with their machine attached. CreateSender is built with the send
// machine (SendMachine.cpp), CreateReceiver with the receive machine.
std::unique_ptr<FaxEngine> CreateSender(std::string_view stationId, serial::VlBaseDispatcher& port,
                                        base::MessageWindow* window);
std::unique_ptr<FaxEngine> CreateReceiver(std::string_view stationId, serial::VlBaseDispatcher& port,
                                          base::MessageWindow* window);

}  // namespace vl::fax
