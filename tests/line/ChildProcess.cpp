#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

namespace vl::test {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::filesystem::path& log, bool pipeOutput) {
    int pipeFds[2] = {-1, -1};
    if (pipeOutput && pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    const int logFd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (logFd < 0) throw std::runtime_error("cannot open " + log.string());
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        // Its own process group, so that stopping it also stops what it started.
        setpgid(0, 0);
        const int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, 0);
        dup2(pipeOutput ? pipeFds[1] : logFd, 1);
        dup2(logFd, 2);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    setpgid(pid_, pid_);
    close(logFd);
    if (pipeOutput) {
        close(pipeFds[1]);
        out_ = pipeFds[0];
    }
}

ChildProcess::~ChildProcess() {
    Stop();
    if (out_ >= 0) close(out_);
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const auto nl = pending_.find('\n'); nl != std::string::npos) {
            std::string line = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            return line;
        }
        if (out_ < 0) return std::nullopt;
        pollfd p{out_, POLLIN, 0};
        const int ready = poll(&p, 1, RemainingMs(deadline));
        if (ready <= 0) return std::nullopt;
        char buf[1024];
        const ssize_t n = read(out_, buf, sizeof buf);
        if (n <= 0) {
            close(out_);
            out_ = -1;
            continue;
        }
        pending_.append(buf, static_cast<size_t>(n));
    }
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!status_) {
        int status = 0;
        const pid_t r = waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (r < 0) {
            status_ = -1;
            break;
        }
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return status_;
}

void ChildProcess::Stop() {
    if (pid_ <= 0 || status_) return;
    kill(-pid_, SIGTERM);
    if (!Wait(std::chrono::seconds(3))) {
        kill(-pid_, SIGKILL);
        Wait(std::chrono::seconds(3));
    }
}

}  // namespace vl::test
