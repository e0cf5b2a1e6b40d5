// The shared frame of the benchmark programs.
#pragma once

#include <functional>

namespace vl::bench {

// Runs a benchmark's main function. Memory comes from a heap that keeps what
// it frees: otherwise large buffers are mapped afresh in every repetition
// while a peer's small allocations are reused, and the timings measure page
// faults (and which side happens to pay them) rather than the code. An
// exception is reported under the program's name and gives exit status 2.
int RunBenchmark(const char* program, int (*main)(int, char**), int argc, char** argv);

// How long `work` takes, in seconds of the steady clock.
double Seconds(const std::function<void()>& work);

}  // namespace vl::bench
