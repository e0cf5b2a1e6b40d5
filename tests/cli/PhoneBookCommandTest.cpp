#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

TEST(PhoneBookCommand, ImportSaysSkippedRowsByLineAndExportFollowsTheFormat) {
    TempDir home;
    const std::string in = home.folder() + "contacts.CSV";
    WriteFile(in, "\xEF\xBB\xBF" "First Name,Last Name,E-mail,Business Fax\r\n"
                  "Zo\xC3\xAB,\"Bell, Jr.\",,555 1\r\n"
                  ",,only@mail,\r\n"
                  "Al,Ng,,555 2\r\n");
    RunResult r = RunCli(home.folder(), {"phonebook", "import", in});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2 entries imported\n");
    EXPECT_EQ(r.err, in + ":3: skipped: no name and no fax number\n");

    const std::string vcf = home.folder() + "book.vcf";
    r = RunCli(home.folder(), {"phonebook", "export", vcf});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2 entries exported\n");
    EXPECT_NE(ReadFile(vcf).find("FN:Zo\xC3\xAB Bell\\, Jr.\r\n"), std::string::npos);

    const std::string txt = home.folder() + "book.txt";
    r = RunCli(home.folder(), {"phonebook", "export", txt, "--format", "csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(txt), "Name,Fax\r\nAl Ng,555 2\r\n\"Zo\xC3\xAB Bell, Jr.\",555 1\r\n");
}

struct Refusal {
    std::vector<std::string> args;
    int status;
};

TEST(PhoneBookCommand, RefusesWhatItCannotReadAndChangesNothing) {
    TempDir home;
    const std::string notes = home.folder() + "notes.csv";
    WriteFile(notes, "E-mail,Notes\na@b,x\n");
    const std::vector<Refusal> refusals = {
        {{"phonebook", "import", notes}, 2},
        {{"phonebook", "import", home.folder() + "book.txt"}, 2},
        {{"phonebook", "import", notes, "--format", "ldif"}, 2},
        {{"phonebook", "import", home.folder() + "missing.vcf"}, 1},
        {{"phonebook", "export", home.folder() + "no/folder.csv"}, 1},
        {{"phonebook", "merge", notes}, 2},
        {{"phonebook", "import"}, 2},
    };
    for (const Refusal& refusal : refusals) {
        const RunResult r = RunCli(home.folder(), refusal.args);
        EXPECT_EQ(r.status, refusal.status) << refusal.args.back() << ": " << r.err;
        EXPECT_NE(r.err, "") << refusal.args.back();
        EXPECT_EQ(r.out, "") << refusal.args.back();
    }
    const RunResult list = RunCli(home.folder(), {"table", "list", "phonebook"});
    EXPECT_EQ(list.out, "NAME\tPHONE\n");
}

}  // namespace
}  // namespace vl::test
