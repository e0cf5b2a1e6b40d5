// The inside of an emulated Class 2 modem, shared by the files that make it
// up: Class2Modem.cpp (bytes from the computer, call events, results),
// Class2Commands.cpp (the AT and +F commands) and Class2Session.cpp (the fax
// session with the far modem).
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "AtCommandLine.h"
#include "Class2Link.h"
#include "Class2Modem.h"
#include "Class2Names.h"
#include "Class2PageData.h"
#include "Class2Params.h"
#include "ModemBasics.h"

namespace vl::linesim {

enum class ModemState {
    Idle,            // on hook, commands
    Ringing,         // on hook, a call is ringing, commands
    Dialing,         // ATD waits for the exchange
    Answering,       // ATA waits for the exchange
    TxWaitDis,       // ATD waits for the answerer's DIS (T1)
    TxReady,         // caller on line, commands (+FDT, +FET)
    TxWaitCfr,       // +FDT waits for the answerer's training result
    TxData,          // page data from the computer
    TxDiscard,       // the line went mid-page: the rest of the page is dropped
    TxDraining,      // page ended, waiting for it to cross the line before OK
    TxWaitReply,     // +FET waits for MCF/RTN/RTP (T4, three tries)
    TxClosing,       // DCN on its way
    RxWaitDcs,       // ATA waits for the caller's DCS (T1)
    RxReady,         // answerer on line, commands (+FDR)
    RxWaitCarrier,   // +FDR waits for the page carrier
    RxWaitStart,     // CONNECT sent, waiting for DC2 (or XON) from the computer
    RxData,          // page data to the computer
    RxWaitPostPage,  // page ended, waiting for MPS/EOM/EOP
    RxWaitDcn,       // EOP answered, waiting for DCN
    RxEnding,        // the data ended with the line lost; the report follows
};

enum class Outcome { Ok, Error, Pending };

// How long T.30 signals take on a real line, in ms.
inline constexpr int kT1Ms = 35000;          // time to find the other fax machine
inline constexpr int kT4Ms = 3000;           // wait for a reply before repeating
inline constexpr int kCedAndDisMs = 4000;    // answer tone, then NSF/CSI/DIS
inline constexpr int kDcsAndTrainingMs = 2700;  // TSI, DCS, then 1.5 s of TCF
inline constexpr int kShortFrameMs = 700;    // CFR, MCF, DCN with their preamble
inline constexpr int kPostPageMs = 1100;     // carrier off, then MPS/EOM/EOP
inline constexpr int kPageTrainingMs = 300;  // high-speed carrier training
// From received data cut short to the hang-up report: the modem waits a while
// for the carrier to come back, and hosts drop what follows DLE ETX closely.
inline constexpr int kAfterDataMs = 2000;
// Page bytes in flight before the modem stops taking more (about 2 s at 14400).
inline constexpr std::size_t kTxWindow = 4096;

struct Class2Modem::Impl {
    Impl(Class2Dialect dialect, Class2Surroundings& around, Class2Link& link, int side);

    // Class2Modem.cpp
    void FromComputer(std::string_view bytes);
    void TakeCommandBytes(std::string_view bytes);
    bool InCommandMode() const;
    void RunLine(const std::string& line);
    void Send(const std::string& text) { if (!text.empty()) around.ToComputer(text); }
    void Final(Result r) { Send(basics.ResultCode(r)); }
    void Info(const std::string& text) { Send(basics.InfoText(text)); }
    void Step(std::int64_t nowMs);
    void OnCall(CallEvent event);
    void EnterIdle();

    // Class2Commands.cpp
    Outcome Run(const AtCommand& cmd, std::string& reply);
    Outcome RunFax(const AtCommand& cmd, std::string& reply);
    Outcome RunStored(const AtCommand& cmd, std::string& reply);
    Outcome Dial(const AtCommand& cmd);
    Outcome Answer();
    Outcome HangUp();
    void ResetFaxSettings();  // +FIP
    Outcome StartPage();
    Outcome PostPage(int code);
    Outcome ReceivePage();
    bool FaxClass() const { return fclass == names.fclass; }

    // Class2Session.cpp
    void OnConnected();
    void PumpLink();
    bool Handle(T30Message& msg);  // false: not yet, keep it queued
    void RunTimers();
    void TakePageData(std::string_view bytes);
    void SendPostPage();
    void EndSession(int code);
    void LineLost();
    void EndData(int hangupCode);  // DLE ETX now, the hang-up report a little later
    int LossCode() const;
    void ReportSession(const char* what, const Class2Params& p);

    Class2Dialect dialect;
    const Class2Names& names;
    Class2Surroundings& around;
    Class2Link& link;
    int side;
    ModemBasics basics;

    std::string fclass = "0";
    Class2Params caps = Class2Params::ModemLimits();  // +FDCC/+FCC
    Class2Params dis = Class2Params::ModemLimits();   // +FDIS/+FIS
    std::string localId;
    bool canReceive = true;   // +FCR
    int bitOrder = 0;         // +FBOR/+FBO
    int replyOverride = 0;    // +FPTS=/+FPS= before the next +FDR
    std::map<std::string, std::string> stored;  // settings kept but not acted on

    ModemState state = ModemState::Idle;
    std::string line;          // command being typed
    std::int64_t nowMs = 0;
    std::int64_t deadlineMs = -1;
    int rings = 0;
    bool hungUpByFar = false;

    // The session.
    Class2Params remote;       // far end's DIS
    Class2Params session;      // DCS in use
    bool haveSession = false;
    bool pageSent = false;     // TxReady: a page went since the last DCS
    int postPage = -1;         // last MPS/EOM/EOP sent or received
    int tries = 0;
    int lossCode = 0;          // RxEnding: the hang-up code to report
    PageDataReader reader;
    std::deque<T30Message> inbox;
    int pageQuality = 1;       // receiver's verdict on the last page
    SideReport report;
};

}  // namespace vl::linesim
