// Running a helper program as a child process under limits, so that a
// document that makes it crash, hang or write without end harms only the
// child.
#pragma once

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

}  // namespace vl::printfax
