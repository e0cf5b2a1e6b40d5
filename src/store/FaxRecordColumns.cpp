#include "store/FaxRecordColumns.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <ctime>
#include <memory>

#include "base/PathNoCase.h"
#include "store/XbaseDate.h"

namespace vl::store {

namespace {

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    text = TrimRight(text);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}

// A number of one or two decimal digits.
bool TwoDigits(std::string_view text, int& value) {
    if (text.empty() || text.size() > 2) return false;
    unsigned parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    value = static_cast<int>(parsed);
    return error == std::errc() && end == text.data() + text.size();
}

// "hh:mm", "h:mm" or "hh:mm:ss"; hours 0..23, minutes and seconds 0..59.
bool ParseTimeOfDay(std::string_view text, std::chrono::seconds& time) {
    text = Trim(text);
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2) return false;
    std::string_view rest = text.substr(colon + 1);
    std::string_view secondsText = "0";
    if (const size_t second = rest.find(':'); second != std::string_view::npos) {
        secondsText = rest.substr(second + 1);
        rest = rest.substr(0, second);
        if (secondsText.size() != 2) return false;
    }
    int h = 0, m = 0, s = 0;
    if (rest.size() != 2 || !TwoDigits(text.substr(0, colon), h) || !TwoDigits(rest, m) || !TwoDigits(secondsText, s))
        return false;
    if (h > 23 || m > 59 || s > 59) return false;
    time = std::chrono::hours(h) + std::chrono::minutes(m) + std::chrono::seconds(s);
    return true;
}

bool ParseDate(std::string_view text, std::chrono::year_month_day& date) {
    return ParseStoredDate(Trim(text), date);
}

std::string TimeText(std::string_view stored, const DateTimeFormat& format, bool& converted) {
    std::chrono::seconds time{};
    converted = ParseTimeOfDay(stored, time);
    return converted ? format.time(std::chrono::hh_mm_ss<std::chrono::seconds>(time)) : std::string();
}

struct LocaleDeleter {
    void operator()(locale_t loc) const { freelocale(loc); }
};
using LocaleHandle = std::shared_ptr<std::remove_pointer_t<locale_t>>;

LocaleHandle UserTimeLocale() {
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (!loc) loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    return LocaleHandle(loc, LocaleDeleter{});
}

std::string Format(const LocaleHandle& loc, const std::string& pattern, const std::tm& tm) {
    char buffer[256];
    const size_t n = loc ? strftime_l(buffer, sizeof buffer, pattern.c_str(), &tm, loc.get())
                         : std::strftime(buffer, sizeof buffer, pattern.c_str(), &tm);
    return std::string(buffer, n);
}

std::string LanginfoText(const LocaleHandle& loc, nl_item item, const char* fallback) {
    const char* text = loc ? nl_langinfo_l(item, loc.get()) : nullptr;
    return text && *text ? text : fallback;
}

}  // namespace

std::string CalcFaxFile(const std::string& programFolder, std::string_view faxDoc) {
    const std::string_view name = Trim(faxDoc);
    if (name.empty()) return "(Cover only)";
    return base::PathNoCase(programFolder, "SEND/" + std::string(name));
}

std::string CalcReceivedFaxFile(const std::string& programFolder, std::string_view faxFile) {
    return base::PathNoCase(programFolder, "RECEIVE/" + std::string(Trim(faxFile)));
}

std::string YesNoColumn(bool value) { return value ? "Yes" : "No "; }

DateTimeFormat UserDateTimeFormat() {
    const LocaleHandle loc = UserTimeLocale();
    // Dates show the century, as the tables' engine environment asks.
    std::string datePattern = LanginfoText(loc, D_FMT, "%m/%d/%Y");
    for (size_t at = datePattern.find("%y"); at != std::string::npos; at = datePattern.find("%y", at))
        datePattern.replace(at, 2, "%Y");
    const std::string timePattern = LanginfoText(loc, T_FMT, "%H:%M:%S");
    DateTimeFormat format;
    format.shortDate = [loc, datePattern](std::chrono::year_month_day date) {
        std::tm tm{};
        tm.tm_year = static_cast<int>(date.year()) - 1900;
        tm.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
        tm.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
        tm.tm_wday = static_cast<int>(std::chrono::weekday(std::chrono::sys_days(date)).c_encoding());
        return Format(loc, datePattern, tm);
    };
    format.time = [loc, timePattern](std::chrono::hh_mm_ss<std::chrono::seconds> time) {
        std::tm tm{};
        tm.tm_hour = static_cast<int>(time.hours().count());
        tm.tm_min = static_cast<int>(time.minutes().count());
        tm.tm_sec = static_cast<int>(time.seconds().count());
        return Format(loc, timePattern, tm);
    };
    return format;
}

std::chrono::sys_days LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::sys_days(std::chrono::year_month_day{
        std::chrono::year(local.tm_year + 1900), std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
        std::chrono::day(static_cast<unsigned>(local.tm_mday))});
}

std::string OutgoingDisplayDateTime(std::string_view dateSent, std::string_view timeSent, std::chrono::sys_days today,
                                    const DateTimeFormat& format) {
    std::chrono::year_month_day date;
    if (!ParseDate(dateSent, date) || today - std::chrono::sys_days(date) >= std::chrono::days(2000))
        return "not sent";
    bool converted = false;
    const std::string time = TimeText(timeSent, format, converted);
    return format.shortDate(date) + " at " + (converted ? time : "???");
}

std::string IncomingDisplayDateTime(std::string_view dateRec, std::string_view timeRec, const DateTimeFormat& format) {
    std::chrono::year_month_day date;
    const std::string day = ParseDate(dateRec, date) ? format.shortDate(date) : "(no date)";
    bool converted = false;
    const std::string time = TimeText(timeRec, format, converted);
    return day + " at " + (converted ? time : std::string(TrimRight(timeRec)));
}

}  // namespace vl::store
