// The port speed around a session and the ways a call is hung up.
#include "fax/FaxEngine.h"

namespace vl::fax {

namespace {

void SetBaud(serial::VlBaseDispatcher& port, int baud)
{
    port.SetLineParams(baud, serial::kParityUnchanged, serial::kDataBitsUnchanged, serial::kStopBitsUnchanged);
}

}  // namespace

void FaxEngine::SwitchToNormalBaud()
{
    SetBaud(port_, kPortCommandBaud);
    if (modem_.initBaud == 0 || !modem_.atInitBaud)
        return;
    PauseTicks(kBaudSwitchPauseTicks);
    SetBaud(port_, modem_.normalBaud);
    modem_.atInitBaud = false;
}

void FaxEngine::SwitchToInitBaud()
{
    SetBaud(port_, kPortCommandBaud);
    if (modem_.initBaud == 0 || modem_.atInitBaud)
        return;
    PauseTicks(kBaudSwitchPauseTicks);
    SetBaud(port_, modem_.initBaud);
    modem_.atInitBaud = true;
}

void FaxEngine::DropDtr()
{
    port_.DiscardInput();
    port_.DiscardOutput();
    port_.SetDtrState(false);
    port_.SetRtsState(false);
    PauseMs(kDtrDropMs);
    port_.SetDtrState(true);
    port_.SetRtsState(true);
    PauseMs(kDtrDropMs);
}

void FaxEngine::HangUpSender()
{
    if (port_.CheckSignal(serial::msDcd)) {
        PauseMs(kEscapeGuardMs);
        SendRaw("+++");
        PauseMs(kEscapeGuardMs);
        SendCommand("ATH0");
        PauseMs(kEscapeGuardMs);
        port_.DiscardInput();
        if (port_.CheckSignal(serial::msDcd))
            DropDtr();
        return;
    }
    SendCommand("ATH0");
    PauseMs(kEscapeGuardMs);
    port_.DiscardInput();
}

void FaxEngine::HangUpReceiver()
{
    DropDtr();
    PauseMs(kEscapeGuardMs);
    SendRaw("+++");
    PauseMs(kEscapeGuardMs);
    SendCommand("ATH");
    PauseMs(kEscapeGuardMs);
    port_.DiscardInput();
}

}  // namespace vl::fax
