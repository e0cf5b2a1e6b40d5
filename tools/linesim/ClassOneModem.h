// A Class 1 fax modem on a pty: spandsp's T.31 modem with its AT interpreter,
// speaking fax audio on the line.
//
// With voice detection on, the modem listens after its call is answered as
// many real modems do: speech and no fax answer tone, and it reports "VOICE"
// and goes on hook instead of waiting for fax tones until NO CARRIER.
//
// While the modem holds the computer back (CTS off) the pty is not read, so
// the pty's own buffer stops the writer: a pty has no CTS line to show it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Endpoint.h"
#include "HighSpeedHdlc.h"
#include "HostOutput.h"
#include "PtyPort.h"
#include "VoiceAnswerDetector.h"

struct t31_state_s;
struct at_state_s;
struct modem_connect_tones_rx_state_s;

namespace vl::linesim {

class ClassOneModem : public Endpoint {
public:
    ClassOneModem(Exchange& exchange, const std::string& linkPath, ModemFaults faults, bool verbose,
                  bool voiceDetect);
    ~ClassOneModem() override;

    std::string Description() const override { return port_.SlavePath(); }
    bool IsAudio() const override { return true; }
    void OnCall(CallEvent event) override;
    void PollHost() override;
    void Step(std::int64_t nowMs, std::span<const std::int16_t> rx, std::span<std::int16_t> tx) override;
    // The modem cannot see the fax session, but frames at page speed are
    // error correction's.
    SideReport Report() const override {
        SideReport report;
        report.ecm = pageSpeedFrames_;
        return report;
    }

private:
    static int OnAtOutput(at_state_s* state, void* self, const std::uint8_t* buf, std::size_t len);
    static int OnModemControl(t31_state_s* state, void* self, int op, const char* num);
    static void OnAnswerTone(void* self, int tone, int level, int delay);
    // Hears what answered our call, until a verdict or the computer moves on.
    void ListenToAnswer(std::span<const std::int16_t> rx);
    // A person answered: "VOICE" to the computer and on hook.
    void ReportVoice();
    // What the computer wrote, to the page-speed frames or to the modem's
    // interpreter; command lines are gathered whole so that the page-speed
    // frame commands can be taken before the interpreter refuses them.
    void FromHost(std::string_view bytes);
    bool InCommandMode() const;

    Exchange& exchange_;
    PtyPort port_;
    HostOutput output_;
    HighSpeedHdlc fastFrames_;
    bool pageSpeedFrames_ = false;  // the computer sent frames at page speed
    std::string commandLine_;
    t31_state_s* t31_ = nullptr;
    modem_connect_tones_rx_state_s* answerTones_ = nullptr;  // with voice detection only
    std::optional<VoiceAnswerDetector> answer_;              // while listening to an answer
    bool answerToneHeard_ = false;
    bool muted_ = false;  // what the modem says to its computer is dropped
    bool cts_ = true;
    bool isCaller_ = false;
    std::int64_t now_ = 0;
};

}  // namespace vl::linesim
