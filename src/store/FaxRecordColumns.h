// What the fax lists show for a record beyond its stored fields: the fax
// file's full path, the deleted and archived markers, and the date and time
// used when a fax is viewed or printed.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace vl::store {

// The outgoing list's calcFaxFile column: "(Cover only)" when faxDoc is
// blank, otherwise programFolder + "SEND/" + the file name. The folder and
// the name are spelled as on disk (letter case aside, as the program matches
// file names: base::PathNoCase), and as given where nothing is there; nothing
// is lower-cased, since on a case-sensitive file system that would name
// another file.
std::string CalcFaxFile(const std::string& programFolder, std::string_view faxDoc);
// The incoming list's calcFaxfile column: programFolder + "RECEIVE/" + the
// file name, spelled as above.
std::string CalcReceivedFaxFile(const std::string& programFolder, std::string_view faxFile);

// The ISDELETED and ISARCHIVED columns: "Yes" or "No " (three characters).
std::string YesNoColumn(bool value);

// The user's date and time formats; replaceable for tests.
struct DateTimeFormat {
    std::function<std::string(std::chrono::year_month_day)> shortDate;
    std::function<std::string(std::chrono::hh_mm_ss<std::chrono::seconds>)> time;
};

// The formats of the user's LC_TIME locale (the C locale when that is not
// installed); short dates always with four-digit years.
DateTimeFormat UserDateTimeFormat();

// The local calendar date today.
std::chrono::sys_days LocalToday();

// Outgoing record: "not sent" when DATESENT is empty or 2000 days or more
// before today, otherwise the short date + " at " + TIMESENT in the time
// format ("???" when TIMESENT is not a time). dateSent is "yyyymmdd" or "".
std::string OutgoingDisplayDateTime(std::string_view dateSent, std::string_view timeSent, std::chrono::sys_days today,
                                    const DateTimeFormat& format);
// Incoming record: the short date of DATEREC ("(no date)" when it is empty)
// + " at " + TIMEREC in the time format, or TIMEREC as stored when it is not
// a time.
std::string IncomingDisplayDateTime(std::string_view dateRec, std::string_view timeRec, const DateTimeFormat& format);

}  // namespace vl::store
