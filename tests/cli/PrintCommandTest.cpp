#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

class PrintCommand : public ::testing::Test {
protected:
    PrintCommand() {
        WriteFile(home.path() / "three.txt", "first\fsecond\fthird\f");
        const RunResult made = Cli({"convert", Path("three.txt"), "-o", Path("three.APF")});
        EXPECT_EQ(made.status, 0) << made.err;
    }
    RunResult Cli(const std::vector<std::string>& args) { return RunCli(home.folder(), args); }
    std::string Path(const std::string& name) const { return home.folder() + name; }
    int Sheets(const std::string& pdf) {
        const RunResult info = test::Run("/usr/bin/pdfinfo", {Path(pdf)});
        const std::size_t at = info.out.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.out.substr(at + 6));
    }

    TempDir home;
};

TEST_F(PrintCommand, PagesGoIntoAPdfOneOrFourToASheet) {
    RunResult r = Cli({"print", Path("three.APF"), "-o", Path("all.pdf"), "--footer", "--header", "Fax $F"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Printed pages 1-3 of " + Path("three.APF") + " on " + Path("all.pdf") + "\n");
    EXPECT_EQ(Sheets("all.pdf"), 3);
    const RunResult text = test::Run("/usr/bin/pdftotext", {Path("all.pdf"), "-"});
    EXPECT_NE(text.out.find("Page: 3 of 3"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Fax " + Path("three.APF")), std::string::npos) << text.out;

    ASSERT_EQ(Cli({"print", Path("three.APF"), "-o", Path("four.pdf"), "--four-up", "--no-fit"}).status, 0);
    EXPECT_EQ(Sheets("four.pdf"), 1);
    ASSERT_EQ(Cli({"print", Path("three.APF"), "-o", Path("two.pdf"), "--pages", "2-3"}).status, 0);
    EXPECT_EQ(Sheets("two.pdf"), 2);
}

TEST_F(PrintCommand, BadArgumentsPrintNothing) {
    WriteFile(home.path() / "text.APF", "not a fax");
    const std::string fax = Path("three.APF");
    const std::string out = Path("x.pdf");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"print"},
             {"print", fax, fax, "-o", out},
             {"print", Path("text.APF"), "-o", out},
             {"print", Path("none.APF"), "-o", out},
             {"print", fax, "-o", out, "--pages", "0-2"},
             {"print", fax, "-o", out, "--pages", "3-2"},
             {"print", fax, "-o", out, "--pages", "2-4"},
             {"print", fax, "-o", out, "--pages", "x"},
             {"print", fax, "-o", out, "--printer", "office"},
             {"print", fax, "-o", out, "--color"},
         }) {
        const RunResult r = Cli(args);
        EXPECT_EQ(r.status, 2) << args.size() << " " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    // No printer named and none installed: a failure that says so.
    const RunResult r = test::Run(VL_CLI_PATH, {"print", fax, "--printer", "no-such-printer"}, {{"VELLORA_HOME", home.folder()}});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot find any installed printers"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vl::test
