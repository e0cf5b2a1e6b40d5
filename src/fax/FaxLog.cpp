#include "fax/FaxLog.h"

#include "base/AppendFile.h"
#include "fax/FaxCodes.h"

namespace vl::fax {

std::string FaxLogText(int logCode, const FaxLogFacts& facts, const std::string& now) {
    const std::string hangup = std::to_string(facts.hangupCode);
    switch (logCode) {
        case kLogTransmitStarted: {
            std::string text;
            for (const std::string& file : facts.faxFileList)
                text += "Transmit " + file + " to " + facts.phoneNumber + " started at " + now + "\n";
            return text;
        }
        case kLogTransmitOk: return "Transmit to " + facts.remoteId + " finished OK at " + now + " " + hangup + "\n\n";
        case kLogTransmitFailed:
            return "Transmit failed at " + now + "\n  (" + facts.errorText + ") " + hangup + "\n\n";
        case kLogReceiveStarted: return "Receive " + facts.faxFile + " from " + facts.remoteId + " started at " + now + "\n";
        case kLogReceiveOk: return "Receive finished OK at " + now + "\n\n";
        case kLogReceiveSkipped: return "Receive skipped at " + now + "\n\n";
        case kLogReceiveFailed: return "Receive failed at " + now + "\n  (" + facts.errorText + ")\n\n";
        default: return {};
    }
}

int VlFaxLog::WriteLog(int logCode, const FaxLogFacts& facts, const std::string& now) const {
    const std::string text = FaxLogText(logCode, facts, now);
    if (text.empty()) return 0;
    return base::AppendToFile(FaxHistoryName, text);
}

}  // namespace vl::fax
