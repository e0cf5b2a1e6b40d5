// The tables must read the same in other programs: python's dbfread is the
// reference reader.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "store/Table.h"
#include "support/TestSupport.h"

namespace vl::store {
namespace {

constexpr const char* kScript = R"(
import sys, dbfread
t = dbfread.DBF(sys.argv[1], load=True, ignore_missing_memofile=True, char_decode_errors='strict')
print('E', t.encoding)
for f in t.fields:
    print('F', f.name, f.type, f.length, f.decimal_count)
def show(r):
    return '|'.join('None' if v is None else v.isoformat() if hasattr(v, 'isoformat') else str(v) for v in r.values())
for r in t.records:
    print('R|' + show(r))
for r in t.deleted:
    print('D|' + show(r))
)";

TEST(DbfreadOracleTest, ReadsEveryFieldValueAndDeletionMark) {
    test::TempDir dir;
    const std::string path = dir.folder() + "ORACLE.DBF";
    Table::Create(path, {{"NAME", FieldType::Character, 30, 0},
                         {"WHEN", FieldType::Date, 8, 0},
                         {"QTY", FieldType::Numeric, 4, 0},
                         {"PRICE", FieldType::Numeric, 8, 2},
                         {"OK", FieldType::Logical, 1, 0}});
    {
        auto t = Table::Open(path, OpenMode::Exclusive);
        t->AppendBlank();
        t->SetText("NAME", "Grüße aus Köln – „€“");
        t->SetDate("WHEN", "20240229");
        t->SetNumber("QTY", -12);
        t->SetNumber("PRICE", 1234.5);
        t->SetLogical("OK", true);
        t->AppendBlank();   // all blank
        t->AppendBlank();
        t->SetText("NAME", "gone");
        t->SetText("QTY", "7");
        t->SetLogical("OK", false);
        t->Delete();
        t->AppendBlank();
        t->SetText("NAME", std::string(30, 'W'));
        t->SetText("PRICE", "0.05");
        t->Post();
    }
    const std::string script = dir.folder() + "read.py";
    test::WriteFile(script, kScript);
    const test::RunResult r = test::Run("/usr/bin/python3", {script, path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "E cp1252\n"
              "F NAME C 30 0\n"
              "F WHEN D 8 0\n"
              "F QTY N 4 0\n"
              "F PRICE N 8 2\n"
              "F OK L 1 0\n"
              "R|Grüße aus Köln – „€“|2024-02-29|-12|1234.5|True\n"
              "R||None|None|None|None\n"
              "R|" + std::string(30, 'W') + "|None|None|0.05|None\n"
              "D|gone|None|7|None|False\n");
}

// An outside reader during an exclusive session, or any reader after the
// program died, goes by the header's record count alone.
TEST(DbfreadOracleTest, CountsEveryAppendOfASessionThatIsKilled) {
    test::TempDir dir;
    const std::string path = dir.folder() + "KILLED.DBF";
    Table::Create(path, {{"NAME", FieldType::Character, 10, 0}});
    // With an index that matches the table at open.
    Table::Open(path, OpenMode::Exclusive)->AddIndexTag("NAME", "NAME", false, "");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto t = Table::Open(path, OpenMode::Exclusive);
        for (const char* name : {"first", "second"}) {
            t->AppendBlank();
            t->SetText("NAME", name);
            t->Post();
        }
        raise(SIGKILL);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(WTERMSIG(status), SIGKILL);
    // dbfread reads records up to the end mark; readers that trust the
    // header's count (LibreOffice among them) see only that many.
    const std::string script = dir.folder() + "read.py";
    test::WriteFile(script, std::string(kScript) + "print('N', t.header.numrecords)\n");
    const test::RunResult r = test::Run("/usr/bin/python3", {script, path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "E cp1252\n"
              "F NAME C 10 0\n"
              "R|first\n"
              "R|second\n"
              "N 2\n");
}

}  // namespace
}  // namespace vl::store
