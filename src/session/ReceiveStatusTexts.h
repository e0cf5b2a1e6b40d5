// What receive mode makes of a status event of the receive fax component:
// the receive log line for a new status, and the main window's status line.
#pragma once

#include <string>

namespace vl::session {

// The log line for status `code` (4820..4843), with the page number and the
// remote station ID where the line names them; empty for a code that is not
// logged.
std::string ReceiveStatusLogLine(int code, int page, const std::string& remoteId);

// The status line: the component's text for the code, trimmed, with the
// hang-up report and the page data named plainly, " from: " and the remote
// ID when one is known (for page data also the page and the bytes so far),
// and nothing for an abort.
std::string ReceiveStatusLine(const std::string& statusText, int code, const std::string& remoteId, int page,
                              long bytes);

}  // namespace vl::session
