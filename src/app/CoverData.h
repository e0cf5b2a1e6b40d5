// The cover data file beside each cover fax file (same name, ".fcd"): the
// template the cover was made from, its five importance flags and its
// message, so that the cover can be edited again.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl::app {

// Urgent, For Review, Please Comment, Please Reply, Please Recycle.
using ImportanceFlags = std::array<bool, 5>;

struct CoverData {
    std::string templateName;  // a render file name without folder ("vl0001.fct")
    std::string flagsText;     // one character per flag, "X" when set
    std::vector<std::string> messageLines;  // one per paragraph, UTF-8

    friend bool operator==(const CoverData&, const CoverData&) = default;
};

// "X" for each set flag, a blank for each clear one.
std::string FlagsText(const ImportanceFlags& flags);
// A flag is set where its character is "X"; a text that is not exactly five
// characters long sets none.
ImportanceFlags ParseFlags(std::string_view text);

// Lines may end in LF, CR LF or CR. The template line is reduced to a file
// name; a line that is not UTF-8 is read as Windows-1252.
CoverData ParseCoverData(std::string_view bytes);
// Nothing when the file is missing or cannot be read.
std::optional<CoverData> ReadCoverData(const std::string& path);
// Lines end in CR LF, as the files of earlier versions do. Throws
// std::system_error when the file cannot be written; an existing file is
// then left as it was.
void WriteCoverData(const std::string& path, const CoverData& data);

}  // namespace vl::app
