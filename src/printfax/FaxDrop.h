// Handing a finished fax file to the main window: it takes the next free
// fax name in the send folder, then its sidecar goes beside it. The import
// looks for sidecars, so it sees the fax only once both are complete.
#pragma once

#include <string>

#include "app/PrinterDriverSidecar.h"

namespace vl::printfax {

// Moves `finishedFile` (in the send folder) to the first free "FAX" name
// there, never replacing a file another job took meanwhile, and writes the
// ".KQD" sidecar of the same name. Empty when done, with the fax file's
// path in `faxFile`; else why not: no fax file or sidecar was added, and
// `finishedFile` is where it was, for the caller to remove.
std::string DropFax(const std::string& sendFolder, const std::string& finishedFile,
                    const app::PrinterDriverSidecar& fields, std::string& faxFile);

}  // namespace vl::printfax
