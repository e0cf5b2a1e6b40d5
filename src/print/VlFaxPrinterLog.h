// The print log: one entry for each start and end of a print job, appended
// to a text file that is opened and closed for every entry.
#pragma once

#include <string>

namespace vl::print {

enum class PrintLogCode { lcStart = 0, lcFinish = 1, lcAborted = 2, lcFailed = 3 };

// "Printing FILE started at NOW", or finished, aborted or failed with an
// empty line after it; every line ends in "\n".
std::string PrintLogText(PrintLogCode code, const std::string& faxFile, const std::string& now);

class VlFaxPrinterLog {
public:
    // Relative names are taken from the working folder; the program sets a
    // name in its data folder.
    std::string LogFileName = "FAXPRINT.LOG";

    // Returns 0 or the negated I/O code.
    int WriteLog(PrintLogCode code, const std::string& faxFile, const std::string& now) const;
};

}  // namespace vl::print
