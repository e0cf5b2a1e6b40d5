#include "session/ReceiveStatusTexts.h"

#include "base/ErrorCodes.h"
#include "base/PlainText.h"
#include "base/TextCase.h"

namespace vl::session {

std::string ReceiveStatusLogLine(int code, int page, const std::string& remoteId)
{
    const std::string pageNumber = std::to_string(page);
    switch (code) {
    case base::fpWaitingForCall: return "Waiting for call ";
    case base::fpNoConnect: return "Call was not a fax call ";
    case base::fpAnswering: return "Answering call ";
    case base::fpCallValidated: return "Call validated as a fax call ";
    case base::fpGettingPage: return "Receiving page " + pageNumber;
    case base::fpGettingPageEnd: return "Page " + pageNumber + " received ";
    case base::fpGettingDocStatus: return "Waiting for more pages ";
    case base::fpGettingHangup: return "Hanging up ";
    case base::fpGotHangupCode: return "Faxmodem has disconnected or hung up ";
    case base::fpSessionParams: return "Got session parameters";
    case base::fpGotRemoteId: return "Connected to " + base::TrimBlanks(remoteId) + " ";
    case base::fpUserAbort: return "Session cancelled by the user or by the remote device ";
    case base::fpFinished: return "Finished ";
    default: return {};
    }
}

std::string ReceiveStatusLine(const std::string& statusText, int code, const std::string& remoteId, int page,
                              long bytes)
{
    std::string line = base::TrimBlanks(statusText);
    if (base::ContainsNoCase(line, "ABORT"))
        return {};
    if (base::UpperAscii(line) == "GOT CLASS 2 FHNG CODE")
        line = "Hangup successful";
    else if (line == "Getting page data")
        line = "Receiving fax";
    const std::string id = base::TrimBlanks(remoteId);
    if (id.empty())
        return line;
    line += " from: " + id;
    if (code == base::fpGettingPage) {
        if (page > 0)
            line += ", page " + std::to_string(page);
        if (bytes > 0)
            line += " (" + std::to_string(bytes) + " bytes)";
    }
    return line;
}

}  // namespace vl::session
