// One print job made into a fax in the send folder: the document converted
// to an APF file under a temporary name, then handed over with its sidecar.
#pragma once

#include <string>
#include <string_view>

#include "printfax/JobOptions.h"

namespace vl::printfax {

struct JobOutcome {
    std::string failure;  // empty when the fax is in the send folder
    std::string faxFile;  // its path
    int pages = 0;
};

// Turns the document (PDF, PostScript, PNG, JPEG, TIFF or text, told from
// its bytes) into a fax in `sendFolder` (ends in "/"). On failure nothing of
// the job is left in the send folder.
JobOutcome PrintToFax(std::string_view document, const JobOptions& options, const std::string& sendFolder);

}  // namespace vl::printfax
