#include "cli/CommandHelp.h"

namespace vl::cli {

namespace {

constexpr std::string_view kEntryIndent = "  ";

bool StartsEntry(std::string_view line) {
    return line.size() > kEntryIndent.size() && line.substr(0, kEntryIndent.size()) == kEntryIndent &&
           line[kEntryIndent.size()] != ' ';
}

bool ContinuesEntry(std::string_view line) {
    return line.size() > kEntryIndent.size() && line.substr(0, kEntryIndent.size() + 1) == "   ";
}

bool EntryOf(std::string_view line, std::string_view command) {
    const std::string_view rest = line.substr(kEntryIndent.size());
    return rest.substr(0, command.size()) == command && (rest.size() == command.size() || rest[command.size()] == ' ');
}

}  // namespace

std::string CommandHelp(std::string_view usage, std::string_view command) {
    std::string entries;
    bool inEntry = false;
    while (!usage.empty()) {
        const std::size_t end = usage.find('\n');
        const std::string_view line = usage.substr(0, end);
        usage = end == std::string_view::npos ? std::string_view() : usage.substr(end + 1);
        if (StartsEntry(line))
            inEntry = !command.empty() && EntryOf(line, command);
        else if (!ContinuesEntry(line))
            inEntry = false;
        if (inEntry) {
            entries += line;
            entries += '\n';
        }
    }
    if (entries.empty()) return {};
    return "usage: vellora-cli " + std::string(command) + " ...\n\n" + entries;
}

}  // namespace vl::cli
