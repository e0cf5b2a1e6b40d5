#include "FaxTerminal.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>
#include <vector>

#include "SpandspApi.h"

namespace vl::linesim {
namespace {
// After its session ends the terminal stays on the line this long, so its last
// frame is heard in full before the far end learns of the hang-up.
constexpr std::int64_t kHangUpAfterEndMs = 1000;
constexpr int kFineLinesPerMetre = 7700;  // 196 lines per inch; normal is half that

std::string CodingName(int encoding) {
    switch (encoding) {
    case T4_COMPRESSION_ITU_T4_1D: return "MH";
    case T4_COMPRESSION_ITU_T4_2D: return "MR";
    case T4_COMPRESSION_ITU_T6: return "MMR";
    default: return "other";
    }
}

}  // namespace

FaxTerminal::FaxTerminal(Exchange& exchange, FaxTerminalSetup setup)
    : exchange_(exchange), setup_(std::move(setup)) {
    if (setup_.receiveFile.empty()) {
        // T.30 needs somewhere to put pages even when nobody wants them.
        char name[] = "/tmp/linesim-rx-XXXXXX";
        int fd = mkstemp(name);
        if (fd < 0) throw std::runtime_error("cannot make a scratch file in /tmp");
        close(fd);
        scratchFile_ = name;
    }
}

FaxTerminal::~FaxTerminal() {
    if (fax_) fax_free(fax_);
    if (!scratchFile_.empty()) unlink(scratchFile_.c_str());
}

void FaxTerminal::StartSession() {
    fax_ = fax_init(nullptr, setup_.calls ? 1 : 0);
    if (!fax_) throw std::runtime_error("fax_init failed");
    fax_set_transmit_on_idle(fax_, 1);
    t30_state_t* t30 = fax_get_t30_state(fax_);
    t30_set_tx_ident(t30, setup_.ident.c_str());
    report_.stationId = setup_.ident;
    t30_set_supported_modems(t30, T30_SUPPORT_V27TER | T30_SUPPORT_V29 | T30_SUPPORT_V17);
    t30_set_supported_compressions(t30, setup_.mhOnly ? T30_SUPPORT_T4_1D_COMPRESSION
                                                      : T30_SUPPORT_T4_1D_COMPRESSION | T30_SUPPORT_T4_2D_COMPRESSION |
                                                            T30_SUPPORT_T6_COMPRESSION);
    t30_set_supported_resolutions(t30, T30_SUPPORT_STANDARD_RESOLUTION | T30_SUPPORT_FINE_RESOLUTION |
                                           T30_SUPPORT_SUPERFINE_RESOLUTION | T30_SUPPORT_R8_RESOLUTION);
    t30_set_ecm_capability(t30, setup_.mhOnly ? 0 : 1);
    if (!setup_.sendFile.empty()) t30_set_tx_file(t30, setup_.sendFile.c_str(), -1, -1);
    t30_set_rx_file(t30, (setup_.receiveFile.empty() ? scratchFile_ : setup_.receiveFile).c_str(), -1);
    t30_set_phase_b_handler(t30, &OnPhaseB, this);
    t30_set_phase_d_handler(t30, &OnPhaseD, this);
    t30_set_phase_e_handler(t30, &OnPhaseE, this);
    t30_set_real_time_frame_handler(t30, &OnFrame, this);
    if (setup_.verbose) {
        LogToStderr(fax_get_logging_state(fax_), "faxterm");
        LogToStderr(t30_get_logging_state(t30), "faxterm.t30");
    }
}

void FaxTerminal::TakeStatistics() {
    t30_state_t* t30 = fax_get_t30_state(fax_);
    t30_stats_t stats{};
    t30_get_transfer_statistics(t30, &stats);
    report_.pagesSent = stats.pages_tx;
    report_.pagesReceived = stats.pages_rx;
    if (stats.pages_tx + stats.pages_rx > 0) {
        report_.bitRate = stats.bit_rate;
        report_.resolution = stats.y_resolution >= kFineLinesPerMetre ? "fine" : "normal";
        report_.coding = CodingName(stats.encoding);
        report_.ecm = stats.error_correcting_mode != 0;
    }
    if (const char* id = t30_get_rx_ident(t30); id && *id) remoteIdent_ = id;
}

int FaxTerminal::OnPhaseB(t30_state_s*, void* self, int) {
    static_cast<FaxTerminal*>(self)->TakeStatistics();
    return T30_ERR_OK;
}

int FaxTerminal::OnPhaseD(t30_state_s*, void* self, int) {
    static_cast<FaxTerminal*>(self)->TakeStatistics();
    return T30_ERR_OK;
}

void FaxTerminal::OnFrame(t30_state_s*, void* self, int, const std::uint8_t* msg, int len) {
    // Image data follows the confirmation to receive, and the confirmation of
    // a page when another follows (after the last one comes the disconnect).
    if (len < 3) return;
    int fcf = msg[2] & 0xFE;
    if (fcf == T30_CFR || fcf == T30_MCF) {
        auto* me = static_cast<FaxTerminal*>(self);
        me->pageUnderwaySince_ = me->now_;
    }
}

void FaxTerminal::OnPhaseE(t30_state_s*, void* self, int code) {
    auto* me = static_cast<FaxTerminal*>(self);
    me->TakeStatistics();
    me->report_.completed = code == T30_ERR_OK;
    me->resultText_ = t30_completion_code_to_str(code);
    me->pageUnderwaySince_.reset();
    me->ended_ = true;
    me->endedAt_ = me->now_;
}

void FaxTerminal::OnCall(CallEvent event) {
    switch (event) {
    case CallEvent::Ring:
        if (!offHook_ && ++rings_ >= setup_.answerRings) {
            offHook_ = true;
            exchange_.Answer(*this);
        }
        break;
    case CallEvent::Connected:
        if (!fax_) StartSession();
        break;
    case CallEvent::HungUp:
        // The far end left before the session ended: make T.30 say so.
        if (fax_ && !ended_) t30_terminate(fax_get_t30_state(fax_));
        offHook_ = false;
        break;
    case CallEvent::Busy:
    case CallEvent::NoDialtone:
    case CallEvent::NoAnswer:
        offHook_ = false;
        break;
    case CallEvent::Alerting:
        break;
    }
}

void FaxTerminal::Step(std::int64_t nowMs, std::span<const std::int16_t> rx, std::span<std::int16_t> tx) {
    now_ = nowMs;
    std::fill(tx.begin(), tx.end(), std::int16_t{0});
    if (setup_.calls && !dialled_ && nowMs >= kFaxTerminalDialAtMs) {
        dialled_ = true;
        offHook_ = true;
        exchange_.Dial(*this, "A");
    }
    if (!fax_) return;
    std::vector<std::int16_t> heard(rx.begin(), rx.end());
    fax_rx(fax_, heard.data(), static_cast<int>(heard.size()));
    fax_tx(fax_, tx.data(), static_cast<int>(tx.size()));
    if (offHook_ && endedAt_ && nowMs >= *endedAt_ + kHangUpAfterEndMs) {
        offHook_ = false;
        exchange_.HangUp(*this);
    }
}

SideReport FaxTerminal::Report() const { return report_; }

}  // namespace vl::linesim
