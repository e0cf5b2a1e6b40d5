// A fax session's values as its component last took them from the engine:
// what status displays and history lines show.
#pragma once

#include <string>

namespace vl::fax {

struct FaxProgressValues {
    int progress = 0;        // 4801..4843, 0 before a session
    int lastError = 0;
    std::string remoteId;
    int bps = 0;
    bool fine = false;
    bool wide = false;
    bool ecm = false;
    int hangupCode = 0;
    int pagesInFile = 0;
    int currentPage = 0;     // sender: 0 while the cover page goes out
    long pageLength = 0;
    long bytesTransferred = 0;
    int dialAttempt = 0;     // sender, from 1
};

}  // namespace vl::fax
