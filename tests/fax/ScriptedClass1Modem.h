// A Class 1 modem on a pty for the machines' tests, with a fax station
// behind it. Unlike the line-based fake modem it tells commands (ended by CR)
// from the HDLC frames the engine sends (from 0xFF to DLE ETX, DLE doubled;
// DLE ETX alone is "DLE ETX")
// and from the data that follows "AT+FTM=" (up to DLE ETX, not recorded), and
// answers each command and frame from a script: a list of replies per command
// or per frame control field, taken in turn, the last one repeating.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "PtyPair.h"

namespace vl::fax::test {

// In a reply: the modem waits 300 ms there before it goes on.
inline constexpr std::string_view kPause = "<pause>";

// What the engine sent: a command ("AT+FRH=3") or a frame ("FRAME 40" with
// the FCF in hex and `frame` holding the bytes from 0xFF, DLE pairs undone).
struct ModemInput {
    std::string text;
    std::vector<std::uint8_t> frame;
};

class ScriptedClass1Modem {
public:
    ScriptedClass1Modem();
    ~ScriptedClass1Modem();
    ScriptedClass1Modem(const ScriptedClass1Modem&) = delete;
    ScriptedClass1Modem& operator=(const ScriptedClass1Modem&) = delete;

    const std::string& SlavePath() const { return pty_.SlavePath(); }

    // Replies to a command (matched exactly) or to a frame ("FRAME 40"),
    // used one per arrival; the last stays. Unknown input gets "OK".
    void Script(const std::string& input, std::vector<std::string> replies);
    // Bytes the modem sends on its own.
    void Send(std::string_view bytes);

    std::vector<ModemInput> Inputs() const;
    // The commands and frame names only, in order.
    std::vector<std::string> Texts() const;
    bool WaitFor(const std::string& text, int count, std::chrono::milliseconds timeout) const;

private:
    void Run();
    void Arrived(ModemInput input);

    vl::test::PtyPair pty_;
    int stopFd_ = -1;
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::map<std::string, std::deque<std::string>> script_;
    std::vector<ModemInput> inputs_;
    std::string line_;
    std::vector<std::uint8_t> frame_;
    bool inFrame_ = false;
    bool inData_ = false;
    bool afterDle_ = false;
    std::thread thread_;
};

// Helpers for scripts: the bytes a modem passes for a received frame
// (CONNECT, the frame with DLE doubled and two check bytes, DLE ETX, OK), for
// fast data (CONNECT, data with DLE doubled, DLE ETX, NO CARRIER); and the
// 20 information bytes of a TSI or CSI.
std::string FrameReply(std::uint8_t fcf, const std::vector<std::uint8_t>& info = {}, bool final = true);
std::string DataReply(const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> StationIdInfo(std::string_view id);

}  // namespace vl::fax::test
