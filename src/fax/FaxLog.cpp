#include "fax/FaxLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/ErrorCodes.h"
#include "base/IoErrors.h"
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
    const int fd = open(FaxHistoryName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return base::LastIoError(base::IoOperation::Open);
    std::size_t written = 0;
    int rc = 0;
    while (written < text.size() && rc == 0) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) rc = n < 0 ? base::LastIoError(base::IoOperation::Write) : base::ecDeviceWrite;
        else written += static_cast<std::size_t>(n);
    }
    if (close(fd) != 0 && rc == 0) rc = base::LastIoError(base::IoOperation::Close);
    return rc;
}

}  // namespace vl::fax
