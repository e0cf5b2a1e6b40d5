#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <map>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

// A listing as rows of tab-separated cells, the header first.
std::vector<std::vector<std::string>> Cells(const std::string& listing) {
    std::vector<std::vector<std::string>> rows;
    size_t at = 0;
    while (at < listing.size()) {
        const size_t end = std::min(listing.find('\n', at), listing.size());
        std::vector<std::string> row;
        for (size_t cell = at;;) {
            const size_t tab = std::min(listing.find('\t', cell), end);
            row.push_back(listing.substr(cell, tab - cell));
            if (tab == end) break;
            cell = tab + 1;
        }
        rows.push_back(std::move(row));
        at = end + 1;
    }
    return rows;
}

std::string Joined(const std::vector<std::string>& cells) {
    std::string out;
    for (const std::string& c : cells) out += (out.empty() ? "" : "\t") + c;
    return out;
}

// Runs a command that must succeed.
std::string Ok(const TempDir& home, const std::vector<std::string>& args) {
    RunResult r = RunCli(home.folder(), args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
}

// Column n (0-based) of every data row of a listing.
std::vector<std::string> ListColumn(const std::string& listing, size_t n) {
    std::vector<std::string> out;
    const auto rows = Cells(listing);
    for (size_t i = 1; i < rows.size(); ++i) out.push_back(n < rows[i].size() ? rows[i][n] : "(missing)");
    return out;
}

using Names = std::vector<std::string>;

std::map<std::string, std::string> Snapshot(const TempDir& home) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home.path()))
        if (entry.is_regular_file()) files[entry.path().string()] = ReadFile(entry.path());
    return files;
}

// Four outgoing faxes: two sent, one never sent, one archived and sent.
void FillOutgoing(const TempDir& home) {
    EXPECT_EQ(Ok(home, {"table", "add", "outgoing", "SUBJECT=March report", "DATESENT=20240301", "TIMESENT=09:15",
                        "RECIPIENT=Bob"}),
              "1\n");
    Ok(home, {"table", "add", "outgoing", "SUBJECT=draft", "RECIPIENT=alice"});
    Ok(home, {"table", "add", "outgoing", "SUBJECT=Invoice", "DATESENT=20240305", "TIMESENT=14:05",
              "RECIPIENT=Carol", "ARCHIVED=.T."});
    EXPECT_EQ(Ok(home, {"table", "add", "outgoing", "SUBJECT=Zebra", "DATESENT=20231224", "TIMESENT=18:00",
                        "ARCHIVED=false"}),
              "4\n");
}

TEST(TableCommand, ListShowsFieldsInTheDefaultOrderAndOnRequestAnother) {
    TempDir home;
    FillOutgoing(home);
    const std::string listing = Ok(home, {"table", "list", "outgoing"});
    EXPECT_EQ(Joined(Cells(listing).front()),
              "SUBJECT\tDATESENT\tTIMESENT\tRECIPIENT\tPHONE\tLASTRESULT\tFAXDOC\tFAXCOVER\tNOTES\tCODES\tARCHIVED");
    EXPECT_EQ(Joined(Cells(listing)[1]), "Invoice\t20240305\t14:05\tCarol\t\t\t\t\t\t\tT");
    EXPECT_EQ(ListColumn(listing, 0), (Names{"Invoice", "March report", "Zebra", "draft"}));
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing", "--order", "subject"}), 0),
              (Names{"draft", "Invoice", "March report", "Zebra"}));
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing", "--order", "natural"}), 0),
              (Names{"March report", "draft", "Invoice", "Zebra"}));
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing", "--filter", ".not. ARCHIVED", "--order", "RECIPIENT"}), 0),
              (Names{"Zebra", "draft", "March report"}));
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing", "--recno"}), 0), (Names{"3", "1", "4", "2"}));
}

TEST(TableCommand, DeletedRecordsAreHiddenUntilAskedForAndGoneAfterPack) {
    TempDir home;
    FillOutgoing(home);
    EXPECT_EQ(Ok(home, {"table", "delete", "outgoing", "3"}), "");
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing"}), 0), (Names{"March report", "Zebra", "draft"}));
    const std::string all = Ok(home, {"table", "list", "outgoing", "--all"});
    EXPECT_EQ(Cells(all).front()[0], "DELETED");
    EXPECT_EQ(Cells(all).front()[1], "SUBJECT");
    EXPECT_EQ(ListColumn(all, 0), (Names{"", "", "*", ""}));
    EXPECT_EQ(ListColumn(all, 1), (Names{"March report", "draft", "Invoice", "Zebra"}));
    EXPECT_EQ(Ok(home, {"table", "pack", "outgoing"}), "");
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing", "--all"}), 0), (Names{"", "", ""}));
}

TEST(TableCommand, EvalAnswersOnTheRecordGiven) {
    TempDir home;
    FillOutgoing(home);
    EXPECT_EQ(Ok(home, {"table", "eval", "outgoing", "2", "EMPTY(DATESENT)"}), ".T.\n");
    EXPECT_EQ(Ok(home, {"table", "eval", "outgoing", "1", "EMPTY(DATESENT)"}), ".F.\n");
    EXPECT_EQ(Ok(home, {"table", "eval", "outgoing", "3", "ARCHIVED .and. \"VOICE\" $ UPPER(SUBJECT)"}), ".T.\n");
}

TEST(TableCommand, EveryTableTakesRecordsAndValuesNeedEscapingInTheListing) {
    TempDir home;
    Ok(home, {"table", "add", "incoming", "DATEREC=20240102", "TIMEREC=08:00", "FROM=alpha", "PAGES=3"});
    Ok(home, {"table", "add", "incoming", "DATEREC=20240102", "TIMEREC=17:30", "FROM=Zulu", "PAGES=12"});
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "incoming"}), 2), (Names{"Zulu", "alpha"}));
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "incoming"}), 3), (Names{"12", "3"}));
    Ok(home, {"table", "add", "phonebook", "NAME=bob", "PHONE=1"});
    Ok(home, {"table", "add", "phonebook", "NAME=Tab\there", "PHONE=2"});
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "phonebook"}), 0), (Names{"Tab\\there", "bob"}));
}

TEST(TableCommand, RebuildReportsEachStepAndAddsDatend) {
    TempDir home;
    FillOutgoing(home);
    RunResult before = RunCli(home.folder(), {"table", "list", "outgoing", "--order", "DATEND"});
    EXPECT_EQ(before.status, 2);
    EXPECT_EQ(Ok(home, {"table", "rebuild"}),
              "Removing FAX file records marked for deletion\n"
              "Rebuilding FAX file indexes\n"
              "Removing RECEIVE file records marked for deletion\n"
              "Rebuilding RECEIVE file indexes\n"
              "Removing PHONE file records marked for deletion\n"
              "Rebuilding PHONE file indexes\n");
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing", "--order", "DATEND"}), 0),
              (Names{"draft", "Zebra", "March report", "Invoice"}));
}

TEST(TableCommand, BadInputChangesNothing) {
    TempDir home;
    FillOutgoing(home);
    Ok(home, {"table", "delete", "outgoing", "2"});
    const auto before = Snapshot(home);
    const std::vector<std::vector<std::string>> cases = {
        {"table", "list", "faxes"},
        {"table", "add", "outgoing", "NOSUCH=1"},
        {"table", "add", "outgoing", "SUBJECT"},
        {"table", "add", "outgoing", "SUBJECT=" + std::string(51, 'x')},
        {"table", "add", "outgoing", "SUBJECT=ok", "SUBJECT=twice"},
        {"table", "add", "outgoing", "DATESENT=20230229"},
        {"table", "add", "outgoing", "ARCHIVED=maybe"},
        {"table", "add", "incoming", "PAGES=100"},
        {"table", "add", "outgoing", "SUBJECT=fine", "CODES=Ωmega"},
        {"table", "add", "outgoing"},
        {"table", "list", "outgoing", "--order", "NOSUCH"},
        {"table", "list", "outgoing", "--filter", "SUBJECT ="},
        {"table", "list", "outgoing", "--filter", "SUBJECT"},
        {"table", "list", "outgoing", "--all", "--order", "SUBJECT"},
        {"table", "list", "outgoing", "--order"},
        {"table", "delete", "outgoing", "0"},
        {"table", "delete", "outgoing", "5"},
        {"table", "delete", "outgoing", "1x"},
        {"table", "delete", "outgoing", "99999999999"},
        {"table", "eval", "outgoing", "1", "NOSUCH"},
        {"table", "eval", "outgoing", "1", "SUBJECT"},
        {"table", "eval", "outgoing", "9", ".T."},
        {"table", "pack"},
        {"table", "frobnicate", "outgoing"},
        {"table", "cleanup", "outgoing"},
        {"table", "cleanup", "outgoing", "--condition"},
        {"table", "cleanup", "outgoing", "--condition", "NOSUCH"},
        {"table", "cleanup", "outgoing", "--condition", ".T.", "--force"},
        {"table", "cleanup", "phonebook", "--condition", ".T."},
    };
    for (const auto& args : cases) {
        RunResult r = RunCli(home.folder(), args);
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        EXPECT_EQ(r.status, 2) << shown << r.err;
        EXPECT_FALSE(r.err.empty()) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_TRUE(Snapshot(home) == before) << shown;
    }
}

TEST(TableCommand, CleanupDeletesMatchingFaxesWithTheirFilesAndADryRunOnlyListsThem) {
    TempDir home;
    std::filesystem::create_directories(home.path() / "SEND");
    std::filesystem::create_directories(home.path() / "RECEIVE");
    for (const char* file : {"SEND/FAX00001.APF", "SEND/COV00001.APF", "SEND/COV00001.fcd", "SEND/FAX00002.APF",
                             "RECEIVE/IN00001.APF"})
        WriteFile(home.folder() + file, file);
    Ok(home, {"table", "add", "outgoing", "SUBJECT=old", "DATESENT=20240101", "FAXDOC=FAX00001.APF",
              "FAXCOVER=COV00001.APF"});
    Ok(home, {"table", "add", "outgoing", "SUBJECT=never sent", "FAXDOC=FAX00002.APF"});
    Ok(home, {"table", "add", "incoming", "DATEREC=20240101", "FROM=acme", "FAXFILE=IN00001.APF"});
    const std::string before = "(DATESENT<CTOD(\"06/01/2024\")) .and. (.not. EMPTY(DATESENT))";

    const auto untouched = Snapshot(home);
    const std::string listed = Ok(home, {"table", "cleanup", "outgoing", "--condition", before, "--dry-run"});
    EXPECT_EQ(Cells(listed).front()[0], "RECNO");
    EXPECT_EQ(ListColumn(listed, 0), (Names{"1"}));
    EXPECT_EQ(ListColumn(listed, 1), (Names{"old"}));
    EXPECT_TRUE(Snapshot(home) == untouched);

    EXPECT_EQ(Ok(home, {"table", "cleanup", "outgoing", "--condition", "  "}), "0 deleted.\n");
    EXPECT_EQ(Ok(home, {"table", "cleanup", "outgoing", "--condition", before}), "1 deleted.\n");
    EXPECT_EQ(ListColumn(Ok(home, {"table", "list", "outgoing"}), 0), (Names{"never sent"}));
    for (const char* gone : {"SEND/FAX00001.APF", "SEND/COV00001.APF", "SEND/COV00001.fcd"})
        EXPECT_FALSE(std::filesystem::exists(home.folder() + gone)) << gone;
    EXPECT_TRUE(std::filesystem::exists(home.folder() + "SEND/FAX00002.APF"));
    EXPECT_EQ(Ok(home, {"table", "cleanup", "incoming", "--condition", "\"CM\"$ALLTRIM(UPPER(FROM))"}),
              "1 deleted.\n");
    EXPECT_FALSE(std::filesystem::exists(home.folder() + "RECEIVE/IN00001.APF"));
}

TEST(TableCommand, TableInUseFailsWithAMessage) {
    TempDir home;
    FillOutgoing(home);
    const int fd = open((home.folder() + "VLOUT.DBF").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    const auto before = Snapshot(home);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"table", "list", "outgoing"},
                                                 {"table", "add", "outgoing", "SUBJECT=x"},
                                                 {"table", "rebuild"}}) {
        RunResult r = RunCli(home.folder(), args);
        EXPECT_EQ(r.status, 1) << args[1];
        EXPECT_NE(r.err.find("in use"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(Snapshot(home) == before);
    close(fd);
    Ok(home, {"table", "list", "outgoing"});
}

TEST(TableCommand, TablesWrittenHereReadInPythonsDbfread) {
    TempDir home;
    FillOutgoing(home);
    const std::string script = home.folder() + "read.py";
    WriteFile(script,
              "import sys, dbfread\n"
              "t = dbfread.DBF(sys.argv[1], char_decode_errors='strict')\n"
              "print(','.join(f.name for f in t.fields))\n"
              "for r in t: print(r['SUBJECT'], r['DATESENT'], r['ARCHIVED'])\n");
    RunResult r = vl::test::Run("/usr/bin/python3", {script, home.folder() + "VLOUT.DBF"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "SUBJECT,DATESENT,TIMESENT,RECIPIENT,PHONE,LASTRESULT,FAXDOC,FAXCOVER,NOTES,CODES,ARCHIVED\n"
              "March report 2024-03-01 False\n"
              "draft None False\n"
              "Invoice 2024-03-05 True\n"
              "Zebra 2023-12-24 False\n");
}

}  // namespace
}  // namespace vl::test
