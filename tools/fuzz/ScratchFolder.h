// A folder for fuzz targets that must hand their input to a reader as a file:
// made once per process in memory-backed storage when there is one.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vl::fuzz {

inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/vl-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        static const std::string made = pattern;
        std::atexit([] { std::filesystem::remove_all(made); });
        return pattern + "/";
    }();
    return folder;
}

}  // namespace vl::fuzz
