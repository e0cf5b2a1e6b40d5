// Index tags and the index file: orders, conditions, and an index that does
// not match its table.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "store/Table.h"
#include "store/TableFixture.h"

namespace vl::store {
namespace {

using test::AppendRow;
using test::SampleTable;
using test::WalkBackward;
using test::WalkForward;

constexpr const char* kNotDeleted = ".not. deleted()";

// Sent faxes in mixed order and two never sent (blank keys).
void FillSent(Table& t) {
    AppendRow(t, {"charlie", "20240301", "08:00"});  // 1
    AppendRow(t, {"", "", ""});                      // 2 never sent
    AppendRow(t, {"Alpha", "20240301", "17:30"});    // 3
    AppendRow(t, {"bravo", "20231231", "23:59"});    // 4
    AppendRow(t, {"delta", "", ""});                 // 5 never sent
}

void AddFaxTags(Table& t) {
    t.AddIndexTag("DATESENT", "DTOS(DATESENT)+TIMESENT", true, kNotDeleted);
    t.AddIndexTag("SUBJECT", "UPPER(SUBJECT)", false, kNotDeleted);
    t.AddIndexTag("DATEND", "DTOS(DATESENT)+TIMESENT", false, kNotDeleted);
}

TEST(CdxIndexTest, OrdersAscendingDescendingAndBlankKeys) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    FillSent(*t);
    AddFaxTags(*t);
    EXPECT_EQ(t->TagNumber("DATESENT"), 1);
    EXPECT_EQ(t->TagNumber("subject"), 2);
    EXPECT_EQ(t->TagNumber("DATEND"), 3);
    EXPECT_EQ(t->TagNumber("NONE"), 0);
    EXPECT_EQ(t->Order(), 3);   // the tag added last is current

    EXPECT_EQ(t->SetOrder(1), 3);
    // Newest first; never-sent records last, in record order.
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{3, 1, 4, 2, 5}));
    EXPECT_EQ(WalkBackward(*t), (std::vector<uint32_t>{5, 2, 4, 1, 3}));
    t->SetOrder(2);
    // Blank subject first; letter case ignored by the key.
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 3, 4, 1, 5}));
    t->SetOrder(3);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 5, 4, 1, 3}));
    EXPECT_EQ(t->SetOrder(0), 3);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_THROW(t->SetOrder(4), EStoreError);
    EXPECT_THROW(t->SetOrder(-1), EStoreError);
    EXPECT_EQ(t->Order(), 0);

    const auto tags = t->Tags();
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[0].name, "DATESENT");
    EXPECT_EQ(tags[0].keyExpr, "DTOS(DATESENT)+TIMESENT");
    EXPECT_TRUE(tags[0].descending);
    EXPECT_EQ(tags[0].condition, kNotDeleted);
}

TEST(CdxIndexTest, TagsFollowAppendsEditsAndDeletions) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    FillSent(*t);
    AddFaxTags(*t);
    t->SetOrder(t->TagNumber("DATESENT"));
    t->Go(2);   // the never-sent fax is sent now: it moves to the top
    t->SetDate("DATESENT", "20250101");
    t->SetText("TIMESENT", "00:01");
    t->Post();
    AppendRow(*t, {"echo", "20240301", "12:00"});   // 6, between 3 and 1
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 3, 6, 1, 4, 5}));
    t->Go(3);
    t->Delete();
    t->SetShowDeleted(true);   // out of the tag, not merely hidden
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 6, 1, 4, 5}));
    t->SetShowDeleted(false);
    // Skipping on from a record that is not in the tag continues from
    // where its key would stand.
    t->Go(3);
    t->Skip();
    EXPECT_EQ(t->RecNo(), 6u);
    t->Go(3);
    t->Skip(-1);
    EXPECT_EQ(t->RecNo(), 2u);
    t->Go(3);
    t->Recall();
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 3, 6, 1, 4, 5}));
    // A filter combines with the order.
    t->SetFilter("EMPTY(DATESENT)");
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{5}));
}

TEST(CdxIndexTest, TagWithoutConditionHoldsDeletedRecordsButNavigationHidesThem) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    FillSent(*t);
    t->AddIndexTag("ANY", "SUBJECT");
    t->Go(1);
    t->Delete();
    EXPECT_EQ(WalkForward(*t).size(), 4u);
    t->SetShowDeleted(true);
    EXPECT_EQ(WalkForward(*t).size(), 5u);
}

TEST(CdxIndexTest, BadTagDefinitionsAreRefused) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    EXPECT_THROW(t->AddIndexTag("X", "NOSUCH"), EStoreError);
    EXPECT_THROW(t->AddIndexTag("X", "SUBJECT", false, "SUBJECT"), EStoreError);   // not logical
    EXPECT_THROW(t->AddIndexTag("", "SUBJECT"), EStoreError);
    EXPECT_THROW(t->AddIndexTag("ELEVENCHARS", "SUBJECT"), EStoreError);
    EXPECT_EQ(t->Tags().size(), 0u);
    EXPECT_FALSE(std::filesystem::exists(files.IndexPath()));
}

TEST(CdxIndexTest, ReplacingATagKeepsItsNumber) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    FillSent(*t);
    AddFaxTags(*t);
    t->AddIndexTag("subject", "SUBJECT", true, kNotDeleted);
    EXPECT_EQ(t->Tags().size(), 3u);
    EXPECT_EQ(t->Order(), 2);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{5, 1, 4, 3, 2}));
}

TEST(CdxIndexTest, IndexSurvivesReopenAndIsFoundWhateverItsCase) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
    }
    ASSERT_TRUE(std::filesystem::exists(files.IndexPath()));
    std::filesystem::rename(files.IndexPath(), files.Dir().folder() + "faxes.cdx");
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    EXPECT_EQ(t->IndexPath(), files.Dir().folder() + "faxes.cdx");
    EXPECT_EQ(t->Order(), 0);   // natural order until one is chosen
    ASSERT_EQ(t->TagNumber("DATEND"), 3);
    t->SetOrder(1);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{3, 1, 4, 2, 5}));
}

TEST(CdxIndexTest, DeletedIndexMeansNoTags) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
        t->CloseIndexes();
        EXPECT_EQ(t->TagNumber("DATESENT"), 0);
        EXPECT_EQ(t->Order(), 0);
        std::filesystem::remove(t->IndexPath());
        AppendRow(*t, {"after", "", ""});
    }
    EXPECT_FALSE(std::filesystem::exists(files.IndexPath()));
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    EXPECT_EQ(t->TagNumber("DATESENT"), 0);
    EXPECT_EQ(t->RecCount(), 6u);
    t->AddIndexTag("SUBJECT", "UPPER(SUBJECT)", false, kNotDeleted);   // creates the file again
    EXPECT_TRUE(std::filesystem::exists(files.IndexPath()));
    EXPECT_EQ(t->TagNumber("SUBJECT"), 1);
}

TEST(CdxIndexTest, AddingATagAfterCloseIndexesKeepsTheOthersInTheFile) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    FillSent(*t);
    AddFaxTags(*t);
    t->CloseIndexes();
    t->AddIndexTag("TIME", "TIMESENT");
    EXPECT_EQ(t->TagNumber("DATESENT"), 1);
    EXPECT_EQ(t->TagNumber("TIME"), 4);
}

// Changes the table behind the index's back: the index file is left as it was.
void EditBehindTheIndex(const SampleTable& files) {
    const std::string saved = test::ReadFile(files.IndexPath());
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        t->Go(5);
        t->SetDate("DATESENT", "20300101");
        t->Post();
    }
    test::WriteFile(files.IndexPath(), saved);
}

TEST(CdxIndexTest, StaleIndexIsRebuilt) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
    }
    EditBehindTheIndex(files);
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    t->SetOrder(1);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{5, 3, 1, 4, 2}));
}

TEST(CdxIndexTest, DamagedEntriesAreRebuiltAndDamagedDefinitionsMeanNoIndex) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
    }
    const std::string good = test::ReadFile(files.IndexPath());
    std::string bytes = good;
    bytes[bytes.size() - 3] ^= 0x55;   // inside the last entry
    test::WriteFile(files.IndexPath(), bytes);
    {
        auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
        t->SetOrder(1);
        EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{3, 1, 4, 2, 5}));
    }
    // Truncated in the middle of the entries.
    test::WriteFile(files.IndexPath(), good.substr(0, good.size() - 10));
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        t->SetOrder(2);
        EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 3, 4, 1, 5}));
    }
    EXPECT_EQ(test::ReadFile(files.IndexPath()).size(), good.size());   // written whole again at close
    bytes = good;
    bytes[70] ^= 0x01;                 // inside the first tag's name
    test::WriteFile(files.IndexPath(), bytes);
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    EXPECT_EQ(t->TagNumber("DATESENT"), 0);
    EXPECT_EQ(t->RecCount(), 5u);
    t->Close();
    test::WriteFile(files.IndexPath(), "");
    EXPECT_EQ(Table::Open(files.Path(), OpenMode::ReadOnly)->Tags().size(), 0u);
}

TEST(CdxIndexTest, ProcessEndingWithoutCloseLeavesAnIndexThatIsRebuilt) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        t->Go(5);
        t->SetDate("DATESENT", "20300101");
        t->Post();
        AppendRow(*t, {"late", "20300102", "00:00"});
        _exit(0);   // no close: the header count and the index lag behind
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    EXPECT_EQ(t->RecCount(), 6u);
    t->SetOrder(1);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{6, 5, 3, 1, 4, 2}));
}

TEST(CdxIndexTest, ProgressRunsFromZeroToHundredWhileBuilding) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    for (int i = 0; i < 300; ++i) AppendRow(*t, {"s" + std::to_string(i), "", ""});
    std::vector<int> seen;
    t->SetProgressHook([&](int p) { seen.push_back(p); });
    t->AddIndexTag("SUBJECT", "SUBJECT");
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    seen.clear();
    t->Go(1);
    t->Delete();
    t->Pack();
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    t->SetProgressHook({});
    t->AddIndexTag("TIME", "TIMESENT");
    EXPECT_EQ(seen.back(), 100);
}

TEST(CdxIndexTest, PackRenumbersTheTags) {
    SampleTable files;
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    FillSent(*t);
    AddFaxTags(*t);
    t->Go(1);
    t->Delete();
    t->Go(3);
    t->Delete();
    t->Pack();
    t->SetOrder(1);
    // Old 4, 2, 5 are now 2, 1, 3.
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 1, 3}));
    t->Close();
    auto again = Table::Open(files.Path(), OpenMode::ReadOnly);
    again->SetOrder(1);
    EXPECT_EQ(WalkForward(*again), (std::vector<uint32_t>{2, 1, 3}));
}

}  // namespace
}  // namespace vl::store
