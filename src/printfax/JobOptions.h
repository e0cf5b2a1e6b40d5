// What a print job asks for besides its document: the fax number, the
// recipient and subject the outgoing fax starts with, the resolution, and
// where the document comes from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::printfax {

struct JobOptions {
    std::string number;
    std::string recipient;
    std::string subject;  // empty: the title
    std::string title;    // the job's title
    bool normal = false;  // 98 lines per inch instead of 196
    std::string input = "-";  // a file, or "-" for standard input
    bool help = false;
};

inline constexpr char kUsage[] =
    "usage: vellora-print [--number N] [--recipient NAME] [--subject TEXT] [--normal] [--title TITLE]\n"
    "                     [--options 'number=N recipient=... subject=... resolution=normal'] [FILE|-]\n";

// The arguments after the program's name, in order, a later one overriding
// an earlier; "--options TEXT" goes through ParseOptionString. Empty when
// they were understood, else what was wrong with them.
std::string ParseArguments(const std::vector<std::string>& args, JobOptions& options);

// A print system's option string, "name=value" words apart by blanks, each
// value bare, quoted with ' or ", or with blanks escaped by a backslash:
// number (or phone), recipient, subject, title, and resolution=normal|fine
// (or the printer's FaxResolution=Normal|Fine).
// A bare "normal" counts as resolution=normal. Other names belong to the
// print system and are skipped; an unclosed quote ends at the end of the text.
void ParseOptionString(std::string_view text, JobOptions& options);

// The subject the fax gets: the one asked for, else the title.
std::string SubjectOf(const JobOptions& options);

}  // namespace vl::printfax
