// The dates and times the session logs and the page header show, from a
// local time. The texts follow the LC_TIME locale the program has set.
#pragma once

#include <ctime>
#include <string>

namespace vl::session {

// The present local time.
std::tm LocalNow();

// The send log's stamp: the long date, a blank and the long time. Linux
// locales have no long date format of their own, so the weekday, the day,
// the month's name and the year ("%A %d %B %Y") stand in for it; the long
// time is the locale's time with seconds ("%X").
std::string LongDateTime(const std::tm& when);

// The receive log's stamp: "yyyy-mm-dd hh:nn:ss" followed by two blanks.
std::string ReceiveLogStamp(const std::tm& when);

// The page header's date and time: the locale's short date ("%x") and its
// short time (no seconds), as the header tags $D and $T show them.
std::string ShortDate(const std::tm& when);
std::string ShortTime(const std::tm& when);

}  // namespace vl::session
