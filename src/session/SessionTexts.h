// The error window texts both fax sessions show when the port or the modem
// fails. They differ only in where they send the user to find the modem:
// the send window has its own Preferences button.
#pragma once

#include <string>

namespace vl::session {

enum class PreferencesPlace { SendWindow, MainWindow };

// "COM" and the number.
std::string ComName(int comNumber);

// OpenPort's message, then the question whether the port is right.
std::string PortOpenFailureText(const std::string& message, int comNumber, PreferencesPlace place);
// Offered with Continue: no "OK" came from the port.
std::string NoModemResponseText(int comNumber, PreferencesPlace place);
std::string ResetStringFailureText(const std::string& resetString, int comNumber, PreferencesPlace place);

}  // namespace vl::session
