#include "print/VlFaxPrinterLog.h"

#include "base/AppendFile.h"

namespace vl::print {

std::string PrintLogText(PrintLogCode code, const std::string& faxFile, const std::string& now) {
    const std::string start = "Printing " + faxFile;
    switch (code) {
        case PrintLogCode::lcStart: return start + " started at " + now + "\n";
        case PrintLogCode::lcFinish: return start + " finished at " + now + "\n\n";
        case PrintLogCode::lcAborted: return start + " aborted at " + now + "\n\n";
        case PrintLogCode::lcFailed: return start + " failed at " + now + "\n\n";
    }
    return {};
}

int VlFaxPrinterLog::WriteLog(PrintLogCode code, const std::string& faxFile, const std::string& now) const {
    return base::AppendToFile(LogFileName, PrintLogText(code, faxFile, now));
}

}  // namespace vl::print
