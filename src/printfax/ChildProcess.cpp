#include "printfax/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace vl::printfax {

namespace {

constexpr long kPollNanoseconds = 10'000'000;

// In the child between fork and exec: only calls that are safe there.
[[noreturn]] void ExecChild(char* const* argv, int in, int log, int report, std::uint64_t maxFileBytes) {
    setpgid(0, 0);
    const rlimit fileSize{maxFileBytes, maxFileBytes};
    setrlimit(RLIMIT_FSIZE, &fileSize);
    dup2(in, STDIN_FILENO);
    dup2(log, STDOUT_FILENO);
    dup2(log, STDERR_FILENO);
    execvp(argv[0], argv);
    // The exec failed: tell the parent through the pipe that closes on exec.
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(report, &error, sizeof error);
    _exit(127);
}

// The errno of a failed exec, or 0 once the program runs.
int ExecError(int report) {
    int error = 0;
    ssize_t n;
    do n = read(report, &error, sizeof error);
    while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(sizeof error) ? error : 0;
}

pid_t WaitFor(pid_t pid, int& status, int options) {
    pid_t done;
    do done = waitpid(pid, &status, options);
    while (done < 0 && errno == EINTR);
    return done;
}

}  // namespace

StartedChild StartChild(const std::vector<std::string>& argv, const std::string& logFile, ChildLog log,
                        std::uint64_t maxFileBytes) {
    StartedChild child;
    if (argv.empty()) {
        child.error = ENOENT;
        return child;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int mode = log == ChildLog::Append ? O_APPEND : O_TRUNC;
    const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int out = open(logFile.c_str(), O_WRONLY | O_CREAT | mode | O_CLOEXEC, 0600);
    int report[2] = {-1, -1};
    if (in < 0 || out < 0 || pipe2(report, O_CLOEXEC) != 0) {
        child.error = errno;
        for (int fd : {in, out, report[0], report[1]})
            if (fd >= 0) close(fd);
        return child;
    }
    const pid_t pid = fork();
    if (pid == 0) ExecChild(args.data(), in, out, report[1], maxFileBytes);
    const int forkError = errno;
    close(in);
    close(out);
    close(report[1]);
    if (pid < 0) {
        close(report[0]);
        child.error = forkError;
        return child;
    }
    child.error = ExecError(report[0]);
    close(report[0]);
    if (child.error == 0) {
        child.pid = pid;
        return child;
    }
    // The child ends at once after a failed exec.
    int status = 0;
    WaitFor(pid, status, 0);
    return child;
}

void KillChild(pid_t pid) {
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
}

std::string ChildEnd(int waitStatus) {
    if (WIFSIGNALED(waitStatus)) {
        const int signal = WTERMSIG(waitStatus);
        const char* name = strsignal(signal);
        return "signal " + std::to_string(signal) + (name ? std::string(" (") + name + ")" : std::string());
    }
    return "exit status " + std::to_string(WEXITSTATUS(waitStatus));
}

ChildOutcome RunChild(const std::vector<std::string>& argv, const std::string& logFile, const ChildLimits& limits) {
    ChildOutcome outcome;
    const StartedChild child = StartChild(argv, logFile, ChildLog::Replace, limits.maxFileBytes);
    if (child.pid < 0) return outcome;
    outcome.started = true;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limits.seconds);
    int status = 0;
    bool reaped = false;
    for (;;) {
        const pid_t done = waitpid(child.pid, &status, WNOHANG);
        if (done == child.pid) {
            reaped = true;
            break;
        }
        if (done < 0 && errno != EINTR) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            KillChild(child.pid);
            outcome.timedOut = true;
            WaitFor(child.pid, status, 0);
            break;
        }
        const timespec pause{0, kPollNanoseconds};
        nanosleep(&pause, nullptr);
    }
    // A child that could not be waited for has no status to trust.
    outcome.exitCode = reaped && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace vl::printfax
