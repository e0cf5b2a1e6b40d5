#include "store/Table.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "store/TableFixture.h"

namespace vl::store {
namespace {

using test::AppendRow;
using test::InChildThatDies;
using test::SampleTable;
using test::WalkBackward;
using test::WalkForward;

TEST(TableTest, AppendEditAndReopenKeepEveryFieldType) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        EXPECT_EQ(t->RecCount(), 0u);
        EXPECT_TRUE(t->Eof());
        EXPECT_TRUE(t->Bof());
        EXPECT_EQ(t->RecNo(), 1u);
        AppendRow(*t, {"Quarterly report", "20240229", "14:05"});
        t->SetNumber("PAGES", 12.24);   // rounds to the field's one decimal
        t->SetLogical("ARCHIVED", true);
        t->Post();
        AppendRow(*t, {"Müller & Söhne – €", "", ""});
        EXPECT_EQ(t->RecNo(), 2u);
        t->Close();
    }
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    ASSERT_EQ(t->RecCount(), 2u);
    t->Go(1);
    EXPECT_EQ(t->Text("subject"), "Quarterly report");
    EXPECT_EQ(t->Date("DATESENT"), "20240229");
    EXPECT_EQ(t->Text("TIMESENT"), "14:05");
    EXPECT_EQ(t->Text("PAGES"), "12.2");
    EXPECT_DOUBLE_EQ(t->Number("PAGES"), 12.2);
    EXPECT_TRUE(t->Logical("ARCHIVED"));
    t->Go(2);
    EXPECT_EQ(t->Text("SUBJECT"), "Müller & Söhne – €");
    EXPECT_EQ(t->Date("DATESENT"), "");
    EXPECT_EQ(t->Text("PAGES"), "");
    EXPECT_DOUBLE_EQ(t->Number("PAGES"), 0);
    EXPECT_FALSE(t->Logical("ARCHIVED"));
}

TEST(TableTest, RefusedValuesChangeNothing) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    AppendRow(*t, {"kept", "20240101", "09:00"});
    EXPECT_THROW(t->SetText("SUBJECT", std::string(21, 'x')), EStoreError);
    EXPECT_NO_THROW(t->SetText("SUBJECT", std::string(20, 'x')));
    EXPECT_THROW(t->SetText("SUBJECT", "Ωmega"), EStoreError);       // not in Windows-1252
    EXPECT_THROW(t->SetText("SUBJECT", "\xC3"), EStoreError);        // broken UTF-8
    EXPECT_THROW(t->SetDate("DATESENT", "20230229"), EStoreError);   // no such day
    EXPECT_THROW(t->SetDate("DATESENT", "2024-1-1"), EStoreError);
    EXPECT_THROW(t->SetText("PAGES", "1.25"), EStoreError);          // two decimals, field has one
    EXPECT_THROW(t->SetText("PAGES", "12a"), EStoreError);
    EXPECT_THROW(t->SetNumber("PAGES", 123456.0), EStoreError);      // wider than 5
    EXPECT_THROW(t->SetText("ARCHIVED", "X"), EStoreError);
    EXPECT_THROW(t->SetText("NOSUCH", "x"), EStoreError);
    EXPECT_THROW(t->SetLogical("SUBJECT", true), EStoreError);
    t->SetText("PAGES", "-3.5");
    t->Post();
    t->Go(1);
    EXPECT_EQ(t->Text("SUBJECT"), std::string(20, 'x'));
    EXPECT_EQ(t->Date("DATESENT"), "20240101");
    EXPECT_EQ(t->Text("PAGES"), "-3.5");
}

TEST(TableTest, CreateRefusesBadDefinitionsAndExistingFiles) {
    test::TempDir dir;
    const std::string path = dir.folder() + "T.DBF";
    EXPECT_THROW(Table::Create(path, {}), EStoreError);
    EXPECT_THROW(Table::Create(path, {{"TOOLONGNAME1", FieldType::Character, 5, 0}}), EStoreError);
    EXPECT_THROW(Table::Create(path, {{"1ST", FieldType::Character, 5, 0}}), EStoreError);
    EXPECT_THROW(Table::Create(path, {{"A", FieldType::Character, 0, 0}}), EStoreError);
    EXPECT_THROW(Table::Create(path, {{"A", FieldType::Character, 255, 0}}), EStoreError);
    EXPECT_THROW(Table::Create(path, {{"A", FieldType::Numeric, 3, 2}}), EStoreError);
    EXPECT_THROW(Table::Create(path, {{"A", FieldType::Date, 6, 0}}), EStoreError);
    EXPECT_THROW(Table::Create(path, {{"A", FieldType::Character, 5, 0}, {"a", FieldType::Logical, 1, 0}}),
                 EStoreError);
    EXPECT_FALSE(std::filesystem::exists(path));
    Table::Create(path, {{"A", FieldType::Character, 5, 0}});
    EXPECT_THROW(Table::Create(path, {{"B", FieldType::Character, 5, 0}}), EStoreError);
    EXPECT_THROW(Table::Open(dir.folder() + "MISSING.DBF", OpenMode::Shared), EStoreError);
}

TEST(TableTest, NavigationEdgesFollowXbase) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    for (const char* s : {"a", "b", "c"}) AppendRow(*t, {s, "", ""});
    t->GoTop();
    EXPECT_EQ(t->RecNo(), 1u);
    t->Skip(-1);
    EXPECT_TRUE(t->Bof());
    EXPECT_FALSE(t->Eof());
    EXPECT_EQ(t->RecNo(), 1u);   // stays on the first record
    t->Skip(2);
    EXPECT_EQ(t->RecNo(), 3u);
    t->Skip();
    EXPECT_TRUE(t->Eof());
    EXPECT_EQ(t->RecNo(), 4u);   // record count + 1
    EXPECT_THROW(t->Text("SUBJECT"), EStoreError);
    EXPECT_THROW(t->SetText("SUBJECT", "x"), EStoreError);
    t->Skip(-1);                 // back from the end lands on the last one
    EXPECT_EQ(t->RecNo(), 3u);
    t->Go(0);
    EXPECT_TRUE(t->Eof());
    t->Go(99);
    EXPECT_TRUE(t->Eof());
    EXPECT_EQ(t->RecNo(), 4u);
    EXPECT_EQ(WalkBackward(*t), (std::vector<uint32_t>{3, 2, 1}));
}

TEST(TableTest, DeletedRecordsAreHiddenUntilShownAndGoneAfterPack) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    for (const char* s : {"a", "b", "c", "d"}) AppendRow(*t, {s, "", ""});
    t->Go(2);
    t->Delete();
    EXPECT_TRUE(t->Deleted());
    EXPECT_EQ(t->RecNo(), 2u);   // the deleted record stays current
    t->Go(4);
    t->Delete();
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{1, 3}));
    t->SetShowDeleted(true);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{1, 2, 3, 4}));
    t->Go(4);
    t->Recall();
    t->SetShowDeleted(false);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{1, 3, 4}));
    EXPECT_EQ(t->RecCount(), 4u);

    std::vector<int> progress;
    t->SetProgressHook([&](int p) { progress.push_back(p); });
    t->Pack();
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(t->RecCount(), 3u);
    EXPECT_EQ(t->RecNo(), 1u);
    std::vector<std::string> subjects;
    for (t->GoTop(); !t->Eof(); t->Skip()) subjects.push_back(t->Text("SUBJECT"));
    EXPECT_EQ(subjects, (std::vector<std::string>{"a", "c", "d"}));
    t->Close();
    EXPECT_EQ(Table::Open(files.Path(), OpenMode::ReadOnly)->RecCount(), 3u);
    // Nothing is left behind by the rewrite.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files.Dir().path()), {}), 1);
}

TEST(TableTest, FilterHidesRecordsAndBadFilterKeepsTheOldOne) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    for (int i = 0; i < 5; ++i) {
        AppendRow(*t, {"s" + std::to_string(i), "", ""});
        t->SetLogical("ARCHIVED", i % 2 == 0);
    }
    t->SetFilter(".not. archived");
    EXPECT_EQ(t->Filter(), ".not. archived");
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 4}));
    EXPECT_THROW(t->SetFilter("NOSUCHFIELD = 1"), EStoreError);
    EXPECT_THROW(t->SetFilter("SUBJECT"), EStoreError);   // not logical
    EXPECT_EQ(t->Filter(), ".not. archived");
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 4}));
    t->Go(3);                  // a filtered record can still be made current
    EXPECT_EQ(t->RecNo(), 3u);
    EXPECT_EQ(t->Text("SUBJECT"), "s2");
    t->Skip();
    EXPECT_EQ(t->RecNo(), 4u);
    t->SetFilter("");
    EXPECT_EQ(WalkForward(*t).size(), 5u);
    t->SetFilter("ARCHIVED .and. .not. ARCHIVED");
    t->GoTop();
    EXPECT_TRUE(t->Eof());
    EXPECT_TRUE(t->Bof());
    EXPECT_EQ(t->RecNo(), 6u);
}

TEST(TableTest, FilterBelongsToTheObjectNotTheFile) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        AppendRow(*t, {"a", "", ""});
        t->SetLogical("ARCHIVED", true);
        AppendRow(*t, {"b", "", ""});
        t->SetFilter(".not. ARCHIVED");
    }
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    EXPECT_EQ(t->Filter(), "");
    EXPECT_EQ(WalkForward(*t).size(), 2u);
    t->SetFilter(".not. ARCHIVED");
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2}));
}

TEST(TableTest, EvalLogicalOnTheCurrentRecord) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    AppendRow(*t, {"Invoice", "20200101", "10:00"});
    AppendRow(*t, {"Offer", "", ""});
    t->Go(1);
    EXPECT_TRUE(t->EvalLogical(".not. EMPTY(DATESENT)"));
    EXPECT_TRUE(t->EvalLogical("\"INV\"$UPPER(SUBJECT)"));
    t->Go(2);
    EXPECT_FALSE(t->EvalLogical(".not. EMPTY(DATESENT)"));
    EXPECT_FALSE(t->EvalLogical("deleted()"));
    t->Delete();
    EXPECT_TRUE(t->EvalLogical("deleted()"));
    EXPECT_THROW(t->EvalLogical("SUBJECT"), EStoreError);
    EXPECT_THROW(t->EvalLogical("(("), EStoreError);
}

TEST(TableTest, UnpostedChangesArePostedWhenMovingOrClosing) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        AppendRow(*t, {"one", "", ""});
        t->AppendBlank();
        EXPECT_EQ(t->RecCount(), 2u);
        EXPECT_EQ(t->RecNo(), 2u);
        t->SetText("SUBJECT", "two");
        t->GoTop();                        // posts the append
        t->SetText("SUBJECT", "ONE");      // posted by the destructor
    }
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    ASSERT_EQ(t->RecCount(), 2u);
    t->Go(1);
    EXPECT_EQ(t->Text("SUBJECT"), "ONE");
    t->Go(2);
    EXPECT_EQ(t->Text("SUBJECT"), "two");
}

TEST(TableTest, BatchedAppendsReachTheFileAtTheEndOfTheBatchOrBeforeOtherChanges) {
    SampleTable files;
    InChildThatDies([&] {
        Table* t = Table::Open(files.Path(), OpenMode::Exclusive).release();
        t->BeginBatch();
        for (const char* s : {"a", "b", "c"}) AppendRow(*t, {s, "", ""});
        t->Go(2);
        t->Delete();            // writes the batch first
        AppendRow(*t, {"d", "", ""});
        t->EndBatch();
        t->BeginBatch();
        AppendRow(*t, {"lost", "", ""});
        t->GoTop();             // still inside the batch: not written
    });
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    ASSERT_EQ(t->RecCount(), 4u);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{1, 3, 4}));
    t->Go(4);
    EXPECT_EQ(t->Text("SUBJECT"), "d");
    t->BeginBatch();
    AppendRow(*t, {"e", "", ""});
    t->Close();                 // closing writes the batch
    EXPECT_EQ(Table::Open(files.Path(), OpenMode::ReadOnly)->RecCount(), 5u);
}

TEST(TableTest, AppendsAndEditsSurviveAProcessThatEndsWithoutClosing) {
    SampleTable files;
    InChildThatDies([&] {
        Table* t = Table::Open(files.Path(), OpenMode::Exclusive).release();
        for (const char* s : {"a", "b", "c"}) AppendRow(*t, {s, "", ""});
        t->Go(1);
        t->SetText("SUBJECT", "A");
        t->Post();
        t->Go(3);
        t->Delete();
    });
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    ASSERT_EQ(t->RecCount(), 3u);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{1, 2}));
    t->Go(1);
    EXPECT_EQ(t->Text("SUBJECT"), "A");
}

TEST(TableTest, ExclusiveOpenConflictsWithEveryOtherOpen) {
    SampleTable files;
    {
        auto held = Table::Open(files.Path(), OpenMode::Exclusive);
        try {
            Table::Open(files.Path(), OpenMode::Exclusive);
            FAIL() << "second exclusive open succeeded";
        } catch (const EStoreError& e) {
            EXPECT_NE(std::string(e.what()).find("in use"), std::string::npos);
            EXPECT_NE(std::string(e.what()).find("FAXES.DBF"), std::string::npos);
        }
        EXPECT_THROW(Table::Open(files.Path(), OpenMode::Shared), EStoreError);
        EXPECT_THROW(Table::Open(files.Path(), OpenMode::ReadOnly), EStoreError);
    }
    auto a = Table::Open(files.Path(), OpenMode::Shared);
    auto b = Table::Open(files.Path(), OpenMode::ReadOnly);
    EXPECT_THROW(Table::Open(files.Path(), OpenMode::Exclusive), EStoreError);
    a->Close();
    b->Close();
    EXPECT_NO_THROW(Table::Open(files.Path(), OpenMode::Exclusive));
}

TEST(TableTest, ReadOnlyRefusesEveryWrite) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        AppendRow(*t, {"a", "", ""});
    }
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    t->GoTop();
    EXPECT_THROW(t->SetText("SUBJECT", "b"), EStoreError);
    EXPECT_THROW(t->AppendBlank(), EStoreError);
    EXPECT_THROW(t->Delete(), EStoreError);
    EXPECT_THROW(t->Pack(), EStoreError);
    EXPECT_THROW(t->AddIndexTag("SUBJECT", "SUBJECT"), EStoreError);
    EXPECT_EQ(t->Text("SUBJECT"), "a");
}

TEST(TableTest, SharedHandlesSeeEachOthersChanges) {
    SampleTable files;
    auto a = Table::Open(files.Path(), OpenMode::Shared);
    auto b = Table::Open(files.Path(), OpenMode::Shared);
    a->AddIndexTag("SUBJECT", "UPPER(SUBJECT)", false, ".not. deleted()");
    AppendRow(*a, {"zulu", "", ""});
    AppendRow(*b, {"alpha", "", ""});   // b sees a's record and appends after it
    EXPECT_EQ(b->RecNo(), 2u);
    b->SetOrder(b->TagNumber("SUBJECT"));
    EXPECT_EQ(WalkForward(*b), (std::vector<uint32_t>{2, 1}));
    a->Go(1);
    a->SetText("SUBJECT", "beta");
    a->Post();
    b->Go(1);
    EXPECT_EQ(b->Text("SUBJECT"), "beta");
    a->Delete();
    EXPECT_EQ(WalkForward(*b), (std::vector<uint32_t>{2}));
    EXPECT_THROW(a->Pack(), EStoreError);   // packing needs exclusive use
    auto reader = Table::Open(files.Path(), OpenMode::ReadOnly);
    EXPECT_EQ(reader->RecCount(), 2u);
}

TEST(TableTest, VisitWalksWhatNavigationWouldAndTakesInOthersChanges) {
    SampleTable files;
    auto a = Table::Open(files.Path(), OpenMode::Shared);
    auto b = Table::Open(files.Path(), OpenMode::Shared);
    a->AddIndexTag("SUBJECT", "UPPER(SUBJECT)", false, ".not. deleted()");
    for (const char* subject : {"delta", "alpha", "charlie", "bravo"}) AppendRow(*a, {subject, "", ""});
    a->Go(3);
    a->Delete();
    b->GoTop();  // takes in a's tag
    b->SetOrder(b->TagNumber("SUBJECT"));
    b->SetFilter("SUBJECT <> \"bravo\"");
    b->Go(1);
    std::vector<std::string> visited;
    b->Visit([&] { visited.push_back(b->Text("SUBJECT")); });
    EXPECT_EQ(visited, (std::vector<std::string>{"alpha", "delta"}));
    EXPECT_EQ(b->RecNo(), 1u);
    EXPECT_FALSE(b->Eof());
    std::vector<uint32_t> records;
    b->Visit([&] { records.push_back(b->RecNo()); });
    EXPECT_EQ(records, WalkForward(*b));
}

TEST(TableTest, SharedWritersInTwoProcessesLoseNoAppend) {
    SampleTable files;
    constexpr int kEach = 150;
    std::vector<pid_t> children;
    for (const char* who : {"x", "y"}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int status = 0;
            try {
                auto t = Table::Open(files.Path(), OpenMode::Shared);
                for (int i = 0; i < kEach; ++i) AppendRow(*t, {who + std::to_string(i), "", ""});
                t->Close();
            } catch (const EStoreError&) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    ASSERT_EQ(t->RecCount(), 2u * kEach);
    std::set<std::string> subjects;
    for (t->GoTop(); !t->Eof(); t->Skip()) subjects.insert(t->Text("SUBJECT"));
    EXPECT_EQ(subjects.size(), 2u * kEach);
}

TEST(TableTest, AliasesAreCutCleanedAndMadeUnique) {
    test::TempDir dir;
    const std::string path = dir.folder() + "my-long~file name.dbf";
    Table::Create(path, test::SampleFields());
    auto first = Table::Open(path, OpenMode::Shared);
    auto second = Table::Open(path, OpenMode::Shared);
    auto third = Table::Open(path, OpenMode::ReadOnly);
    EXPECT_EQ(first->Alias(), "my_long_");
    EXPECT_EQ(second->Alias(), "my_long__1");
    EXPECT_EQ(third->Alias(), "my_long__2");
    second->Close();
    EXPECT_EQ(Table::Open(path, OpenMode::Shared)->Alias(), "my_long__1");
}

}  // namespace
}  // namespace vl::store
