// The manual pages: each formats without a warning, vellora-cli's names every
// command its usage names, and each program's --help answers without a
// display.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

const std::string kPages = std::string(VL_SOURCE_DIR) + "/share/man/";

TEST(ManPages, EachFormatsWithoutWarnings) {
    for (const char* page : {"vellora.1", "vellora-cli.1", "vellora-print.1"}) {
        const RunResult run = test::Run("/usr/bin/groff", {"-man", "-ww", "-z", "-Tutf8", kPages + page});
        EXPECT_EQ(run.status, 0) << page;
        EXPECT_EQ(run.err, "") << page;
    }
}

TEST(ManPages, TheToolsPageHasEveryCommandOfItsUsage) {
    TempDir home;
    std::istringstream usage(RunCli(home.folder(), {"--help"}).out);
    std::set<std::string> commands;
    for (std::string line; std::getline(usage, line);) {
        if (line.size() > 2 && line.compare(0, 2, "  ") == 0 && line[2] != ' ')
            commands.insert(line.substr(2, line.find(' ', 2) - 2));
    }
    ASSERT_FALSE(commands.empty());
    const std::string page = ReadFile(kPages + "vellora-cli.1");
    for (const std::string& command : commands) {
        const std::string entry = "\n.B " + command;
        EXPECT_TRUE(page.find(entry + " ") != std::string::npos || page.find(entry + "\n") != std::string::npos)
            << command;
    }
}

TEST(ManPages, TheProgramsAnswerHelpAndVersionWithoutADisplay) {
    const std::map<std::string, std::string> noDisplay = {{"QT_QPA_PLATFORM", "none"}, {"DISPLAY", ""}};
    RunResult run = test::Run(VL_VELLORA_PATH, {"--help"}, noDisplay);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("usage: vellora [FILE.APF]", 0), 0u) << run.out;
    run = test::Run(VL_VELLORA_PATH, {"--version"}, noDisplay);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("vellora 2.", 0), 0u) << run.out;
    run = test::Run(VL_PRINT_PATH, {"--help"}, noDisplay);
    EXPECT_EQ(run.out.rfind("usage: vellora-print", 0), 0u) << run.out << run.err;
}

}  // namespace
}  // namespace vl::test
