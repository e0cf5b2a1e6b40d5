// Phone books as CSV files: a header row names the columns, in any letter
// case; a name comes from "Name", "Display Name" or "Full Name", else from
// "First Name", "Middle Name" and "Last Name" ("Given Name", "Family Name"),
// else from "Company"; a number from "Fax", "Business Fax", "Fax Number",
// "Home Fax", "Other Fax", else "Phone". The first non-empty one counts, so
// a contact whose business fax is empty still brings its home fax.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/PhoneBookEntry.h"

namespace vl::app {

// Reads the bytes (see ImportedText for the encodings), the columns
// separated by commas, or by semicolons or tabs when the header only reads
// that way. Blank rows are passed over; a row with neither a name nor a
// number, or whose quotes are not closed, is skipped and said. A blank file
// is an empty phone book. Returns 0, or ecBadArgument with error set when
// the first row names no column it knows.
int ReadPhoneBookCsv(std::string_view bytes, PhoneBookRows& rows, std::string& error);

// "Name,Fax" and a row per entry, UTF-8 without a byte order mark, lines
// ending in CR LF as the format asks.
std::string PhoneBookCsvText(const std::vector<PhoneBookEntry>& entries);

}  // namespace vl::app
