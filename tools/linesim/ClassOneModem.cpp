#include "ClassOneModem.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "SpandspApi.h"

#define SPANDSP_EXPOSE_INTERNAL_STRUCTURES
#include <spandsp/expose.h>

namespace vl::linesim {
namespace {
// Per step; far above the fastest page data rate, well below the modem's buffer.
constexpr std::size_t kMaxReadPerStep = 512;
// The AT interpreter's result code form after V1 (text results).
constexpr int kTextResultCodes = 1;
}

ClassOneModem::ClassOneModem(Exchange& exchange, const std::string& linkPath, ModemFaults faults, bool verbose,
                             bool voiceDetect)
    : exchange_(exchange), port_(linkPath), output_(faults),
      fastFrames_([this](std::string_view bytes) { output_.Send(bytes, now_); }) {
    t31_ = t31_init(nullptr, &OnAtOutput, this, &OnModemControl, this,
                    nullptr, nullptr);
    if (!t31_) throw std::runtime_error("t31_init failed");
    // Silence rather than nothing while idle, so the line always gets a full step.
    t31_set_transmit_on_idle(t31_, 1);
    if (verbose) LogToStderr(t31_get_logging_state(t31_), "class1");
    if (voiceDetect) {
        answerTones_ = modem_connect_tones_rx_init(nullptr, MODEM_CONNECT_TONES_FAX_CED_OR_PREAMBLE, &OnAnswerTone,
                                                   this);
        if (!answerTones_) throw std::runtime_error("modem_connect_tones_rx_init failed");
    }
}

ClassOneModem::~ClassOneModem() {
    // spandsp 0.0.6 leaves the receive queue made by t31_init behind.
    queue_state_t* rxQueue = t31_->rx_queue;
    t31_free(t31_);
    queue_free(rxQueue);
    if (answerTones_) modem_connect_tones_rx_free(answerTones_);
}

int ClassOneModem::OnAtOutput(at_state_s*, void* self, const std::uint8_t* buf, std::size_t len) {
    auto* me = static_cast<ClassOneModem*>(self);
    if (me->muted_) return static_cast<int>(len);
    me->output_.Send(std::string_view(reinterpret_cast<const char*>(buf), len), me->now_);
    return static_cast<int>(len);
}

int ClassOneModem::OnModemControl(t31_state_s*, void* self, int op, const char* num) {
    auto* me = static_cast<ClassOneModem*>(self);
    switch (op) {
    case AT_MODEM_CONTROL_CALL:
        me->isCaller_ = true;
        me->exchange_.Dial(*me, num ? num : "");
        break;
    case AT_MODEM_CONTROL_ANSWER:
        me->isCaller_ = false;
        me->exchange_.Answer(*me);
        break;
    case AT_MODEM_CONTROL_HANGUP:
    case AT_MODEM_CONTROL_ONHOOK:
        me->exchange_.HangUp(*me);
        break;
    case AT_MODEM_CONTROL_CTS:
        me->cts_ = num != nullptr;
        break;
    default:
        break;  // DTR, RTS, RNG, CAR...: nothing a pty can carry
    }
    return 0;
}

void ClassOneModem::OnAnswerTone(void* self, int tone, int, int) {
    if (tone != MODEM_CONNECT_TONES_NONE) static_cast<ClassOneModem*>(self)->answerToneHeard_ = true;
}

void ClassOneModem::ListenToAnswer(std::span<const std::int16_t> rx) {
    // Once the computer has its result (CONNECT after fax flags) the call has moved on.
    if (!t31_->at_state.dte_is_waiting) {
        answer_.reset();
        return;
    }
    modem_connect_tones_rx(answerTones_, rx.data(), static_cast<int>(rx.size()));
    switch (answer_->Feed(rx, answerToneHeard_)) {
    case AnswerVerdict::Listening:
        return;
    case AnswerVerdict::Voice:
        ReportVoice();
        break;
    case AnswerVerdict::Fax:
        break;
    }
    answer_.reset();
}

void ClassOneModem::ReportVoice() {
    at_state_t& at = t31_->at_state;
    // What the hang-up itself tells the computer (the end of the frame the
    // speech seemed to start, NO CARRIER) gives way to VOICE.
    at.dte_is_waiting = 0;
    muted_ = true;
    t31_call_event(t31_, AT_CALL_EVENT_HANGUP);
    muted_ = false;
    at_set_at_rx_mode(&at, AT_MODE_ONHOOK_COMMAND);
    // Numeric results have no code for it: those computers hear of a lost call.
    if (at.p.result_code_format == kTextResultCodes)
        at_put_response(&at, "VOICE");
    else
        at_put_response_code(&at, AT_RESPONSE_CODE_NO_CARRIER);
}

void ClassOneModem::OnCall(CallEvent event) {
    switch (event) {
    case CallEvent::Ring:
        t31_call_event(t31_, AT_CALL_EVENT_ALERTING);
        break;
    case CallEvent::Connected:
        output_.OnConnected();
        t31_call_event(t31_, isCaller_ ? AT_CALL_EVENT_CONNECTED : AT_CALL_EVENT_ANSWERED);
        if (answerTones_ && isCaller_) {
            modem_connect_tones_rx_init(answerTones_, MODEM_CONNECT_TONES_FAX_CED_OR_PREAMBLE, &OnAnswerTone, this);
            answerToneHeard_ = false;
            answer_.emplace();
        }
        break;
    case CallEvent::Busy:
        t31_call_event(t31_, AT_CALL_EVENT_BUSY);
        break;
    case CallEvent::NoDialtone:
        t31_call_event(t31_, AT_CALL_EVENT_NO_DIALTONE);
        break;
    case CallEvent::NoAnswer:
        t31_call_event(t31_, AT_CALL_EVENT_NO_ANSWER);
        break;
    case CallEvent::HungUp:
        answer_.reset();
        t31_call_event(t31_, AT_CALL_EVENT_HANGUP);
        break;
    case CallEvent::Alerting:
        break;  // the caller's modem hears ringback; nothing to report
    }
}

void ClassOneModem::PollHost() {
    if (!cts_) return;
    std::string in;
    if (port_.Read(in, kMaxReadPerStep) > 0) FromHost(in);
}

bool ClassOneModem::InCommandMode() const {
    const int mode = t31_->at_state.at_rx_mode;
    return mode == AT_MODE_ONHOOK_COMMAND || mode == AT_MODE_OFFHOOK_COMMAND;
}

void ClassOneModem::FromHost(std::string_view bytes) {
    while (!bytes.empty()) {
        if (fastFrames_.Transmitting() || fastFrames_.HostWaiting()) {
            fastFrames_.FromHost(bytes);
            return;
        }
        if (!InCommandMode()) {
            t31_at_rx(t31_, bytes.data(), static_cast<int>(bytes.size()));
            return;
        }
        const std::size_t cr = bytes.find('\r');
        commandLine_.append(bytes.substr(0, cr));
        if (cr == std::string_view::npos) return;
        bytes.remove_prefix(cr + 1);
        std::string line = std::move(commandLine_);
        commandLine_.clear();
        if (const auto request = HighSpeedHdlc::Parse(line)) {
            pageSpeedFrames_ = pageSpeedFrames_ || request->transmit;
            fastFrames_.Start(*request);
            continue;
        }
        fastFrames_.StopReceiving();
        line += '\r';
        t31_at_rx(t31_, line.data(), static_cast<int>(line.size()));
    }
}

void ClassOneModem::Step(std::int64_t nowMs, std::span<const std::int16_t> rx, std::span<std::int16_t> tx) {
    now_ = nowMs;
    if (answer_) ListenToAnswer(rx);
    if (fastFrames_.Receiving()) {
        fastFrames_.Receive(rx);
    } else {
        std::vector<std::int16_t> heard(rx.begin(), rx.end());
        t31_rx(t31_, heard.data(), static_cast<int>(heard.size()));
    }
    if (fastFrames_.Transmitting()) {
        fastFrames_.Transmit(tx);
    } else {
        int made = t31_tx(t31_, tx.data(), static_cast<int>(tx.size()));
        std::fill(tx.begin() + std::max(made, 0), tx.end(), std::int16_t{0});
    }
    std::string out;
    output_.Release(nowMs, out);
    port_.Write(out);
    port_.Flush();
}

}  // namespace vl::linesim
