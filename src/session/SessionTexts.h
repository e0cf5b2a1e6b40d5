// The error window texts both fax sessions show when the port or the modem
// fails. They differ only in where they send the user to find the modem:
// the send window has its own Preferences button.
#pragma once

#include <string>

namespace vl::serial {
class VlComPort;
}

namespace vl::session {

enum class PreferencesPlace { SendWindow, MainWindow };

// OpenPort's message, then the question whether the port is right.
std::string PortOpenFailureText(const std::string& message, const serial::VlComPort& port, PreferencesPlace place);
// Offered with Continue: no "OK" came from the port.
std::string NoModemResponseText(const serial::VlComPort& port, PreferencesPlace place);
std::string ResetStringFailureText(const std::string& resetString, const serial::VlComPort& port,
                                   PreferencesPlace place);

}  // namespace vl::session
