// A Class 1 fax modem on a pty: spandsp's T.31 modem with its AT interpreter,
// speaking fax audio on the line.
//
// While the modem holds the computer back (CTS off) the pty is not read, so
// the pty's own buffer stops the writer: a pty has no CTS line to show it.
#pragma once

#include <cstdint>
#include <string>

#include "Endpoint.h"
#include "HostOutput.h"
#include "PtyPort.h"

struct t31_state_s;
struct at_state_s;

namespace vl::linesim {

class ClassOneModem : public Endpoint {
public:
    ClassOneModem(Exchange& exchange, const std::string& linkPath, ModemFaults faults, bool verbose);
    ~ClassOneModem() override;

    std::string Description() const override { return port_.SlavePath(); }
    bool IsAudio() const override { return true; }
    void OnCall(CallEvent event) override;
    void PollHost() override;
    void Step(std::int64_t nowMs, std::span<const std::int16_t> rx, std::span<std::int16_t> tx) override;
    SideReport Report() const override { return {}; }  // the modem cannot see the fax session

private:
    static int OnAtOutput(at_state_s* state, void* self, const std::uint8_t* buf, std::size_t len);
    static int OnModemControl(t31_state_s* state, void* self, int op, const char* num);

    Exchange& exchange_;
    PtyPort port_;
    HostOutput output_;
    t31_state_s* t31_ = nullptr;
    bool cts_ = true;
    bool isCaller_ = false;
    std::int64_t now_ = 0;
};

}  // namespace vl::linesim
