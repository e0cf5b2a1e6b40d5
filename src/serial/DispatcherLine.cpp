// Line settings, modem signals, line errors, flow control and RS-485.
#include <thread>

#include "base/ErrorCodes.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

namespace {

// Draining output before a line change: at most this many waits of 2 ms.
constexpr int kDrainWaits = 5000;
constexpr std::chrono::milliseconds kDrainWait{2};
constexpr std::uint8_t kDefaultXon = 17;
constexpr std::uint8_t kDefaultXoff = 19;

int LogicalStopBits(int deviceStopBits)
{
    return deviceStopBits == 1 ? 1 : 2;
}

bool SameFraming(const LineSettings& a, const LineSettings& b)
{
    return a.baud == b.baud && a.parity == b.parity && a.dataBits == b.dataBits && a.stopBits == b.stopBits;
}

// The time of about 18 characters at `settings`' speed, in whole milliseconds.
std::chrono::milliseconds QuietTime(const LineSettings& settings)
{
    if (settings.baud <= 0)
        return std::chrono::milliseconds(0);
    const long long bitTime = 10'000'000LL / settings.baud;  // in 100 ns
    const int extra = (LogicalStopBits(settings.stopBits) == 2 ? 1 : 0) + (settings.parity != Parity::None ? 1 : 0);
    long long total = bitTime * (settings.dataBits + extra + 3) * 18;
    if (settings.baud < 9999)
        total *= 2;
    return std::chrono::milliseconds((total + 9999) / 10000);
}

}  // namespace

int VlBaseDispatcher::ReadSettings(LineSettings& settings)
{
    return device_->GetSettings(settings);
}

void VlBaseDispatcher::ApplyFraming(LineSettings& settings, int baud, int parity, int dataBits,
                                    int stopBits) const
{
    if (baud != kBaudUnchanged)
        settings.baud = baud;
    if (parity >= 0 && parity < kParityUnchanged)
        settings.parity = static_cast<Parity>(parity);
    if (dataBits != kDataBitsUnchanged)
        settings.dataBits = dataBits;
    int logical = LogicalStopBits(settings.stopBits);
    if (stopBits != kStopBitsUnchanged)
        logical = stopBits <= 1 ? 1 : 2;
    // Two stop bits do not exist with five data bits; the device uses one and a half.
    settings.stopBits = logical == 2 && settings.dataBits == 5 ? kOneAndHalfStopBits : logical;
}

void VlBaseDispatcher::ApplyDtrRts(LineSettings& settings) const
{
    if (!leaveDtr_)
        settings.dtrControl = dtrOn_ ? DtrControl::Enable : DtrControl::Disable;
    if (!leaveRts_)
        settings.rtsControl = rtsOn_ ? RtsControl::Enable : RtsControl::Disable;
}

int VlBaseDispatcher::SetLineParams(int baud, int parity, int dataBits, int stopBits)
{
    if (parity < 0 || parity > kParityUnchanged || baud < 0)
        return base::ecBadArgument;
    if (!open_.load())
        return base::ecPortNotOpen;
    LineSettings current;
    int rc = ReadSettings(current);
    if (rc < 0)
        return rc;
    LineSettings wanted = current;
    ApplyFraming(wanted, baud, parity, dataBits, stopBits);
    if (SameFraming(wanted, current))
        return base::ecOK;
    DrainOutput();
    std::this_thread::sleep_for(QuietTime(current));
    std::lock_guard guard(dispatcherLock_);
    rc = ReadSettings(wanted);
    if (rc < 0)
        return rc;
    ApplyFraming(wanted, baud, parity, dataBits, stopBits);
    ApplyDtrRts(wanted);
    return device_->SetSettings(wanted);
}

void VlBaseDispatcher::DrainOutput()
{
    for (int wait = 0; wait < kDrainWaits && OutputUsed() > 0; ++wait)
        std::this_thread::sleep_for(kDrainWait);
}

LineParams VlBaseDispatcher::GetLineParams()
{
    LineSettings settings;
    LineParams params;
    if (ReadSettings(settings) < 0)
        return params;
    params.baud = settings.baud;
    params.parity = static_cast<int>(settings.parity);
    params.dataBits = settings.dataBits;
    params.stopBits = LogicalStopBits(settings.stopBits);
    return params;
}

int VlBaseDispatcher::SetDtrState(bool on)
{
    std::lock_guard guard(dispatcherLock_);
    if (leaveDtr_)
        return 1;
    if (device_->SetDtr(on) < 0)
        return base::ecBadArgument;
    dtrOn_ = on;
    return base::ecOK;
}

int VlBaseDispatcher::SetRtsState(bool on)
{
    std::lock_guard guard(dispatcherLock_);
    if (leaveRts_)
        return 1;
    if (device_->SetRts(on) < 0)
        return base::ecBadArgument;
    rtsOn_ = on;
    return base::ecOK;
}

std::uint8_t VlBaseDispatcher::ReadModemStatus(std::uint8_t clearMask)
{
    std::lock_guard guard(dispatcherLock_);
    RefreshModemStatusLocked();
    const std::uint8_t status = modemStatus_;
    modemStatus_ &= static_cast<std::uint8_t>(~(clearMask & 0x0F));
    return status;
}

bool VlBaseDispatcher::CheckSignal(std::uint8_t signal)
{
    std::lock_guard guard(dispatcherLock_);
    RefreshModemStatusLocked();
    return (modemStatus_ & signal & 0xF0) != 0;
}

bool VlBaseDispatcher::CheckDelta(std::uint8_t delta)
{
    std::lock_guard guard(dispatcherLock_);
    RefreshModemStatusLocked();
    const bool set = (modemStatus_ & delta & 0x0F) != 0;
    modemStatus_ &= static_cast<std::uint8_t>(~(delta & 0x0F));
    return set;
}

int VlBaseDispatcher::TakeLineError()
{
    std::lock_guard guard(dispatcherLock_);
    lineErrors_ |= device_->TakeErrors();
    int code = lcNone;
    if (lineErrors_ & leReceiveOverrun)
        code = lcReceiveOverrun;
    else if (lineErrors_ & leOverrun)
        code = lcOverrun;
    else if (lineErrors_ & leParity)
        code = lcParity;
    else if (lineErrors_ & leFraming)
        code = lcFraming;
    else if (lineErrors_ & leBreak)
        code = lcBreak;
    lineErrors_ &= leBreak;
    return code;
}

bool VlBaseDispatcher::TakeBreak()
{
    std::lock_guard guard(dispatcherLock_);
    lineErrors_ |= device_->TakeErrors();
    const bool seen = (lineErrors_ & leBreak) != 0;
    lineErrors_ &= static_cast<std::uint8_t>(~leBreak);
    return seen;
}

int VlBaseDispatcher::CheckFlowLimits(int bufferFull, int bufferResume) const
{
    if (bufferFull < bufferResume || bufferFull > inQue_ || bufferResume < 0)
        return base::ecBadArgument;
    return base::ecOK;
}

template <typename Change>
int VlBaseDispatcher::ChangeSettings(Change change)
{
    std::lock_guard guard(dispatcherLock_);
    LineSettings settings;
    const int rc = ReadSettings(settings);
    if (rc < 0)
        return rc;
    change(settings);
    ApplyDtrRts(settings);
    return device_->SetSettings(settings);
}

int VlBaseDispatcher::SetHardwareFlow(int bufferFull, int bufferResume, unsigned options)
{
    const int rc = CheckFlowLimits(bufferFull, bufferResume);
    if (rc < 0)
        return rc;
    return ChangeSettings([&](LineSettings& settings) {
        settings.xoffLim = inQue_ - bufferFull;
        settings.xonLim = bufferResume;
        leaveDtr_ = (options & hfUseDtr) != 0;
        if (leaveDtr_)
            settings.dtrControl = DtrControl::Handshake;
        leaveRts_ = (options & hfUseRts) != 0 || rs485_;
        if (options & hfUseRts)
            settings.rtsControl = RtsControl::Handshake;
        else if (rs485_)
            settings.rtsControl = RtsControl::Toggle;
        settings.outxDsrFlow = (options & hfRequireDsr) != 0;
        settings.outxCtsFlow = (options & hfRequireCts) != 0;
    });
}

int VlBaseDispatcher::SetSoftwareFlow(int bufferFull, int bufferResume, unsigned options)
{
    const int rc = CheckFlowLimits(bufferFull, bufferResume);
    if (rc < 0)
        return rc;
    return ChangeSettings([&](LineSettings& settings) {
        settings.inX = (options & sfReceive) != 0;
        settings.outX = (options & sfTransmit) != 0;
        if (settings.inX) {
            settings.xoffLim = inQue_ - bufferFull;
            settings.xonLim = bufferResume;
        }
        settings.xonChar = kDefaultXon;
        settings.xoffChar = kDefaultXoff;
    });
}

int VlBaseDispatcher::ClearSoftwareFlow()
{
    return ChangeSettings([](LineSettings& settings) { settings.inX = settings.outX = false; });
}

int VlBaseDispatcher::SetXonXoffChars(std::uint8_t xon, std::uint8_t xoff)
{
    return ChangeSettings([xon, xoff](LineSettings& settings) {
        settings.xonChar = xon;
        settings.xoffChar = xoff;
    });
}

FlowSettings VlBaseDispatcher::GetFlowSettings()
{
    FlowSettings flow;
    LineSettings settings;
    if (ReadSettings(settings) < 0)
        return flow;
    if (settings.dtrControl == DtrControl::Handshake)
        flow.hardwareOptions |= hfUseDtr;
    if (settings.rtsControl == RtsControl::Handshake)
        flow.hardwareOptions |= hfUseRts;
    if (settings.outxDsrFlow)
        flow.hardwareOptions |= hfRequireDsr;
    if (settings.outxCtsFlow)
        flow.hardwareOptions |= hfRequireCts;
    if (settings.outX)
        flow.softwareOptions |= sfTransmit;
    if (settings.inX)
        flow.softwareOptions |= sfReceive;
    flow.bufferFull = inQue_ - settings.xoffLim;
    flow.bufferResume = settings.xonLim;
    flow.xonChar = settings.xonChar;
    flow.xoffChar = settings.xoffChar;
    return flow;
}

int VlBaseDispatcher::SetRs485Mode(bool on)
{
    const int rc = ChangeSettings([this, on](LineSettings& settings) {
        if (on) {
            settings.rtsControl = RtsControl::Toggle;
            leaveRts_ = true;
        } else if (rs485_ && settings.rtsControl == RtsControl::Toggle) {
            leaveRts_ = false;
        }
        rs485_ = on;
    });
    if (running_[kOutputThread].load())
        ApplyPriority(kOutputThread);
    return rc;
}

bool VlBaseDispatcher::Rs485Mode()
{
    std::lock_guard guard(dispatcherLock_);
    return rs485_;
}

}  // namespace vl::serial
