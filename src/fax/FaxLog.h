// The fax history: one or more text lines per log message of a fax component,
// appended to a history file that is opened and closed for every message.
#pragma once

#include <string>
#include <vector>

namespace vl::fax {

// What the lines of a log message tell; each code uses some of it.
struct FaxLogFacts {
    std::vector<std::string> faxFileList;  // transmit started: one line per file
    std::string phoneNumber;               // transmit started
    std::string faxFile;                   // receive started
    std::string remoteId;                  // transmit OK, receive started
    std::string errorText;                 // the failed ones
    int hangupCode = 0;                    // transmit OK and failed
};

// The lines for `logCode` (kLogTransmitStarted .. kLogReceiveFailed), each ended by "\n" as every text file the program
// writes on Linux; `now` is the date and time as the user's format shows it.
// An unknown code gives no text.
std::string FaxLogText(int logCode, const FaxLogFacts& facts, const std::string& now);

class VlFaxLog {
public:
    // Relative names are taken from the working folder; the program sets a
    // name in its data folder.
    std::string FaxHistoryName = "ZERVFAX.HIS";

    // Appends the lines of one log message, creating the file when it is
    // missing. Returns 0 or the negated I/O code; on a failure the history
    // already in the file is left as it was.
    int WriteLog(int logCode, const FaxLogFacts& facts, const std::string& now) const;
};

}  // namespace vl::fax
