// The fax machine on the line: spandsp's T.30 terminal with its own modems.
// It answers after a number of rings, or calls the other endpoint; it sends
// the pages of a TIFF-F file and stores what it receives in another.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Endpoint.h"

struct fax_state_s;
struct t30_state_s;

namespace vl::linesim {

struct FaxTerminalSetup {
    bool calls = false;            // calls the other end instead of answering
    int answerRings = 2;
    std::string sendFile;          // "" : nothing to send
    std::string receiveFile;       // "" : received pages go to a scratch file
    std::string ident = "LINESIM";
    bool verbose = false;
    bool mhOnly = false;           // one-dimensional coding only, no ECM
};

inline constexpr std::int64_t kFaxTerminalDialAtMs = 3000;

class FaxTerminal : public Endpoint {
public:
    FaxTerminal(Exchange& exchange, FaxTerminalSetup setup);
    ~FaxTerminal() override;
    FaxTerminal(const FaxTerminal&) = delete;
    FaxTerminal& operator=(const FaxTerminal&) = delete;

    std::string Description() const override { return "faxterm"; }
    bool IsAudio() const override { return true; }
    void OnCall(CallEvent event) override;
    void PollHost() override {}
    void Step(std::int64_t nowMs, std::span<const std::int16_t> rx, std::span<std::int16_t> tx) override;
    SideReport Report() const override;

    // The ID the other side sent, "" if none.
    std::string RemoteIdent() const { return remoteIdent_; }
    // spandsp's text for how the session ended; "" before it started.
    std::string ResultText() const { return resultText_; }
    // Pages moved either way so far, and since when page data may be flowing
    // (since the CFR or MCF frame), if the session has not ended.
    int PagesDone() const { return report_.pagesSent + report_.pagesReceived; }
    std::optional<std::int64_t> PageUnderwaySince() const { return pageUnderwaySince_; }

private:
    static int OnPhaseB(t30_state_s* t30, void* self, int result);
    static int OnPhaseD(t30_state_s* t30, void* self, int result);
    static void OnPhaseE(t30_state_s* t30, void* self, int code);
    static void OnFrame(t30_state_s* t30, void* self, int incoming, const std::uint8_t* msg, int len);
    void StartSession();
    void TakeStatistics();

    Exchange& exchange_;
    FaxTerminalSetup setup_;
    std::string scratchFile_;
    fax_state_s* fax_ = nullptr;
    bool offHook_ = false;
    bool dialled_ = false;
    bool ended_ = false;
    int rings_ = 0;
    std::int64_t now_ = 0;
    std::optional<std::int64_t> endedAt_;
    std::optional<std::int64_t> pageUnderwaySince_;
    SideReport report_;
    std::string remoteIdent_;
    std::string resultText_;
};

}  // namespace vl::linesim
