// vellora-cli modem find and modem class: the modem tools of the settings
// windows, printing the texts the windows show.
#pragma once

#include "cli/Commands.h"

namespace vl::cli {

// The words after "modem find" / "modem class".
int RunModemFind(const Args& args);
int RunModemClass(const Args& args);

}  // namespace vl::cli
