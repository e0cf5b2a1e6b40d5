// Running a helper program as a child process under limits, so that a
// document that makes it crash, hang or write without end harms only the
// child.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vl::printfax {

struct ChildLimits {
    int seconds = 300;                            // wall-clock time, then it is killed
    std::uint64_t maxFileBytes = std::uint64_t{1} << 30;  // largest file it may write
};

struct ChildOutcome {
    bool started = false;   // false: the program could not be run at all
    bool timedOut = false;  // killed at the time limit
    int exitCode = -1;      // its exit status; -1 when a signal ended it
};

// Runs argv[0], looked up in PATH, with standard input from /dev/null and
// standard output and error into `logFile`, in a process group of its own
// that is killed whole at the time limit.
ChildOutcome RunChild(const std::vector<std::string>& argv, const std::string& logFile, const ChildLimits& limits);

enum class ChildLog { Replace, Append };

struct StartedChild {
    pid_t pid = -1;  // the running child; -1 when the program could not be run
    int error = 0;   // then the errno that says why
};

// Starts argv[0] as RunChild does, the log file replaced or appended to,
// and returns as soon as the program runs. The caller reaps the child.
StartedChild StartChild(const std::vector<std::string>& argv, const std::string& logFile, ChildLog log,
                        std::uint64_t maxFileBytes);

// Kills a started child's whole process group.
void KillChild(pid_t pid);

// What ended a child, from its wait status: "exit status 3", or
// "signal 9 (Killed)".
std::string ChildEnd(int waitStatus);

}  // namespace vl::printfax
