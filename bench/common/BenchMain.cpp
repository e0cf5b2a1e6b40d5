#include "BenchMain.h"

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <limits>

namespace vl::bench {

int RunBenchmark(const char* program, int (*main)(int, char**), int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, std::numeric_limits<int>::max());
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    try {
        return main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
        return 2;
    }
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace vl::bench
