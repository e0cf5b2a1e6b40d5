// Index tags and the index file: orders, conditions, and an index that does
// not match its table.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "store/DbfHeader.h"
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
    // No close: the header count and the index lag behind.
    test::InChildThatDies([&] {
        Table* t = Table::Open(files.Path(), OpenMode::Exclusive).release();
        t->Go(5);
        t->SetDate("DATESENT", "20300101");
        t->Post();
        AppendRow(*t, {"late", "20300102", "00:00"});
    });
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

// The index file is written by replacing it, so a new file number tells
// that a close wrote it: the open before it did not trust what it found.
ino_t IndexFileNumber(const SampleTable& files) {
    struct stat st {};
    EXPECT_EQ(stat(files.IndexPath().c_str(), &st), 0);
    return st.st_ino;
}

// Opens and closes the table; true when the index file was left as it was.
bool ReopenTrustsIndex(const SampleTable& files) {
    const ino_t before = IndexFileNumber(files);
    Table::Open(files.Path(), OpenMode::Exclusive)->Close();
    return IndexFileNumber(files) == before;
}

// Overwrites a field of a record in the .DBF file the way another program
// would: in place, header, record count and file size untouched.
void EditInPlace(const SampleTable& files, uint32_t recno, const std::string& field, const std::string& bytes) {
    int offset = 0;
    {
        auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
        const RecordLayout& layout = t->Layout();
        offset = field.empty() ? 0 : layout.Fields()[static_cast<size_t>(layout.FindField(field))].offset;
    }
    std::string dbf = test::ReadFile(files.Path());
    const size_t at = GetLe16(dbf, 8) + (recno - 1) * GetLe16(dbf, 10) + static_cast<size_t>(offset);
    dbf.replace(at, bytes.size(), bytes);
    test::WriteFile(files.Path(), dbf);
}

TEST(CdxIndexTest, UntouchedTableReopensWithItsSavedEntries) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        AddFaxTags(*t);
        // Appends gathered in a batch and a header count written late still
        // leave a saved index that matches the file.
        t->BeginBatch();
        FillSent(*t);
        t->Go(4);
        t->Delete();   // out of every tag, yet placed by its key
    }
    EXPECT_TRUE(ReopenTrustsIndex(files));
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    t->SetOrder(1);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{3, 1, 2, 5}));
    t->Go(4);
    t->Skip();
    EXPECT_EQ(t->RecNo(), 2u);
    t->Go(4);
    t->Skip(-1);
    EXPECT_EQ(t->RecNo(), 1u);
    t->SetOrder(2);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 3, 1, 5}));
    // An index file from before a change is not trusted.
    t->Go(1);
    t->SetText("SUBJECT", "zebra");
    t->Post();
    const std::string saved = test::ReadFile(files.IndexPath());
    t->Close();
    test::WriteFile(files.IndexPath(), saved);
    EXPECT_FALSE(ReopenTrustsIndex(files));
    EXPECT_TRUE(ReopenTrustsIndex(files));
}

TEST(CdxIndexTest, IndexSavedBySharedHandlesIsTrustedAfterBothClose) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
    }
    {
        auto a = Table::Open(files.Path(), OpenMode::Shared);
        auto b = Table::Open(files.Path(), OpenMode::Shared);
        a->Go(2);
        a->SetDate("DATESENT", "20300101");
        a->Post();
        b->Go(4);
        b->SetDate("DATESENT", "20310101");
        b->Post();
        a->Close();
        b->Close();
    }
    EXPECT_TRUE(ReopenTrustsIndex(files));
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    t->SetOrder(1);
    EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{4, 2, 3, 1, 5}));
}

TEST(CdxIndexTest, RecordsChangedInPlaceByAnotherProgramAreNotTrusted) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
    }
    // A key changes: the never-sent record 5 is dated newest.
    EditInPlace(files, 5, "DATESENT", "20300101");
    {
        auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
        t->SetOrder(1);
        EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{5, 3, 1, 4, 2}));
        t->SetOrder(2);
        EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 3, 4, 1, 5}));
    }
    EXPECT_FALSE(ReopenTrustsIndex(files));
    // Only the deletion mark changes: record 3 leaves the tags.
    EditInPlace(files, 3, "", "*");
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        t->SetOrder(1);
        t->SetShowDeleted(true);
        EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{5, 1, 4, 2}));
    }
    // A field no tag reads: still another table than the one indexed.
    EditInPlace(files, 1, "PAGES", "   42");
    EXPECT_FALSE(ReopenTrustsIndex(files));
    EXPECT_TRUE(ReopenTrustsIndex(files));
}

TEST(CdxIndexTest, DamagedKeysOrOrderInTheIndexFileAreNotTrusted) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        FillSent(*t);
        AddFaxTags(*t);
    }
    const std::string good = test::ReadFile(files.IndexPath());
    // The first tag's entries start after the definitions: key length,
    // record count, then the saved key of record 1.
    const size_t entries = 68 + GetLe32(good, 48);
    for (size_t at : {entries + 8, entries + 8 + 5 * 13 + 4, good.size() - 4}) {
        std::string bytes = good;
        bytes[at] ^= 0x04;
        test::WriteFile(files.IndexPath(), bytes);
        {
            auto t = Table::Open(files.Path(), OpenMode::Exclusive);
            t->SetOrder(1);
            EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{3, 1, 4, 2, 5})) << at;
            t->SetOrder(3);
            EXPECT_EQ(WalkForward(*t), (std::vector<uint32_t>{2, 5, 4, 1, 3})) << at;
        }
        EXPECT_EQ(test::ReadFile(files.IndexPath()), good) << at;   // rebuilt and written afresh
    }
}

}  // namespace
}  // namespace vl::store
