// Record changes that more than one window makes: filing a received fax and
// recording the end of a send attempt.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "store/Table.h"

namespace vl::store {

// A local date and time as the tables store them.
struct TableTimestamp {
    std::string date;  // "yyyymmdd"
    std::string time;  // "hh:mm", 24-hour
};

TableTimestamp LocalTimestamp(std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

// The FROM field holds 20 characters, PAGES two digits.
inline constexpr std::size_t kStationIdWidth = 20;
inline constexpr int kMaxStoredPages = 99;

struct ReceivedFax {
    std::string stationId;  // as the remote machine sent it
    int pages = 0;
    std::string faxFile;    // the received file; its name part is stored
};

// Appends the incoming record: DATEREC and TIMEREC from when, FROM the
// station identification cut to 20 characters (characters the table cannot
// hold become "?"), PAGES the page count held to 0..99 (a longer fax keeps
// all its pages in its file; the record says 99), FAXFILE the name part of
// the file, ARCHIVED false. Everything is checked before the record is
// appended, so a name that does not fit the field throws and adds nothing.
// The new record is current.
void AppendReceivedFax(Table& incoming, const ReceivedFax& fax, const TableTimestamp& when);

// The end of a send attempt on the current outgoing record: LASTRESULT
// becomes the result text when that text is not blank (cut to the field);
// PHONE the number dialled when it fits the field (a longer one leaves the
// stored number rather than storing a cut, wrong one); DATESENT and
// TIMESENT the time given when the result, upper-cased, is exactly "SENT" or
// "OK". The record is posted. A failed attempt leaves an earlier success's
// date and time in place.
void RecordSendAttempt(Table& outgoing, std::string_view resultText, std::string_view phone,
                       const TableTimestamp& when);

// Whether the PHONE field of the outgoing table can hold this number: at
// most its 25 characters, each one the table can store. The send window
// refuses a number that cannot, rather than dial one the record would lose.
bool PhoneFits(std::string_view phone);

}  // namespace vl::store
