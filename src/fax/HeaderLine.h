// Filling in the tags of a page header line (and of the lines of a text cover
// page): "$D" date, "$F" sender, "$I" station ID, "$N" total pages, "$P" page
// number, "$R" recipient, "$S" title, "$T" time.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

#include "base/ShortTimeFormat.h"

namespace vl::fax {

inline constexpr std::size_t kHeaderLineMax = 255;

// Everything a header line can show. Date and time come from `when` through
// strftime formats in the current locale: the short date ("%x") and the
// short time (no seconds).
struct HeaderValues {
    std::tm when{};
    std::string dateFormat = "%x";
    std::string timeFormat = base::ShortTimeFormat();
    std::string sender;     // header sender
    std::string stationId;
    std::string recipient;  // header recipient
    std::string title;      // header title
    int totalPages = 0;     // pages in the fax file plus cover pages
    int pageNumber = 0;     // see HeaderPageNumber
};

// The page number a header shows: the current page without a cover page, 1
// while the cover is sent, otherwise the current page plus 1 (the cover
// counts as page 1).
int HeaderPageNumber(int currentPage, int coverPages, bool sendingCover);

// A tag runs from "$" to the next blank or the end of the line; its second
// character, in either case, picks the value and the whole tag is replaced
// ("$Page" shows the page number). An unknown letter or a lone "$" gives
// nothing. After each replacement the line is cut to 255 characters and the
// search goes on after the inserted value, so a value holding "$" stays as it
// is.
std::string SubstituteHeader(std::string_view line, const HeaderValues& values);

}  // namespace vl::fax
