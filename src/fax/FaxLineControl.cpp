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
    SwitchBaud(modem_.initBaud != 0 ? modem_.normalBaud : kPortCommandBaud);
}

void FaxEngine::SwitchToInitBaud()
{
    SwitchBaud(modem_.initBaud != 0 ? modem_.initBaud : kPortCommandBaud);
}

// Without an init rate every switch leaves the port at the command speed. A
// port already at the wanted rate is left alone: going through the command
// speed and the pause would gain nothing.
void FaxEngine::SwitchBaud(int baud)
{
    if (port_.GetLineParams().baud == baud)
        return;
    SetBaud(port_, kPortCommandBaud);
    if (baud == kPortCommandBaud)
        return;
    PauseTicks(kBaudSwitchPauseTicks);
    SetBaud(port_, baud);
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
