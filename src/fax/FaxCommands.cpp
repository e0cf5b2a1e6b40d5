// The command layer the state machines share: sending commands and frames,
// collecting the modem's response lines and frames, the engine's triggers
// and timers, and pauses.
#include <chrono>
#include <thread>

#include "base/MessageWindow.h"
#include "fax/FaxEngine.h"
#include "fax/ResponseChecks.h"

namespace vl::fax {

namespace {

constexpr std::uint8_t kCr = 0x0D;

}  // namespace

int FaxEngine::SendLine(std::string_view command, int pauseMs)
{
    PauseMs(pauseMs);
    std::string line(command);
    line.push_back(static_cast<char>(kCr));
    const int rc = port_.WriteText(line);
    if (rc < 0)
        return rc;
    ResetResponse();
    return 0;
}

int FaxEngine::SendCommand(std::string_view command)
{
    awaitingFrame_ = false;
    return SendLine(command, kCommandPauseMs);
}

int FaxEngine::SendInCallCommand(std::string_view command)
{
    awaitingFrame_ = false;
    return SendLine(command, kInCallPauseMs);
}

int FaxEngine::ReceiveFrame(std::string_view modulation)
{
    const int rc = SendInCallCommand("AT+FRH=" + std::string(modulation));
    awaitingFrame_ = rc == 0;
    pageSpeedFrames_ = modulation != "3";
    return rc;
}

void FaxEngine::AwaitFrame()
{
    awaitingFrame_ = true;
    pageSpeedFrames_ = false;
}

int FaxEngine::SendRaw(std::span<const std::uint8_t> bytes)
{
    const int rc = port_.WriteBlock(bytes);
    return rc < 0 ? rc : 0;
}

int FaxEngine::SendRaw(std::string_view text)
{
    const int rc = port_.WriteText(text);
    return rc < 0 ? rc : 0;
}

int FaxEngine::SendFrame(std::span<const std::uint8_t> frameBytes)
{
    PauseMs(kFramePauseMs);
    return SendRaw(frameBytes);
}

void FaxEngine::ResetResponse()
{
    collector_.Reset();
    SetTimeout(modem_.responseTimeout);
    StartResponseTimer(modem_.responseTimeout);
}

ResponseKind FaxEngine::Collect()
{
    int byte = 0;
    while ((byte = port_.ReadByte()) >= 0) {
        const auto event = collector_.Feed(static_cast<std::uint8_t>(byte));
        if (event == ResponseCollector::Event::Line) {
            if (awaitingFrame_ && HasConnect(collector_.Line())) {
                // "CONNECT" answers "AT+FRH=3" (or the dial): the frame follows.
                collector_.ExpectFrame();
                SetTimeout(modem_.responseTimeout);
                continue;
            }
            // Other lines (a ring-back report) leave the frame expected.
            return ResponseKind::Line;
        }
        if (event == ResponseCollector::Event::Frame) {
            awaitingFrame_ = false;
            auto frame = collector_.FrameTruncated() ? std::nullopt : ParseFrame(collector_.Frame());
            lastFrame_ = frame ? *frame : HdlcFrame{};
            // Frames at page speed carry page data: one the line garbled
            // must not be taken for a DCS or DCN.
            frameAction_ = frame && !pageSpeedFrames_ ? ApplyFrame(*frame) : FrameAction::None;
            SetTimeout(modem_.responseTimeout);
            StartResponseTimer(modem_.responseTimeout);
            return ResponseKind::Frame;
        }
    }
    return ResponseKind::None;
}

void FaxEngine::SetTimeout(base::Tick ticks)
{
    if (timeoutTimer_ > 0)
        port_.ArmTimerTrigger(timeoutTimer_, ticks, true);
}

void FaxEngine::StopTimeout()
{
    if (timeoutTimer_ > 0)
        port_.ArmTimerTrigger(timeoutTimer_, 0, false);
}

void FaxEngine::ArmOutputFree(unsigned bytes)
{
    if (outputFree_ > 0)
        port_.ArmStatusTrigger(outputFree_, bytes, true);
}

void FaxEngine::ArmOutputUsed(unsigned count)
{
    if (outputUsed_ > 0)
        port_.ArmStatusTrigger(outputUsed_, count, true);
}

void FaxEngine::ArmStatusTimer()
{
    if (statusTimer_ > 0)
        port_.ArmTimerTrigger(statusTimer_, base::SecsToTicks(std::max(1, session_.statusIntervalSecs)), true);
}

void FaxEngine::StartResponseTimer(base::Tick ticks)
{
    base::NewTimer(responseTimer_, ticks);
}

bool FaxEngine::ResponseTimerExpired() const
{
    return base::TimerExpiredAt(responseTimer_, base::Ticks());
}

void FaxEngine::PauseMs(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    const bool pump = window_ != nullptr && window_->Loop().OnLoopThread();
    while (std::chrono::steady_clock::now() < until) {
        if (pump)
            window_->Loop().Yield();
        const auto left = until - std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(5)));
    }
}

void FaxEngine::PauseTicks(base::Tick ticks)
{
    PauseMs(static_cast<int>(ticks) * 55);
}

}  // namespace vl::fax
