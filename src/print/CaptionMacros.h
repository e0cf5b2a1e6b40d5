// The header and footer texts printed with each fax page: "$" macros filled
// in with the file, the page and the moment of printing.
#pragma once

#include <string>
#include <string_view>

namespace vl::print {

struct CaptionValues {
    std::string date;  // in the user's short date format
    std::string time;
    std::string fileName;
    int page = 0;
    int pageCount = 0;
};

// Every "$" starts a macro that runs to the next blank or the end; the macro
// becomes, by its second character in either case, D the date, F the file
// name, N the page count, P the page, T the time, and anything else nothing.
std::string ExpandCaptionMacros(std::string_view caption, const CaptionValues& values);

}  // namespace vl::print
