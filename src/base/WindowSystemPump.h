// What a yield runs besides the program's own messages: the window system's
// pending events, so that windows repaint and timers fire while the main
// thread waits for a modem or converts a page. The desktop program installs
// the pump (its Qt adapter does); the command line and the tests have none.
#pragma once

#include <functional>

namespace vl::base {

// Installs the pump (empty: none); answers the one it replaces. Main thread.
std::function<void()> SetWindowSystemPump(std::function<void()> pump);

// Runs the installed pump, if any. Main thread.
void PumpWindowSystem();

}  // namespace vl::base
