// The line settings as termios holds them.
#pragma once

#include <termios.h>

#include "serial/SerialDevice.h"

namespace vl::serial {

// Sets speed, framing, CTS/RTS flow and Xon/Xoff in `tio`, leaving its other
// flags alone. 0, or ecBaudRateNotSupported / ecDataBitsNotSupported (and
// `tio` unchanged). CTS output flow and the RTS handshake both become
// CRTSCTS, which covers both directions.
int SettingsToTermios(const LineSettings& settings, termios& tio);

// What `tio` holds; the fields termios has no place for (DTR and RTS control
// unless CRTSCTS decides them, DSR flow, Xon/Xoff limits) and the choice
// between 2 and 1.5 stop bits with five data bits come from `remembered`.
LineSettings SettingsFromTermios(const termios& tio, const LineSettings& remembered);

}  // namespace vl::serial
