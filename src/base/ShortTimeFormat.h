// The user's short time format, as a strftime pattern. A Linux locale has one
// time format (LC_TIME's T_FMT), which shows seconds; the short one is that
// format without them.
#pragma once

#include <string>
#include <string_view>

namespace vl::base {

// Linux locales have no long date format of their own; the weekday, the day,
// the month's name and the year stand in for it.
inline constexpr char kLongDatePattern[] = "%A %d %B %Y";

// `timePattern` with "%T", "%r" and "%X" spelt out and the seconds taken out
// together with the separator before them: "%H:%M:%S" gives "%H:%M",
// "%I:%M:%S %p" gives "%I:%M %p".
std::string WithoutSeconds(std::string_view timePattern);

// WithoutSeconds of the current LC_TIME locale's time format.
std::string ShortTimeFormat();

}  // namespace vl::base
