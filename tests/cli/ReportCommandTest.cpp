#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

TEST(ReportCommandTest, PrintsTheReportOrWritesItToTheGivenFile) {
    TempDir home;
    WriteFile(home.path() / "VL.INI", "[Modem]\nComPort=2\n[Ports]\nCOM3=/dev/ttyS7\n");
    WriteFile(home.path() / "Lastsend.log", "Start: now\nFinish: later\n");

    const RunResult shown = RunCli(home.folder(), {"report"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    for (const std::string& part : {std::string("[Product]\nProgram:     \tVellora\n"), "\n[" + home.folder() + "VL.INI]\n",
                                    std::string("COM Port:             \tCOM3 (/dev/ttyS7)\n"),
                                    std::string("[Last Send Session]\n\nStart: now\nFinish: later\n\n")})
        EXPECT_NE(shown.out.find(part), std::string::npos) << part;

    const std::string file = home.folder() + "report.txt";
    const RunResult saved = RunCli(home.folder(), {"report", "--output", file});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("COM Port:             \tCOM3 (/dev/ttyS7)\n"), std::string::npos);
}

TEST(ReportCommandTest, RefusesOtherArgumentsAndTellsAFileItCannotWrite) {
    TempDir home;
    EXPECT_EQ(RunCli(home.folder(), {"report", "--output"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"report", "extra"}).status, 2);
    const RunResult failed = RunCli(home.folder(), {"report", "--output", home.folder() + "missing/report.txt"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("vellora-cli report:"), std::string::npos);
}

}  // namespace
}  // namespace vl::test
