// Telling a running Vellora that a printed fax waits in the send folder.
#pragma once

#include <string>

namespace vl::printjob {

// Sends the "import" request to the first copy running on `programFolder`;
// false when none listens (it then imports at its next activation).
bool AskVelloraToImport(const std::string& programFolder);

}  // namespace vl::printjob
