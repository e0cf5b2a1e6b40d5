// Bringing a phone book in from another program's CSV or vCard file and
// handing it out in those formats, for the phone book window and the
// command line alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/PhoneBookEntry.h"

namespace vl::app {

enum class PhoneBookFormat { Csv, VCard };

// ".csv" is CSV; ".vcf" and ".vcard" are vCard; in any letter case.
std::optional<PhoneBookFormat> PhoneBookFormatOf(std::string_view path);

struct PhoneBookExchangeReport {
    int entries = 0;                  // stored in the phone book, or written to the file
    std::vector<SkippedRow> skipped;  // rows and cards left out, in file order
    std::string error;                // why the operation failed; empty when it did not
};

// The largest file an import reads.
inline constexpr long kMaxPhoneBookFileBytes = 64L * 1024 * 1024;

// Appends the file's entries to the phone book of the program folder, which
// is opened shared (a phone book window may hold it open) and created when
// missing. An entry whose name or number does not fit its field (too long,
// or a character the table cannot store) is skipped and said rather than
// cut; so is one whose name and number are already in the phone book, so
// that importing a file twice adds nothing. Returns 0; the negative I/O
// code when the file cannot be read, or ecBadArgument when it holds no
// phone book (nothing is changed then); ecAccessDenied when the phone book
// cannot be opened or written (the entries stored before stay, counted).
int ImportPhoneBook(const std::string& programFolder, const std::string& file, PhoneBookFormat format,
                    PhoneBookExchangeReport& report);

// Writes every entry of the phone book that is not deleted, in name order,
// replacing the file as a whole. Returns 0, ecAccessDenied when the phone
// book cannot be opened or read, or the negative I/O code of the write
// (the file is left as it was then).
int ExportPhoneBook(const std::string& programFolder, const std::string& file, PhoneBookFormat format,
                    PhoneBookExchangeReport& report);

// What the phone book window says afterwards, lines apart by "\r": the
// count, or why it failed (with the entries imported before that); then
// the rows left out by line, the first ten of them.
std::string PhoneBookExchangeMessage(const PhoneBookExchangeReport& report, bool imported);

}  // namespace vl::app
