// Line speeds in bits per second and the termios speed codes for them.
#pragma once

#include <termios.h>

namespace vl::serial {

// The speed code of a rate the driver offers (50 to 4000000), or B0 for any
// other rate.
speed_t SpeedForBaud(int baud);
// The rate of a speed code; 0 for B0 and unknown codes.
int BaudForSpeed(speed_t speed);

}  // namespace vl::serial
