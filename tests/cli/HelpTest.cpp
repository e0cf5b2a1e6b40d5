// "--help" for the whole tool and for each of its commands: every command the
// usage names answers with its own part of it, and together the parts are
// the whole list.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

// The command names of the usage's entries ("  NAME ...").
std::set<std::string> Commands(const std::string& usage) {
    std::set<std::string> names;
    std::istringstream lines(usage);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() > 2 && line.compare(0, 2, "  ") == 0 && line[2] != ' ')
            names.insert(line.substr(2, line.find(' ', 2) - 2));
    }
    return names;
}

std::set<std::string> EntryLines(const std::string& text) {
    std::set<std::string> entries;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, 2, "  ") == 0) entries.insert(line);
    }
    return entries;
}

TEST(CliHelp, EveryCommandAnswersWithItsOwnPartOfTheUsage) {
    TempDir home;
    const RunResult whole = RunCli(home.folder(), {"--help"});
    ASSERT_EQ(whole.status, 0);
    const std::set<std::string> commands = Commands(whole.out);
    EXPECT_GE(commands.size(), 14u);

    std::set<std::string> joined;
    for (const std::string& command : commands) {
        for (const char* flag : {"--help", "-h"}) {
            const RunResult help = RunCli(home.folder(), {command, flag});
            EXPECT_EQ(help.status, 0) << command << help.err;
            EXPECT_EQ(help.out.rfind("usage: vellora-cli " + command + " ", 0), 0u) << help.out;
            EXPECT_EQ(Commands(help.out), std::set<std::string>{command}) << help.out;
            for (const std::string& line : EntryLines(help.out)) joined.insert(line);
        }
    }
    EXPECT_EQ(joined, EntryLines(whole.out));
}

TEST(CliHelp, AnUnknownCommandIsRefusedEvenWithHelp) {
    TempDir home;
    const RunResult run = RunCli(home.folder(), {"fax", "--help"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown command 'fax'"), std::string::npos) << run.err;
    // Without a command the usage goes to standard error as a complaint.
    EXPECT_EQ(RunCli(home.folder(), {}).status, 2);
}

}  // namespace
}  // namespace vl::test
