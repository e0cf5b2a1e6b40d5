// A print job delivered to the user's Vellora: faxed into the send folder
// VLPD.INI names, logged, and a running Vellora asked to import it. Shared
// by the print-to-fax tool and the print system's backend.
#pragma once

#include <string>
#include <string_view>

#include "printfax/JobOptions.h"
#include "printfax/PrintJob.h"

namespace vl::printjob {

// The outcome is also written to the data folder's "vellora-print.log",
// where a user finds what became of a job nobody watched.
printfax::JobOutcome DeliverJob(std::string_view document, const printfax::JobOptions& options);

// A line in that log; failures to log are not the job's.
void LogJob(const std::string& text);

}  // namespace vl::printjob
