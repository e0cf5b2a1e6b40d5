#include "printfax/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace vl::printfax {

namespace {

constexpr long kPollNanoseconds = 10'000'000;

// In the child between fork and exec: only calls that are safe there.
[[noreturn]] void ExecChild(char* const* argv, int in, int log, int report, const ChildLimits& limits) {
    setpgid(0, 0);
    const rlimit fileSize{limits.maxFileBytes, limits.maxFileBytes};
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

bool ExecFailed(int report) {
    int error = 0;
    ssize_t n;
    do n = read(report, &error, sizeof error);
    while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(sizeof error);
}

}  // namespace

ChildOutcome RunChild(const std::vector<std::string>& argv, const std::string& logFile, const ChildLimits& limits) {
    ChildOutcome outcome;
    if (argv.empty()) return outcome;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int report[2] = {-1, -1};
    if (in < 0 || log < 0 || pipe2(report, O_CLOEXEC) != 0) {
        for (int fd : {in, log, report[0], report[1]})
            if (fd >= 0) close(fd);
        return outcome;
    }
    const pid_t pid = fork();
    if (pid == 0) ExecChild(args.data(), in, log, report[1], limits);
    close(in);
    close(log);
    close(report[1]);
    if (pid < 0) {
        close(report[0]);
        return outcome;
    }
    const bool execFailed = ExecFailed(report[0]);
    close(report[0]);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limits.seconds);
    int status = 0;
    bool reaped = false;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            reaped = true;
            break;
        }
        if (done < 0 && errno != EINTR) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
            outcome.timedOut = true;
            pid_t gone;
            do gone = waitpid(pid, &status, 0);
            while (gone < 0 && errno == EINTR);
            break;
        }
        const timespec pause{0, kPollNanoseconds};
        nanosleep(&pause, nullptr);
    }
    outcome.started = !execFailed;
    // A child that could not be waited for has no status to trust.
    outcome.exitCode = reaped && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace vl::printfax
