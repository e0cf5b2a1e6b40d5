#include "base/ShortTimeFormat.h"

#include <langinfo.h>

namespace vl::base {

namespace {

constexpr std::string_view kFullTime = "%H:%M:%S";

// What a conversion that stands for a whole time is made of.
std::string_view SpeltOut(char conversion) {
    switch (conversion) {
        case 'T':
        case 'X': return kFullTime;
        case 'r': return "%I:%M:%S %p";
        default: return {};
    }
}

}  // namespace

std::string WithoutSeconds(std::string_view timePattern) {
    std::string out;
    for (std::size_t i = 0; i < timePattern.size(); ++i) {
        if (timePattern[i] != '%' || i + 1 == timePattern.size()) {
            out.push_back(timePattern[i]);
            continue;
        }
        const char conversion = timePattern[++i];
        if (const std::string_view whole = SpeltOut(conversion); !whole.empty()) {
            out += WithoutSeconds(whole);
            continue;
        }
        if (conversion != 'S') {
            out.push_back('%');
            out.push_back(conversion);
            continue;
        }
        // The separator before the seconds goes with them, unless it ends
        // a conversion ("%%" or a field) rather than standing on its own.
        const bool separatorBefore = out.size() >= 2 && out[out.size() - 2] != '%' && out.back() != '%';
        if (separatorBefore) out.pop_back();
    }
    return out;
}

std::string ShortTimeFormat() {
    const char* pattern = nl_langinfo(T_FMT);
    return WithoutSeconds(pattern != nullptr && *pattern != '\0' ? pattern : kFullTime);
}

}  // namespace vl::base
