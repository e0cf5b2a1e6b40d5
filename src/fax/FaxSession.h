// The records one fax engine context keeps for a session: the session record
// shared by sender and receiver, the modem record (dialling, speeds, Class 1
// negotiation, response timing), and the options only a sender or only a
// receiver uses. Plain data with the engine's defaults; the engine and its
// state machines read and write them on the dispatcher thread while a session
// runs, the component sets them before Start.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "base/Ticks.h"
#include "fax/Class1Speeds.h"
#include "fax/Class2Vocabulary.h"
#include "fax/FaxCodes.h"
#include "fax/SessionParams.h"
#include "gfx/TextDrawing.h"

namespace vl::fax {

// Option flag bits (FaxSession::flags).
inline constexpr unsigned kFlagAbortNoConnect = 1;
inline constexpr unsigned kFlagExitOnError = 2;
inline constexpr unsigned kFlagSoftwareFlow = 8;

inline constexpr int kStationIdMax = 20;
inline constexpr int kPhoneNumberMax = 40;
inline constexpr int kDialPrefixMax = 40;

// Fixed pauses and limits of the modem dialogue.
inline constexpr int kCommandPauseMs = 100;     // before an ordinary command
inline constexpr int kInCallPauseMs = 40;       // before AT+FRH=3, AT+FTH=3, AT+FTM=, AT+FRM=
inline constexpr int kExtraPauseMs = 200;       // before some Class 1 commands
inline constexpr int kPostPagePauseMs = 500;    // before AT+FTH=3 at page end
inline constexpr int kFramePauseMs = 20;        // before the bytes of a sent frame
inline constexpr base::Tick kBaudSwitchPauseTicks = 9;
inline constexpr int kEscapeGuardMs = 1000;     // around "+++"
inline constexpr int kDtrDropMs = 500;
inline constexpr int kTopBlankLines = 8;        // at the top of every sent page
inline constexpr int kDefaultMaxRetransmissions = 2;
inline constexpr int kReceiveChunk = 10000;     // most bytes taken in one receive call
inline constexpr int kOutputFreeWanted = 4096;  // output-buffer-free trigger level
inline constexpr int kPortCommandBaud = 19200;  // speed of every command exchange
// The T.30 timers the sender waits with, in milliseconds, and in ticks
// (18.2 a second) rounded down as SecsToTicks rounds.
inline constexpr int kT1Ms = 35000;  // T1: the called station's DIS (after EOM)
inline constexpr int kT4Ms = 3000;   // T4: the reply to a command (MPS/EOM/EOP)
constexpr base::Tick TicksFromMs(int ms) { return static_cast<base::Tick>(std::int64_t{ms} * 1675 / 92000); }
inline constexpr base::Tick kPostPageReplyTicks = TicksFromMs(kT4Ms);
inline constexpr base::Tick kNewDisTicks = TicksFromMs(kT1Ms);
inline constexpr base::Tick kHangupReplyTicks = 26;    // wait for "OK" after "ATH"
inline constexpr base::Tick kFdtReplyTicks = 546;      // 30 s for CONNECT after AT+FDT
inline constexpr base::Tick kXonWaitTicks = 18;        // Class 2: XON before page data

// Counters the component reads while the session runs (Progress query).
struct PageCounters {
    std::atomic<int> currentPage{1};   // starts at 1
    std::atomic<int> pagesInFile{0};   // pages in the fax file
    std::atomic<int> coverPages{0};    // 0 or 1
    std::atomic<long> bytes{0};        // bytes moved on the current page
    std::atomic<long> pageLength{0};   // bytes of the current page
};

struct FaxSession {
    int statusIntervalSecs = 1;        // StatusInterval
    bool sending = false;              // true in a sender
    bool sendingCover = false;         // while the cover page goes out
    bool prepared = false;             // after a good prepare step, cleared by Finish

    int maxDialAttempts = 1;           // 0 = no limit (components default to 3)
    int dialAttempts = 0;
    base::Tick dialRetryWaitTicks = base::SecsToTicks(60);  // DialRetryWait

    unsigned flags = 0;                // kFlag* bits

    int progress = 0;                  // 4801..4843 (base/ErrorCodes.h)
    int lastError = 0;                 // 0 or a negative code

    PageCounters pages;

    int faxClass = kClassDetect;       // kClassUnknown .. kClass2_0

    std::string stationId;             // at most 20, upper-cased at each fax
    std::string destinationDir;        // DestinationDir (receiver)
    std::string faxFileExt = "APF";    // FaxFileExt

    std::string faxFile;               // current fax file
    std::string coverFile;             // current cover file
    std::string phoneNumber;           // at most 40

    std::string headerSender;          // HeaderSender
    std::string headerRecipient;       // HeaderRecipient
    std::string headerTitle;           // HeaderTitle
};

struct ModemRecord {
    bool statusPending = false;        // progress changed: report at the next pass
    bool morePages = false;
    char resolution = ' ';             // '0' normal, '1' fine, ' ' not yet known
    char previousResolution = ' ';
    bool wide = false;                 // current page is 2048 pixels wide
    bool remoteFine = false;
    bool remoteWide = false;
    bool lastFrameFinal = false;       // Class 1: last frame had the final bit
    bool lengthPrefixed = false;       // page stored as length-prefixed lines
    bool coverIsApf = false;
    bool initialised = false;          // init strings sent in this session
    bool trainingOk = false;           // Class 1: CFR received

    // Dialling.
    bool toneDial = true;              // ToneDial
    bool blindDial = false;            // BlindDial (rewrites defaultInit)
    bool detectBusy = true;            // DetectBusy (rewrites defaultInit)
    base::Tick dialWaitTicks = base::SecsToTicks(60);  // DialWait
    std::string dialPrefix;            // DialPrefix, at most 40

    int desiredBps = 9600;             // DesiredBPS
    char desiredEcm = '0';             // DesiredECM as '0' or '1'
    faxdoc::PageCoding desiredCoding = faxdoc::PageCoding::Mmr;  // DesiredCoding: the best offered
    char faxAndData = '0';             // FaxAndData as '0' or '1'
    int answerOnRing = 1;              // AnswerOnRing

    base::Tick responseTimeout = 182;  // 10 s
    base::Tick dataTimeout = 1092;     // 60 s

    SessionParams params;              // line speed, fine/wide, ST code, min bytes per line
    int hangupCode = 0;                // last hang-up code the modem reported
    int retransmissions = 0;           // page retransmissions of the current fax
    int maxRetransmissions = kDefaultMaxRetransmissions;

    int initBaud = 0;                  // InitBaud, 0 = not used
    int normalBaud = 0;                // NormalBaud

    std::string defaultInit = "ATE0Q0V1X4S0=0S2=43";
    std::string modemInit;             // ModemInit, "AT..." at most 40

    // Class 1.
    SpeedSet localSpeeds;              // what our modem can do (this direction)
    SpeedSet remoteSpeeds;             // what the remote offered
    int speedIndex = kHighestSpeedIndex;  // chosen speed 1..6
    std::string modulation;            // long-training text of the session, e.g. "96"
    std::string pageModulation;        // short-training text for page data, e.g. "96"
    std::uint8_t lastFcf = 0;          // last FCF received
    int retryCount = 0;
    bool endOfMessage = false;         // receiver: last post-page message was EOM

    // Classes 2 and 2.0: the class's commands and reports (prepare step).
    Class2Vocabulary vocabulary;

    // Rendered text (header line, text cover).
    bool enhTextEnabled = false;       // EnhTextEnabled
    gfx::FontSpec enhHeaderFont;       // EnhHeaderFont (header rows)
    gfx::FontSpec enhFont;             // EnhFont (a text cover)
};

// Whether Class 1 continues to the next page with MPS or renegotiates (EOM).
enum class EndOfDocument { ContinueMps, RenegotiateEom };

struct SenderOptions {
    bool safeMode = true;              // SafeMode
    int maxSendCount = 50;             // MaxSendCount: blocks per pump call
    int bufferMinimum = 1000;          // BufferMinimum
    std::string headerLine;            // HeaderLine, at most 255
    EndOfDocument endOfDocument = EndOfDocument::ContinueMps;
};

struct ReceiverOptions {
    bool oneFax = false;               // OneFax
    bool constantStatus = false;       // ConstantStatus
};

}  // namespace vl::fax
