// The commands run on received faxes, started without waiting for them:
// receive mode must stay free to answer the next call while one runs. Each
// runs in a process group of its own, with its output appended to a log
// file, and is watched from the event loop until it ends.
#pragma once

#include <sys/types.h>

#include <QTimer>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vl::ui {

class ReceiptCommandRunner {
public:
    // Why a command did not succeed: "could not be started: ...",
    // "exit status 3", "signal 9 (Killed)" or that it outran its time.
    using Failed = std::function<void(const std::string& reason)>;

    // A hung command is stopped (with whatever it started) after `limit`:
    // generous, since mailing a fax may wait long on a slow server.
    explicit ReceiptCommandRunner(std::string logFile, std::chrono::seconds limit = std::chrono::minutes(30));
    ReceiptCommandRunner(const ReceiptCommandRunner&) = delete;
    ReceiptCommandRunner& operator=(const ReceiptCommandRunner&) = delete;
    // Commands still running are left to finish: one may be mailing the fax
    // just received, and killing it would lose that for nothing. Their
    // output still goes to the log; only their outcome goes untold.
    ~ReceiptCommandRunner();

    // Starts the command (argv[0] looked up in PATH) and returns at once.
    // `failed` runs on this thread: at once when it cannot start, else
    // from the event loop when it ends badly.
    void Start(const std::vector<std::string>& argv, Failed failed);
    std::size_t Running() const { return running_.size(); }

private:
    struct Command {
        pid_t pid = -1;
        std::chrono::steady_clock::time_point deadline;
        bool stopped = false;  // killed at the time limit, not reaped yet
        Failed failed;
    };

    void Poll();
    std::string LimitText() const;

    std::string logFile_;
    std::chrono::seconds limit_;
    std::vector<Command> running_;
    QTimer poll_;
};

}  // namespace vl::ui
