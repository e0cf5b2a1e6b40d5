// Dates the way the tables hold them: eight digits "yyyymmdd", or eight
// blanks for an empty date.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vl::store {

inline constexpr std::string_view kEmptyDate = "        ";

// The stored "yyyymmdd" as a calendar date; false for an empty or damaged
// date, or one outside the years 1 to 9999.
bool ParseStoredDate(std::string_view stored, std::chrono::year_month_day& date);

// The stored text when it is a real calendar date (years 1 to 9999),
// otherwise the empty date: a damaged date field reads as empty.
std::string NormalizeDate(std::string_view stored);

// "mm/dd/yyyy" (month and day of one or two digits, a four-digit year,
// blanks around allowed) as "yyyymmdd"; anything else is the empty date.
std::string DateFromMdy(std::string_view text);

// The date moved by whole days (the fraction is dropped). An empty date stays
// empty, and so does a result outside the years 1 to 9999.
std::string AddDays(std::string_view date, double days);

}  // namespace vl::store
