// Facts about the system for the configuration report, read from the texts
// the kernel and the distribution leave in /proc and /etc.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vl::app {

// The distribution's name from an os-release file: PRETTY_NAME, else NAME
// and VERSION; empty when the text has neither.
std::string OsReleaseName(std::string_view osRelease);

// Sizes in bytes from /proc/meminfo; a field the text lacks stays 0.
struct MemoryFacts {
    std::uint64_t total = 0, available = 0;          // MemTotal, MemAvailable
    std::uint64_t swapTotal = 0, swapFree = 0;       // SwapTotal, SwapFree
    std::uint64_t commitLimit = 0, committed = 0;    // CommitLimit, Committed_AS
    // The share of memory in use, 0 to 100; 0 without a total.
    int Load() const;
};
MemoryFacts ParseMemInfo(std::string_view memInfo);

// The first "model name" of /proc/cpuinfo; empty when there is none.
std::string CpuModelName(std::string_view cpuInfo);

// The value of KEY=value (optionally quoted) in a shell-style file such as
// /etc/default/locale; empty when absent.
std::string ShellAssignment(std::string_view text, std::string_view key);

// The number with the user's thousands separator ("," where the locale has
// none), as the report shows sizes.
std::string GroupedNumber(std::uint64_t value);

}  // namespace vl::app
