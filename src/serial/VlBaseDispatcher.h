// The port dispatcher: owns one open serial device, moves bytes between it
// and two rings on three threads (comm, dispatcher, output), watches the line
// and modem signals and turns what happens into trigger events that it hands
// to the registered handlers.
//
// Threads and locks. Procedure handlers and method handlers run on the
// dispatcher thread; window handlers and method handlers marked so run on the
// main thread (the loop given at construction) through a blocking send with a
// 3000 ms time-out. Three locks: the input lock (input ring, peek-dispatch
// counters) is outermost and may enclose either of the other two; the output
// lock (output ring) and the dispatcher lock (lists, settings, status, trace,
// log, dispatch flags) are never held together. No lock is held while a
// handler runs, so handlers may read, write, change triggers and even close
// the port (the close then completes after the handler returns).
//
// Every operation answers 0 (or a count, a byte, a handle) or a negative code
// from base/ErrorCodes.h; none throws.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/Ticks.h"
#include "serial/DispatchLog.h"
#include "serial/HandlerLists.h"
#include "serial/InputRing.h"
#include "serial/Lockstep.h"
#include "serial/OutputRing.h"
#include "serial/SerialDevice.h"
#include "serial/TraceBuffer.h"
#include "serial/TriggerLists.h"

namespace vl::base {
class MessageLoop;
class MessageWindow;
struct WindowMessage;
}  // namespace vl::base

namespace vl::serial {

// Event messages: wParam and the lParam low word as noted; the lParam high
// word is the dispatcher's handle.
inline constexpr std::uint32_t kTriggerAvailMsg = 0x7E01;   // wParam: unread bytes
inline constexpr std::uint32_t kTriggerDataMsg = 0x7E02;    // wParam: handle; low: match length
inline constexpr std::uint32_t kTriggerTimerMsg = 0x7E03;   // wParam: handle
inline constexpr std::uint32_t kTriggerStatusMsg = 0x7E04;  // wParam: handle; low: count (types 3, 4)

constexpr std::intptr_t EventLParam(int dispatcherHandle, int low)
{
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(dispatcherHandle) << 16) |
                                      (static_cast<std::uint32_t>(low) & 0xFFFF));
}
constexpr int EventDispatcherHandle(std::intptr_t lParam)
{
    return static_cast<int>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFFFF);
}
constexpr int EventLowWord(std::intptr_t lParam)
{
    return static_cast<int>(static_cast<std::uint32_t>(lParam) & 0xFFFF);
}

// How long a window (or main-thread method) handler may take before the
// dispatcher thread goes on without its answer.
inline constexpr std::chrono::milliseconds kHandlerSendTimeout{3000};

// OpenDevicePort options.
inline constexpr unsigned kOpenDtrOn = 0x01;
inline constexpr unsigned kOpenRtsOn = 0x02;
inline constexpr unsigned kOpenLeaveDtr = 0x10;  // DTR is left as the device has it
inline constexpr unsigned kOpenLeaveRts = 0x20;

// SetLineParams arguments that leave a setting unchanged.
inline constexpr int kBaudUnchanged = 0;
inline constexpr int kParityUnchanged = 5;  // parity is 0..4 as the Parity enum
inline constexpr int kDataBitsUnchanged = 9;
inline constexpr int kStopBitsUnchanged = 3;

// SetHardwareFlow options.
inline constexpr unsigned hfUseDtr = 1;
inline constexpr unsigned hfUseRts = 2;
inline constexpr unsigned hfRequireDsr = 4;
inline constexpr unsigned hfRequireCts = 8;
// SetSoftwareFlow options.
inline constexpr unsigned sfTransmit = 1;
inline constexpr unsigned sfReceive = 2;

// Delta bits, the low nibble of the modem status byte.
inline constexpr std::uint8_t mdDeltaCts = 1;
inline constexpr std::uint8_t mdDeltaDsr = 2;
inline constexpr std::uint8_t mdTrailingRing = 4;  // a ring was seen
inline constexpr std::uint8_t mdDeltaDcd = 8;

// TakeLineError answers.
inline constexpr int lcNone = 0;
inline constexpr int lcReceiveOverrun = 1;
inline constexpr int lcOverrun = 2;
inline constexpr int lcParity = 3;
inline constexpr int lcFraming = 4;
inline constexpr int lcBreak = 9;

struct LineParams {
    int baud = 0;
    int parity = 0;  // 0..4 as the Parity enum
    int dataBits = 0;
    int stopBits = 0;  // 1 or 2
};

struct FlowSettings {
    unsigned hardwareOptions = 0;  // hf* bits
    unsigned softwareOptions = 0;  // sf* bits
    int bufferFull = 0;
    int bufferResume = 0;
    std::uint8_t xonChar = 17;
    std::uint8_t xoffChar = 19;
};

// What a protocol engine registers in an engine slot; the dispatcher only
// keeps the pointer.
class DispatcherEngine {
public:
    virtual ~DispatcherEngine() = default;
};

class VlBaseDispatcher {
public:
    // `mainLoop` is the main thread's loop: window handlers and main-thread
    // method handlers run there. The dispatcher takes a registry slot now.
    VlBaseDispatcher(std::unique_ptr<SerialDevice> device, base::MessageLoop& mainLoop);
    // Closes the port (completing a deferred close) and frees the slot.
    // Main thread.
    ~VlBaseDispatcher();
    VlBaseDispatcher(const VlBaseDispatcher&) = delete;
    VlBaseDispatcher& operator=(const VlBaseDispatcher&) = delete;

    int Handle() const { return handle_; }
    void SetOwner(void* owner) { owner_ = owner; }
    void* Owner() const { return owner_; }

    // --- Setup and teardown (main thread) ---

    // Opens `portName` (a device path), allocates the rings (8192 bytes in,
    // `outQue` out), applies DTR and RTS from the kOpen* options, sets the
    // line and starts the threads. ecPortAlreadyOpen when open; ecBadArgument
    // for queue sizes below 1; else the device's code (ecOutOfMemory, negated system errors, ...).
    // On failure nothing stays open.
    int OpenDevicePort(const std::string& portName, int baud, int parity, int dataBits,
                       int stopBits, int inQue, int outQue, unsigned options);
    // Stops the threads, purges, closes the device and frees the rings. While
    // an event is being dispatched (a handler closing the port, or any close
    // meanwhile) the close is only requested:
    // ClosePending turns true, the dispatcher thread stops dispatching and all
    // three threads end after the handler returns (ThreadsAlive reaches 0);
    // then CloseDevicePort again, or destruction, completes it.
    int CloseDevicePort();
    bool IsOpen() const { return open_.load(); }
    bool ClosePending() const { return closeDeferred_.load(); }

    // ecComponentBusy when the threads run; ecPortNotOpen while closed.
    int StartThreads();
    // Ends the threads, running the main loop's pending messages while it
    // waits so that a thread blocked in a send to the main thread can finish.
    // From a handler it only tells the threads to end once the handler returns.
    void StopThreads();
    // Threads started and not yet ended.
    int ThreadsAlive() const { return threadsAlive_.load(); }
    // Waits until ThreadsAlive is 0; false when `timeout` passed first.
    bool WaitThreadsEnded(std::chrono::milliseconds timeout);

    // --- Line and signals ---

    // Any argument may be unchanged (kBaudUnchanged, ...). Stop bits 0 count
    // as 1 and above 3 as 2. When anything changes, queued output is drained
    // first (at most 10 s) and then the line is left quiet for about 18
    // characters' time.
    int SetLineParams(int baud, int parity, int dataBits, int stopBits);
    LineParams GetLineParams();
    // Answer 1 when the line is left alone (handshake or open option);
    // ecBadArgument when the device refuses.
    int SetDtrState(bool on);
    int SetRtsState(bool on);

    // Reads the signals into the high nibble, answers the whole status byte
    // and then clears the delta bits in `clearMask`.
    std::uint8_t ReadModemStatus(std::uint8_t clearMask = 0x0F);
    // One signal (an ms* bit) as last read from the device.
    bool CheckSignal(std::uint8_t signal);
    // One delta bit (md*), cleared by reading.
    bool CheckDelta(std::uint8_t delta);
    // The highest-priority accumulated error (lc*), clearing the four error bits.
    int TakeLineError();
    // Whether a break was seen, clearing it.
    bool TakeBreak();

    // Limits: full ≥ resume and full ≤ InQue, else ecBadArgument.
    int SetHardwareFlow(int bufferFull, int bufferResume, unsigned options);
    int SetSoftwareFlow(int bufferFull, int bufferResume, unsigned options);
    int ClearSoftwareFlow();
    int SetXonXoffChars(std::uint8_t xon, std::uint8_t xoff);
    FlowSettings GetFlowSettings();

    // RS-485: the device raises RTS while it transmits (its RTS toggle mode);
    // RTS is then left alone by SetRtsState.
    int SetRs485Mode(bool on);
    bool Rs485Mode();
    // Thread priority boost: each step is one nice level higher (lower nice
    // value); the output thread gets one step more in RS-485 mode. Raising
    // priority needs the right to; without it the threads keep their level.
    void SetPriorityBoost(int boost);
    int PriorityBoost();

    // --- Data (any thread) ---

    // ecOutputBufferTooSmall when the block does not fit (nothing queued);
    // a block that fills the ring exactly marks it full. A count of 0 does
    // nothing. ecPortNotOpen while closed.
    int WriteByte(std::uint8_t byte);
    int WriteText(std::string_view text);
    int WriteBlock(std::span<const std::uint8_t> bytes);

    // While a data event is dispatched, reads are read-ahead: the bytes stay
    // in the ring, each handler sees them all, and afterwards the ring drops
    // as many as the handler that read most read.
    bool HasInput();
    // The `n`th unread byte (from 1), or ecBufferEmpty.
    int PeekByte(int n);
    // The next byte, or ecBufferEmpty.
    int ReadByte();
    int InputUsed();
    int InputFree();
    int OutputUsed();
    int OutputFree();
    int InQue() const { return inQue_; }
    int OutQue() const { return outQue_; }
    // Drops unread input (during a data event: all of it counts as read).
    int DiscardInput();
    // Abandons the output thread's pending write and drops queued output.
    int DiscardOutput();

    // --- Triggers ---

    // 0 = no data available events; n = one when at least n bytes are unread.
    void SetAvailThreshold(int bytes);
    int AvailThreshold();
    int NewTimerTrigger();
    int ArmTimerTrigger(int handle, base::Tick ticks, bool activate);
    // Type stModemStatus..stOutputSent, else ecBadArgument.
    int NewStatusTrigger(int type);
    int ArmStatusTrigger(int handle, unsigned value, bool activate);
    int DeleteTrigger(int handle);
    void SaveTriggerState(TriggerState& holder);
    void RestoreTriggerState(const TriggerState& holder);

    // --- Handlers ---

    // The first window added is the owner's own: when it is the only window
    // it gets events only after SetWindowHandlerWanted(true).
    void AddWindowHandler(base::MessageWindow* window);
    void RemoveWindowHandler(base::MessageWindow* window);
    void AddProcedureHandler(ProcedureHandler procedure);
    void RemoveProcedureHandler(ProcedureHandler procedure);
    void AddMethodHandler(MethodHandler method, void* userData, bool runOnMainThread);
    void RemoveMethodHandler(MethodHandler method, void* userData);
    void SetWindowHandlerWanted(bool wanted);
    bool HandlersPresent();

    // Whether an event is being dispatched now, or dispatching is held.
    bool Dispatching();
    // Holds (true) or releases dispatching, for a caller that reads the input
    // itself meanwhile; bytes read then are removed at once. Answers the
    // previous hold, to be given back when done.
    bool SetDispatching(bool hold);

    // Slots 1..3; ecBadArgument (or nullptr) for others.
    int AttachEngine(int slot, DispatcherEngine* engine);
    DispatcherEngine* EngineAt(int slot);

    // --- Diagnostics ---

    // Up to kMaxTraceEntries, else ecBadArgument; restarting empties it.
    int StartTrace(std::size_t entries);
    void PauseTrace();
    void ResumeTrace();
    void ClearTrace();
    void StopTrace();
    bool TraceStarted();
    // Writes the trace to `file` and ends it.
    int WriteTrace(const std::string& file, bool append, bool hex, bool allHex);

    int StartDispatchLog(std::size_t bytes);
    void PauseDispatchLog();
    void ResumeDispatchLog();
    void ClearDispatchLog();
    void StopDispatchLog();
    bool DispatchLogStarted();
    int WriteDispatchLog(const std::string& file, bool append, bool hex, bool allHex);
    void LogUserText(std::string_view text);
    // An entry of the caller's own (the fax engine logs its states this way).
    void LogEntry(LogKind kind, std::uint8_t subkind, std::uint32_t data,
                  std::span<const std::uint8_t> bytes = {});
    void SetEngineSubkindNames(std::vector<std::string> names);

    // The first failure that ended one of the threads ("" when none). A
    // failed dispatcher thread dispatches nothing more; the port can still
    // be closed.
    std::string ThreadFailure();

    // Where exceptions go that no caller can take: one that ended a thread
    // (handed over on the main thread once the loop runs) and one raised by a
    // handler run on the main thread. Without a handler they go to the
    // program's exception display. Main thread.
    using FailureHandler = std::function<void(std::exception_ptr error)>;
    void SetFailureHandler(FailureHandler handler) { failureHandler_ = std::move(handler); }

private:
    enum ThreadId { kCommThread, kDispatchThread, kOutputThread, kThreadCount };

    // Our own window's messages: a call carried to the main thread, and the
    // news that a thread has failed.
    static constexpr std::uint32_t kMainThreadCallMsg = 0x7E20;
    static constexpr std::uint32_t kThreadFailedMsg = 0x7E21;

    // Threads.
    void RunThread(ThreadId id);
    void CommThreadBody();
    void DispatchThreadBody();
    void OutputThreadBody();
    void WaitThreadEnd(ThreadId id);
    void AcknowledgeFlush(std::unique_lock<std::mutex>& outputGuard);
    void WakeThreadsToStop();
    void ApplyPriority(ThreadId id);
    void NoteThreadFailure(ThreadId id, std::exception_ptr error);
    void ReportFailure(std::exception_ptr error);

    // Dispatcher thread work.
    void HandleDeviceEvents(std::uint32_t events);
    void ReadInput();
    void RunStatusAndAvail();
    bool RunStatusTriggers();
    bool RunTimerTriggers();
    // Answers true when the event was dispatched and nothing offered was left.
    bool ScanAvail();
    // Answers the most bytes a handler read ahead (data events), or -1 when
    // the event could not be dispatched.
    long Dispatch(std::uint32_t msg, std::uintptr_t wParam, int lowWord);
    // Leaves the dispatch: drops the bytes read ahead and frees handlers
    // removed meanwhile. Answers the bytes dropped.
    long EndDispatch(bool peek);
    void CallHandler(const HandlerCall& call, std::uint32_t msg, std::uintptr_t wParam,
                     std::intptr_t lParam);
    std::intptr_t OnMainWindowMessage(const base::WindowMessage& message);
    std::intptr_t RunMainThreadCall(std::uintptr_t sequence);
    StatusInputs CurrentStatusInputs();
    void RefreshModemStatusLocked();

    // Settings.
    void ApplyDtrRts(LineSettings& settings) const;
    int ReadSettings(LineSettings& settings);
    // Reads the settings, lets `change` alter them and writes them back with
    // DTR and RTS as set, under the dispatcher lock.
    template <typename Change>
    int ChangeSettings(Change change);
    int CheckFlowLimits(int bufferFull, int bufferResume) const;
    void ApplyFraming(LineSettings& settings, int baud, int parity, int dataBits, int stopBits) const;
    void DrainOutput();
    void FinishClose();
    void Log(LogKind kind, LogSubkind subkind, std::uint32_t data,
             std::span<const std::uint8_t> bytes = {});

    std::unique_ptr<SerialDevice> device_;
    base::MessageLoop& mainLoop_;
    int handle_ = -1;
    void* owner_ = nullptr;

    std::mutex inputLock_;
    std::mutex outputLock_;
    std::mutex dispatcherLock_;

    // Input lock.
    InputRing input_;
    bool peeking_ = false;
    std::size_t readAhead_ = 0;     // of the handler running now
    std::size_t maxReadAhead_ = 0;  // of all handlers so far
    std::size_t peekFloor_ = 0;     // where each handler starts (past discarded input)

    // Output lock.
    OutputRing output_;
    std::condition_variable outputSignal_;
    bool outputReady_ = false;
    bool flushRequested_ = false;
    bool flushAcknowledged_ = false;
    std::condition_variable flushDone_;

    // Dispatcher lock.
    TriggerLists triggers_;
    HandlerLists handlers_;
    TraceBuffer trace_;
    DispatchLog log_;
    std::uint8_t modemStatus_ = 0;
    std::uint8_t lineErrors_ = 0;
    bool outputSent_ = false;
    bool dispatching_ = false;
    bool dispatchHeld_ = false;
    bool removalDeferred_ = false;
    bool dtrOn_ = false;
    bool rtsOn_ = false;
    bool leaveDtr_ = false;
    bool leaveRts_ = false;
    bool rs485_ = false;
    int boost_ = 0;
    std::uint64_t lastAvailPosition_ = 0;
    int baseNice_ = 0;
    std::array<DispatcherEngine*, 3> engines_{};
    std::string threadFailure_;
    std::exception_ptr threadFailureError_;
    FailureHandler failureHandler_;  // main thread

    // Calls on the main thread (windows, marked methods): the one the
    // dispatcher thread waits for.
    std::mutex mainCallLock_;
    std::uintptr_t mainCallSequence_ = 0;
    std::optional<HandlerCall> mainCall_;
    std::uint32_t mainCallMsg_ = 0;
    std::uintptr_t mainCallWParam_ = 0;
    std::intptr_t mainCallLParam_ = 0;
    std::unique_ptr<base::MessageWindow> mainWindow_;

    int inQue_ = 0;
    int outQue_ = 0;
    std::atomic<bool> open_{false};
    std::atomic<bool> stop_{false};
    std::atomic<bool> closeDeferred_{false};
    std::atomic<bool> ringSeen_{false};
    std::atomic<int> threadsAlive_{0};
    std::array<std::thread, kThreadCount> threads_;
    std::array<std::atomic<bool>, kThreadCount> running_{};
    std::array<bool, kThreadCount> started_{};  // lifeLock_: reported in since the last start
    std::array<std::atomic<int>, kThreadCount> threadIds_{};
    std::mutex lifeLock_;
    std::condition_variable lifeChanged_;
    Lockstep lockstep_;
};

}  // namespace vl::serial
