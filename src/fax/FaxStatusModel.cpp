#include "fax/FaxStatusModel.h"

#include <cstdint>
#include <cstdio>

#include "base/ErrorCodes.h"
#include "base/MessageTable.h"

namespace vl::fax {

namespace {

// Tick counts wrap like 32-bit numbers.
base::Tick TicksBetween(base::Tick from, base::Tick to)
{
    return static_cast<base::Tick>(static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from));
}

bool StartsClock(int progress)
{
    return progress == base::fpSessionParams || progress == base::fpGotRemoteId;
}

bool StopsClock(int progress)
{
    return progress == base::fpUserAbort || progress == base::fpFinished || progress == base::fpGotHangupCode;
}

}  // namespace

std::string MinutesSeconds(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    return text;
}

void FaxStatusModel::Update(const FaxStatusInput& input, bool first, bool last, base::Tick now)
{
    if (first) {
        view_ = FaxStatusView{};
        view_.visible = true;
        clockStarted_ = clockStopped_ = redialWaiting_ = false;
    }
    if (last) {
        view_.visible = false;
        return;
    }
    Refresh(input, now);
}

void FaxStatusModel::Cancel() const
{
    if (OnCancel)
        OnCancel();
}

void FaxStatusModel::Refresh(const FaxStatusInput& input, base::Tick now)
{
    const FaxProgressValues& values = input.values;
    if (StartsClock(values.progress) && !clockStarted_) {
        clockStarted_ = true;
        clockStart_ = now;
    }
    if (StopsClock(values.progress) && clockStarted_ && !clockStopped_) {
        clockStopped_ = true;
        clockStop_ = now;
    }
    const bool redial = values.progress == base::fpBusyWait;
    if (redial && !redialWaiting_)
        redialStart_ = now;
    redialWaiting_ = redial;

    FaxStatusView& v = view_;
    v.phoneNumber = input.sender ? input.phoneNumber : "";
    v.faxFile = input.sender ? input.faxFile : "";
    v.coverFile = input.sender ? input.coverFile : "";
    v.dialAttempt = input.sender ? std::to_string(values.dialAttempt) : "1";
    v.totalPages = std::to_string(values.pagesInFile);
    v.remoteId = values.remoteId;
    v.connectSpeed = std::to_string(values.bps);
    v.resolution = values.fine ? "high" : "standard";
    v.width = values.wide ? "2048" : "1728";
    v.errorControl = values.ecm ? "on" : "off";
    v.currentPage = values.currentPage == 0 ? "<cover page>" : std::to_string(values.currentPage);
    v.pageLength = std::to_string(values.pageLength);
    v.bytesTransferred = std::to_string(values.bytesTransferred);
    v.elapsedTime = ElapsedText(now);
    v.statusText = base::ProgressText(values.progress);
    if (redial)
        v.statusText += " " + MinutesSeconds(input.redialWaitSecs -
                                             base::TicksToSecs(TicksBetween(redialStart_, now)));
    v.meterVisible = input.sender;
    if (input.sender) {
        // A page's length is known only once it is started; bytes can run
        // ahead of a stale length, and the meter never reads above full.
        const long long percent =
            values.pageLength > 0 ? static_cast<long long>(values.bytesTransferred) * 100 / values.pageLength : 0;
        v.meterPercent = static_cast<int>(percent < 0 ? 0 : percent > 100 ? 100 : percent);
        v.meterLabel = "Page progress:";
    } else {
        v.meterPercent = 0;
        v.meterLabel = "Page progress: N/A";
    }
}

std::string FaxStatusModel::ElapsedText(base::Tick now) const
{
    if (!clockStarted_)
        return "00:00";
    return MinutesSeconds(base::TicksToSecs(TicksBetween(clockStart_, clockStopped_ ? clockStop_ : now)));
}

}  // namespace vl::fax
