// The modem command operations shared by sending, receive mode and the modem
// tools: opening the port with a message the user can read, and short AT
// dialogues that wait for "OK".
#pragma once

#include <string>

#include "base/Ticks.h"

namespace vl::serial {
class VlComPort;
}

namespace vl::app {

// How long a command waits for "OK" (about two seconds).
inline constexpr base::Tick kModemReplyTicks = 36;

// Opens the port. On failure answers false with the text for the user in
// `message` and the error's code as LastPortError (-1 when the error carried
// no code); `message` is emptied first.
bool OpenPort(serial::VlComPort& port, std::string& message);
// The code of the last failed OpenPort, -1 after one that failed without a
// code or succeeded.
int LastPortError();

// "AT", and when that brings no "OK" and `resetString` (trimmed) is not empty,
// that string; true once "OK" came.
bool CheckModem(serial::VlComPort& port, const std::string& resetString);
// `command` with "AT" in front unless it holds "AT" already (in any case).
std::string WithAtPrefix(const std::string& command);
// Ports as the program finds them: COM numbers mapped to devices by the
// settings file, lock files falling back to the data folder, never prompting.
void UseProgramPorts(serial::VlComPort& port);

// Sends WithAtPrefix(command) and waits for "OK".
bool SendModemCommand(serial::VlComPort& port, const std::string& command);
// "AT&F"; when sending or waiting raises, "ATZ" once more and false whatever
// comes back.
bool ResetModem(serial::VlComPort& port);

}  // namespace vl::app
