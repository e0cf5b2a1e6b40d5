// What the standard fax status window shows, as plain texts that a window (or
// a test) reads: the fax component feeds it the session's progress values on
// every status message, and the model keeps the elapsed time and the redial
// countdown, which depend on when progress codes were first seen.
#pragma once

#include <functional>
#include <string>

#include "base/Ticks.h"
#include "fax/FaxProgressValues.h"

namespace vl::fax {

// A fax component's values at one status message.
struct FaxStatusInput {
    FaxProgressValues values;
    bool sender = false;
    std::string phoneNumber;
    std::string faxFile;
    std::string coverFile;
    int redialWaitSecs = 0;  // the sender's wait between attempts
};

// The window's texts; a receiver leaves the sender-only texts empty.
struct FaxStatusView {
    bool visible = false;
    std::string phoneNumber;
    std::string faxFile;
    std::string coverFile;
    std::string dialAttempt;
    std::string totalPages;
    std::string remoteId;
    std::string connectSpeed;
    std::string resolution;    // "standard" or "high"
    std::string width;         // "1728" or "2048"
    std::string errorControl;  // "off" or "on"
    std::string currentPage;   // "<cover page>" for page 0
    std::string pageLength;
    std::string bytesTransferred;
    std::string elapsedTime;  // "mm:ss"
    std::string statusText;
    bool meterVisible = false;
    int meterPercent = 0;      // 0..100
    std::string meterLabel;  // "Page progress: N/A" for a receiver
};

class FaxStatusModel {
public:
    std::string Caption = "Fax Status";
    // What the window's Cancel button does (the linked component cancels).
    std::function<void()> OnCancel;

    // One status message. A first status opens the window and starts a new
    // session's clock; a last status hides it; any other refreshes the texts.
    // `now` is the present tick.
    void Update(const FaxStatusInput& input, bool first, bool last, base::Tick now);
    const FaxStatusView& View() const { return view_; }
    void Cancel() const;

private:
    void Refresh(const FaxStatusInput& input, base::Tick now);
    std::string ElapsedText(base::Tick now) const;

    FaxStatusView view_;
    // The clock runs from the first connection-parameters or remote-ID
    // progress to the first abort, finish or hang-up report.
    bool clockStarted_ = false;
    bool clockStopped_ = false;
    base::Tick clockStart_ = 0;
    base::Tick clockStop_ = 0;
    bool redialWaiting_ = false;
    base::Tick redialStart_ = 0;
};

// Seconds as "mm:ss" (minutes keep counting past 59); negative counts as 0.
std::string MinutesSeconds(int seconds);

}  // namespace vl::fax
