// The comm port's line, signal and flow-control settings and the rules that
// tie them together; each is applied at once while the port is open.
#include "base/Exceptions.h"
#include "serial/VlComPort.h"

namespace vl::serial {

namespace {

// `percent` % of `value`, rounded to the nearest whole number.
int Percent(int value, int percent)
{
    return static_cast<int>((static_cast<long long>(value) * percent + 50) / 100);
}

}  // namespace

void VlComPort::SetDeviceLayer(DeviceLayer layer)
{
    if (layer == dlWin32)
        deviceLayer_ = layer;
}

void VlComPort::ApplyLine()
{
    if (Applies())
        base::CheckException(dispatcher_->SetLineParams(baud_, parity_, dataBits_, stopBits_));
}

void VlComPort::SetBaud(int baud)
{
    baud_ = baud;
    ApplyLine();
}

void VlComPort::SetParity(ComParity parity)
{
    parity_ = parity;
    ApplyLine();
}

void VlComPort::SetDataBits(int dataBits)
{
    dataBits_ = dataBits;
    ApplyLine();
}

void VlComPort::SetStopBits(int stopBits)
{
    stopBits_ = stopBits;
    ApplyLine();
}

// The driver's queues have fixed sizes, so an open port keeps running as it
// is; the dispatcher takes the new sizes at the next open.
void VlComPort::SetInSize(int size)
{
    inSize_ = size;
}

void VlComPort::SetOutSize(int size)
{
    outSize_ = size;
}

void VlComPort::ApplyDtr()
{
    if (Applies())
        base::CheckException(dispatcher_->SetDtrState(dtr_));
}

void VlComPort::ApplyRts()
{
    if (Applies())
        base::CheckException(dispatcher_->SetRtsState(rts_));
}

void VlComPort::SetDTR(bool on)
{
    dtr_ = on;
    ApplyDtr();
}

void VlComPort::SetRTS(bool on)
{
    rts_ = on;
    ApplyRts();
}

void VlComPort::ApplyHardwareFlow()
{
    if (Applies())
        base::CheckException(dispatcher_->SetHardwareFlow(bufferFull_, bufferResume_, hwFlow_));
}

void VlComPort::ApplySoftwareFlow()
{
    if (!Applies())
        return;
    unsigned options = 0;
    if (swFlow_ == swfReceive || swFlow_ == swfBoth)
        options |= sfReceive;
    if (swFlow_ == swfTransmit || swFlow_ == swfBoth)
        options |= sfTransmit;
    if (options == 0)
        base::CheckException(dispatcher_->ClearSoftwareFlow());
    else
        base::CheckException(dispatcher_->SetSoftwareFlow(bufferFull_, bufferResume_, options));
}

void VlComPort::ApplyRs485()
{
    if (Applies())
        base::CheckException(dispatcher_->SetRs485Mode(rs485_));
}

void VlComPort::SetHWFlowOptions(unsigned options)
{
    options &= hwfUseDTR | hwfUseRTS | hwfRequireDSR | hwfRequireCTS;
    hwFlow_ = options;
    if (options != 0) {
        if (bufferFull_ == 0 || bufferFull_ > inSize_)
            bufferFull_ = Percent(inSize_, 90);
        if (bufferResume_ == 0 || bufferResume_ > bufferFull_)
            bufferResume_ = Percent(inSize_, 10);
    }
    if ((options & (hwfUseRTS | hwfRequireCTS)) != 0 && rs485_) {
        rs485_ = false;
        ApplyRs485();
    }
    ApplyHardwareFlow();
}

void VlComPort::SetSWFlowOptions(SWFlowOptions options)
{
    swFlow_ = options;
    if (options != swfNone) {
        if (bufferFull_ == 0 || bufferFull_ > inSize_)
            bufferFull_ = Percent(inSize_, 75);
        if (bufferResume_ == 0 || bufferResume_ > bufferFull_)
            bufferResume_ = Percent(inSize_, 25);
    }
    ApplySoftwareFlow();
}

void VlComPort::SetXOnChar(char c)
{
    xonChar_ = c;
    if (Applies())
        base::CheckException(
            dispatcher_->SetXonXoffChars(static_cast<std::uint8_t>(xonChar_), static_cast<std::uint8_t>(xoffChar_)));
}

void VlComPort::SetXOffChar(char c)
{
    xoffChar_ = c;
    if (Applies())
        base::CheckException(
            dispatcher_->SetXonXoffChars(static_cast<std::uint8_t>(xonChar_), static_cast<std::uint8_t>(xoffChar_)));
}

void VlComPort::SetBufferFull(int level)
{
    if (level > inSize_) {
        level = Percent(level, 90);
        // 90 % of a level far above the queue is still above it, and would
        // make every later open fail on the flow limits.
        if (level > inSize_)
            level = Percent(inSize_, 90);
    }
    bufferFull_ = level;
    ApplyHardwareFlow();
    ApplySoftwareFlow();
}

void VlComPort::SetBufferResume(int level)
{
    if (level > bufferFull_)
        level = Percent(bufferFull_, 10);
    bufferResume_ = level;
    ApplyHardwareFlow();
    ApplySoftwareFlow();
}

void VlComPort::SetRS485Mode(bool on)
{
    rs485_ = on;
    if (on) {
        if ((hwFlow_ & (hwfUseRTS | hwfRequireCTS)) != 0) {
            hwFlow_ &= ~(hwfUseRTS | hwfRequireCTS);
            ApplyHardwareFlow();
        }
        rts_ = false;
        ApplyRts();
    }
    ApplyRs485();
}

void VlComPort::SetAvailThreshold(int bytes)
{
    availThreshold_ = bytes;
    if (Applies())
        dispatcher_->SetAvailThreshold(bytes);
}

void VlComPort::SetThreadBoost(int boost)
{
    threadBoost_ = boost;
    if (Applies())
        dispatcher_->SetPriorityBoost(boost);
}

}  // namespace vl::serial
