#include "ui/ReceiptCommandRunner.h"

#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

#include "base/AppendFile.h"
#include "printfax/ChildProcess.h"
#include "session/ReceiptCommand.h"
#include "session/SessionTimes.h"

namespace vl::ui {

namespace {

constexpr std::chrono::milliseconds kPollInterval{200};
// The user's command may write files of any size (an mbox, an archive).
constexpr std::uint64_t kNoFileLimit = std::numeric_limits<std::uint64_t>::max();

}  // namespace

ReceiptCommandRunner::ReceiptCommandRunner(std::string logFile, std::chrono::seconds limit)
    : logFile_(std::move(logFile)), limit_(limit)
{
    poll_.setInterval(kPollInterval);
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
}

ReceiptCommandRunner::~ReceiptCommandRunner() = default;

void ReceiptCommandRunner::Start(const std::vector<std::string>& argv, Failed failed)
{
    // Each run's output follows a line saying which command it is.
    base::AppendToFile(logFile_, session::ReceiveLogStamp(session::LocalNow()) + session::JoinCommandLine(argv) + "\n");
    const printfax::StartedChild child =
        printfax::StartChild(argv, logFile_, printfax::ChildLog::Append, kNoFileLimit);
    if (child.pid < 0) {
        failed("could not be started: " + std::string(std::strerror(child.error)));
        return;
    }
    running_.push_back({child.pid, std::chrono::steady_clock::now() + limit_, false, std::move(failed)});
    poll_.start();
}

void ReceiptCommandRunner::Poll()
{
    const auto now = std::chrono::steady_clock::now();
    // Told once the list is settled: a failure's handler may start another.
    std::vector<std::pair<Failed, std::string>> failures;
    for (auto it = running_.begin(); it != running_.end();) {
        int status = 0;
        const pid_t done = waitpid(it->pid, &status, WNOHANG);
        if (done == 0 || (done < 0 && errno == EINTR)) {
            // Killing the group at the limit; it is reaped on a later turn.
            if (!it->stopped && now >= it->deadline) {
                printfax::KillChild(it->pid);
                it->stopped = true;
            }
            ++it;
            continue;
        }
        // done < 0: reaped elsewhere, its outcome is unknown.
        if (it->stopped)
            failures.emplace_back(std::move(it->failed), "still running after " + LimitText() + ", stopped");
        else if (done > 0 && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
            failures.emplace_back(std::move(it->failed), printfax::ChildEnd(status));
        it = running_.erase(it);
    }
    if (running_.empty())
        poll_.stop();
    for (const auto& failure : failures)
        failure.first(failure.second);
}

std::string ReceiptCommandRunner::LimitText() const
{
    const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(limit_);
    const bool inMinutes = minutes == limit_;
    const auto count = inMinutes ? minutes.count() : limit_.count();
    return std::to_string(count) + (inMinutes ? " minute" : " second") + (count == 1 ? "" : "s");
}

}  // namespace vl::ui
