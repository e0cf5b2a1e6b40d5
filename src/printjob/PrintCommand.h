// vellora-print: a document printed to a fax in Vellora's send folder.
#pragma once

#include <string>
#include <vector>

namespace vl::printjob {

// The whole run for the arguments after the program's name: the job read,
// faxed into the send folder VLPD.INI names, logged in the data folder's
// "vellora-print.log", and a running Vellora asked to import it. A failure
// is one line on standard error starting "vellora-print: ". Returns the
// exit code: 0 done, 1 the job failed, 2 the arguments were wrong.
int RunPrintCommand(const std::vector<std::string>& args);

}  // namespace vl::printjob
