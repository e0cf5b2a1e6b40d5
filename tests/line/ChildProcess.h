// A program run in the background for a line test: its standard output can be
// read line by line while it runs, its standard error goes to a log file.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vl::test {

class ChildProcess {
public:
    // With `pipeOutput` false, standard output goes to the log file as well.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::filesystem::path& log, bool pipeOutput);
    // Stops the program if it still runs: SIGTERM, then SIGKILL after 3 s.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next whole line of standard output, without its newline; nothing when
    // none arrives within `timeout` or the output ended.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // The exit status (-1 for a signal) once the program ends within `timeout`.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    void Stop();

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string pending_;
    std::optional<int> status_;
};

}  // namespace vl::test
