#include "store/XbaseDate.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace vl::store {
namespace {

using namespace std::chrono;

bool ParseDigits(std::string_view s, int& value) {
    if (s.empty()) return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string Format(const year_month_day& d) {
    const int y = static_cast<int>(d.year());
    if (!d.ok() || y < 1 || y > 9999) return std::string(kEmptyDate);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d%02u%02u", y, static_cast<unsigned>(d.month()),
                  static_cast<unsigned>(d.day()));
    return buffer;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

bool ParseStoredDate(std::string_view stored, year_month_day& date) {
    int y = 0, m = 0, d = 0;
    if (stored.size() != 8 || !ParseDigits(stored.substr(0, 4), y) ||
        !ParseDigits(stored.substr(4, 2), m) || !ParseDigits(stored.substr(6, 2), d))
        return false;
    date = year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
    return date.ok() && y >= 1;
}

std::string NormalizeDate(std::string_view stored) {
    year_month_day d;
    return ParseStoredDate(stored, d) ? std::string(stored) : std::string(kEmptyDate);
}

std::string DateFromMdy(std::string_view text) {
    text = TrimBlanks(text);
    const size_t slash1 = text.find('/');
    const size_t slash2 = slash1 == std::string_view::npos ? slash1 : text.find('/', slash1 + 1);
    if (slash2 == std::string_view::npos) return std::string(kEmptyDate);
    const std::string_view m = text.substr(0, slash1);
    const std::string_view d = text.substr(slash1 + 1, slash2 - slash1 - 1);
    const std::string_view y = text.substr(slash2 + 1);
    int mv = 0, dv = 0, yv = 0;
    if (m.size() > 2 || d.size() > 2 || y.size() != 4 || !ParseDigits(m, mv) ||
        !ParseDigits(d, dv) || !ParseDigits(y, yv))
        return std::string(kEmptyDate);
    return Format(year_month_day{year{yv}, month{static_cast<unsigned>(mv)},
                                 day{static_cast<unsigned>(dv)}});
}

std::string AddDays(std::string_view date, double days) {
    year_month_day d;
    // Beyond this many days every result leaves the years 1 to 9999 anyway.
    if (!ParseStoredDate(date, d) || !(std::fabs(days) < 4e6)) return std::string(kEmptyDate);
    return Format(year_month_day{sys_days{d} + std::chrono::days{static_cast<int>(std::trunc(days))}});
}

}  // namespace vl::store
