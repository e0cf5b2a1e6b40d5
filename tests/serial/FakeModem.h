// A scripted modem on a pseudo terminal: the code under test opens
// SlavePath() as its serial device, and a thread on the master side answers
// each AT command (a line ended by CR) from the script and records
// everything it receives.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "PtyPair.h"

namespace vl::test {

struct FakeModemScript {
    // Command as typed, without the CR (matched without regard to letter
    // case) -> reply, e.g. {"AT", "\r\nOK\r\n"}.
    std::map<std::string, std::string> replies;
    // The reply to a command the script does not know.
    std::string unknownReply = "\r\nERROR\r\n";
    // When set, decides every reply instead of the map.
    std::function<std::string(const std::string& command)> responder;
    bool echo = true;                        // echo what arrives, as modems do after ATE1
    std::chrono::microseconds byteDelay{0};  // pause before each byte sent (a slow modem)
    std::string garbage;                     // sent before every reply
    bool silent = false;                     // record, never answer (nor echo)
};

class FakeModem {
public:
    explicit FakeModem(FakeModemScript script = {});
    ~FakeModem();
    FakeModem(const FakeModem&) = delete;
    FakeModem& operator=(const FakeModem&) = delete;

    const std::string& SlavePath() const { return pty_.SlavePath(); }

    void SetReply(const std::string& command, const std::string& reply);
    // Bytes the modem sends on its own ("\r\nRING\r\n"), paced like replies.
    void Send(std::string_view bytes);

    // Every byte received so far.
    std::string Received() const;
    // The commands received so far, without their CR.
    std::vector<std::string> Commands() const;
    // The line speed the serial side had set when each command arrived, and
    // the speed now.
    std::vector<int> CommandSpeeds() const;
    int LineSpeed() const { return pty_.LineSpeed(); }
    // Waits until at least `count` commands arrived; false on time-out.
    bool WaitForCommands(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    void Run();
    void Answer(const std::string& command);
    void Emit(std::string_view bytes);

    PtyPair pty_;
    int stopFd_ = -1;
    mutable std::mutex mutex_;  // guards script_, received_, commands_, commandSpeeds_, line_
    mutable std::condition_variable commandArrived_;
    std::mutex sendMutex_;  // keeps replies and Send output whole
    FakeModemScript script_;
    std::string received_;
    std::vector<std::string> commands_;
    std::vector<int> commandSpeeds_;
    std::string line_;
    std::thread thread_;
};

}  // namespace vl::test
