// A Class 2 or Class 2.0 fax modem on a pty: our emulated modem, talking to
// the modem at the other end through a Class2Link rather than audio.
//
// While the modem's page buffer is full the pty is not read, so the pty's
// own buffer holds the writer back.
#pragma once

#include <cstdint>
#include <string>

#include "Class2Modem.h"
#include "Endpoint.h"
#include "HostOutput.h"
#include "PtyPort.h"

namespace vl::linesim {

class Class2Endpoint : public Endpoint, private Class2Surroundings {
public:
    // `link` is shared with the endpoint on the other end; `side` is 0 for A, 1 for B.
    Class2Endpoint(Exchange& exchange, Class2Dialect dialect, Class2Link& link, int side,
                   const std::string& linkPath, ModemFaults faults);

    std::string Description() const override { return port_.SlavePath(); }
    bool IsAudio() const override { return false; }
    void OnCall(CallEvent event) override;
    void PollHost() override;
    void Step(std::int64_t nowMs, std::span<const std::int16_t> rx, std::span<std::int16_t> tx) override;
    SideReport Report() const override { return modem_.Report(); }

private:
    void ToComputer(std::string_view bytes) override { output_.Send(bytes, now_); }
    void PlaceCall(const std::string& dialString) override { exchange_.Dial(*this, dialString); }
    void AnswerCall() override { exchange_.Answer(*this); }
    void HangUpCall() override { exchange_.HangUp(*this); }

    Exchange& exchange_;
    PtyPort port_;
    HostOutput output_;
    std::int64_t now_ = 0;
    Class2Modem modem_;  // last: it may talk to the members above while it is built
};

}  // namespace vl::linesim
