#include "app/SystemFacts.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>

#include "app/TextFiles.h"
#include "base/PlainText.h"

namespace vl::app {

namespace {

// The lines "KEY=value" of the text, value without one pair of quotes.
std::string AssignedValue(std::string_view text, std::string_view key, char separator) {
    for (const std::string& line : SplitTextLines(text)) {
        const std::string trimmed = base::TrimBlanks(line);
        const std::size_t at = trimmed.find(separator);
        if (at == std::string::npos || base::TrimBlanks(trimmed.substr(0, at)) != key) continue;
        std::string value = base::TrimBlanks(trimmed.substr(at + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

std::uint64_t KiloBytes(std::string_view memInfo, std::string_view key) {
    const std::string value = AssignedValue(memInfo, key, ':');
    std::uint64_t number = 0;
    const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || number > UINT64_MAX / 1024) return 0;
    return number * 1024;
}

}  // namespace

std::string OsReleaseName(std::string_view osRelease) {
    const std::string pretty = AssignedValue(osRelease, "PRETTY_NAME", '=');
    if (!pretty.empty()) return pretty;
    const std::string name = AssignedValue(osRelease, "NAME", '=');
    const std::string version = AssignedValue(osRelease, "VERSION", '=');
    return name.empty() || version.empty() ? name + version : name + " " + version;
}

int MemoryFacts::Load() const {
    if (total == 0 || available >= total) return 0;
    return static_cast<int>(static_cast<long double>(total - available) * 100 / static_cast<long double>(total));
}

MemoryFacts ParseMemInfo(std::string_view memInfo) {
    MemoryFacts facts;
    facts.total = KiloBytes(memInfo, "MemTotal");
    facts.available = KiloBytes(memInfo, "MemAvailable");
    facts.swapTotal = KiloBytes(memInfo, "SwapTotal");
    facts.swapFree = KiloBytes(memInfo, "SwapFree");
    facts.commitLimit = KiloBytes(memInfo, "CommitLimit");
    facts.committed = KiloBytes(memInfo, "Committed_AS");
    return facts;
}

std::string CpuModelName(std::string_view cpuInfo) { return AssignedValue(cpuInfo, "model name", ':'); }

std::string ShellAssignment(std::string_view text, std::string_view key) { return AssignedValue(text, key, '='); }

std::string GroupedNumber(std::uint64_t value) {
    std::string separator = ",";
    if (locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
        const char* own = nl_langinfo_l(THOUSEP, numeric);
        if (own != nullptr && *own != '\0') separator = own;
        freelocale(numeric);
    }
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

}  // namespace vl::app
