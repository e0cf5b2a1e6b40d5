#include "serial/LogBanner.h"

#include <sys/utsname.h>

#include <cctype>

namespace vl::serial {

namespace {

std::string CompilerText() {
#if defined(__clang__)
    return __VERSION__;  // already names the compiler
#elif defined(__GNUC__)
    return std::string("GCC ") + __VERSION__;
#else
    return "Unknown";
#endif
}

// The leading "<digits>.<digits>" of a release such as "6.1.0-18-amd64".
std::string MajorMinor(const std::string& release) {
    std::size_t end = 0;
    auto digits = [&] {
        const std::size_t begin = end;
        while (end < release.size() && std::isdigit(static_cast<unsigned char>(release[end]))) ++end;
        return end > begin;
    };
    if (!digits()) return {};
    if (end < release.size() && release[end] == '.') {
        ++end;
        if (!digits()) --end;
    }
    return release.substr(0, end);
}

}  // namespace

std::string OperatingSystemText(const std::string& name, const std::string& release, const std::string& version) {
    const std::string majorMinor = MajorMinor(release);
    if (name.empty() || majorMinor.empty()) return "Unknown";
    std::string details = release;
    if (!version.empty()) details += " " + version;
    return name + " " + majorMinor + " (" + details + ")";
}

std::string LogBanner() {
    struct utsname system {};
    const std::string os =
        ::uname(&system) == 0 ? OperatingSystemText(system.sysname, system.release, system.version) : "Unknown";
    return std::string(kLogVersion) + " dispatch log\n" + "Compiler : " + CompilerText() + "\n" +
           "Operating System : " + os + "\n";
}

}  // namespace vl::serial
