// The command run on each received fax: its setting split into words as a
// shell splits them, without a shell ever seeing them, and the fax file and
// the sender's station ID added as its last two arguments. The station ID
// comes from the far machine, so it must reach the program as one argument
// whatever it holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl::session {

// The words of a command line. Blanks (space, tab, newline) separate words;
// '...' keeps what it holds as it is; "..." does too, except that a
// backslash before " \ $ ` or a newline takes that character (a newline is
// dropped); outside quotes a backslash takes the next character as it is.
// Nothing is expanded: $, ~, *, ; and | are plain characters. Empty without
// a word; nullopt when a quote is not closed or the line ends in a backslash.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line);

// The words quoted so that SplitCommandLine gives them back, for logs.
std::string JoinCommandLine(const std::vector<std::string>& words);

struct ReceiptCommand {
    std::vector<std::string> argv;  // the program and its arguments; empty when nothing can run
    std::string problem;            // then why, for the receive log
};

// The command to run for a fax received into `faxFile` from `station`
// (passed as it is, also when empty, so that the arguments keep their
// places). An empty setting asks for no command: no argv, no problem.
ReceiptCommand ReceiptCommandFor(std::string_view setting, const std::string& faxFile, const std::string& station);

}  // namespace vl::session
