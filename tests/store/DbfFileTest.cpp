// The .DBF file itself: its bytes, damaged headers, and repair on open.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/Cp1252.h"
#include "store/Table.h"
#include "store/TableFixture.h"
#include "support/FileSizeLimit.h"

namespace vl::store {
namespace {

using test::AppendRow;
using test::SampleTable;

constexpr size_t kHeader = 32 + 5 * 32 + 1;   // the sample table's header length
constexpr size_t kRecord = 1 + 20 + 8 + 5 + 5 + 1;

uint32_t CountInHeader(const std::string& bytes) {
    return static_cast<uint8_t>(bytes[4]) | static_cast<uint8_t>(bytes[5]) << 8 |
           static_cast<uint8_t>(bytes[6]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(bytes[7])) << 24;
}

void SetCountInHeader(std::string& bytes, uint32_t count) {
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>(count >> (8 * i));
}

// The sample table with two records, the second deleted.
std::string TwoRecords(const SampleTable& files) {
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    AppendRow(*t, {"first", "20240105", "07:45"});
    t->SetNumber("PAGES", 3.5);
    t->SetLogical("ARCHIVED", true);
    t->Post();
    AppendRow(*t, {"second", "", ""});
    t->Delete();
    t->Close();
    return test::ReadFile(files.Path());
}

// Changes the first record and posts it with room on the disk for only its
// first few bytes: the write stops inside the record.
void PostChangeCutPartWay(Table& t) {
    t.Go(1);
    t.SetText("SUBJECT", "changed");
    test::FileSizeLimit limit(kHeader + 4);
    EXPECT_THROW(t.Post(), EStoreError);
}

// Both records of `before` stand unchanged in the table file.
void ExpectRecordsUnchanged(const SampleTable& files, const std::string& before) {
    EXPECT_EQ(test::ReadFile(files.Path()).substr(kHeader, 2 * kRecord), before.substr(kHeader, 2 * kRecord));
}

TEST(DbfFileTest, NewTableHasTheDbaseThreeLayout) {
    SampleTable files;
    const std::string b = test::ReadFile(files.Path());
    ASSERT_EQ(b.size(), kHeader + 1);
    EXPECT_EQ(b[0], 0x03);
    EXPECT_GE(b[2], 1);
    EXPECT_LE(b[2], 12);
    EXPECT_EQ(CountInHeader(b), 0u);
    EXPECT_EQ(static_cast<uint8_t>(b[8]) | static_cast<uint8_t>(b[9]) << 8, kHeader);
    EXPECT_EQ(static_cast<uint8_t>(b[10]) | static_cast<uint8_t>(b[11]) << 8, kRecord);
    EXPECT_EQ(b[29], 0x03);   // Windows-1252
    EXPECT_EQ(b.substr(32, 11), std::string("SUBJECT\0\0\0\0", 11));
    EXPECT_EQ(b[32 + 11], 'C');
    EXPECT_EQ(b[32 + 16], 20);
    EXPECT_EQ(b[64 + 11], 'D');
    EXPECT_EQ(b[128 + 11], 'N');
    EXPECT_EQ(b[128 + 16], 5);
    EXPECT_EQ(b[128 + 17], 1);
    EXPECT_EQ(b[kHeader - 1], 0x0D);
    EXPECT_EQ(b[kHeader], 0x1A);
}

TEST(DbfFileTest, RecordsArePaddedAlignedAndMarked) {
    SampleTable files;
    const std::string b = TwoRecords(files);
    ASSERT_EQ(b.size(), kHeader + 2 * kRecord + 1);
    EXPECT_EQ(CountInHeader(b), 2u);
    EXPECT_EQ(b.substr(kHeader, kRecord), " first               2024010507:45  3.5T");
    EXPECT_EQ(b.substr(kHeader + kRecord, kRecord), "*second                                 ");
    EXPECT_EQ(b.back(), 0x1A);
}

TEST(DbfFileTest, TextIsStoredInWindows1252) {
    SampleTable files;
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        AppendRow(*t, {"Grüße €5 „ok“", "", ""});
    }
    const std::string b = test::ReadFile(files.Path());
    EXPECT_EQ(b.substr(kHeader + 1, 13), "Gr\xFC\xDF" "e \x80" "5 \x84ok\x93");
    EXPECT_EQ(base::Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(base::Utf8ToCp1252("\xC2\x81\xC2\x9D"), std::string("\x81\x9D"));
    EXPECT_FALSE(base::Utf8ToCp1252("\xE2\x82"));           // cut short
    EXPECT_FALSE(base::Utf8ToCp1252("\xC0\xAF"));           // overlong
    EXPECT_FALSE(base::Utf8ToCp1252("\xED\xA0\x80"));       // surrogate
    EXPECT_FALSE(base::Utf8ToCp1252("\xF0\x9F\x98\x80"));   // no such character in the code page
}

TEST(DbfFileTest, DamagedHeadersAreErrorsNamingTheFile) {
    SampleTable files;
    const std::string good = TwoRecords(files);
    struct Damage {
        const char* what;
        std::function<void(std::string&)> apply;
    };
    const std::vector<Damage> damages = {
        {"empty file", [](std::string& b) { b.clear(); }},
        {"shorter than a header", [](std::string& b) { b.resize(20); }},
        {"unknown version", [](std::string& b) { b[0] = 0x04; }},
        {"header length too small", [](std::string& b) { b[8] = 40; b[9] = 0; }},
        {"header longer than file", [](std::string& b) { b[8] = 0x60; b[9] = static_cast<char>(0xEA); }},
        {"no terminator", [](std::string& b) { b[kHeader - 1] = 0; }},
        {"zero-width field", [](std::string& b) { b[32 + 16] = 0; }},
        {"record length off", [](std::string& b) { b[10] = static_cast<char>(kRecord + 1); }},
        {"unknown field type", [](std::string& b) { b[32 + 11] = 'M'; }},
        {"unusable name", [](std::string& b) { b[33] = '?'; }},
        {"empty name", [](std::string& b) { b[32] = 0; }},
        {"date of width 7", [](std::string& b) { b[64 + 16] = 7; b[10] = static_cast<char>(kRecord - 1); }},
        {"twice the same name", [](std::string& b) { b.replace(64, 11, std::string("SUBJECT\0\0\0\0", 11)); }},
    };
    for (const Damage& d : damages) {
        std::string bytes = good;
        d.apply(bytes);
        test::WriteFile(files.Path(), bytes);
        for (OpenMode mode : {OpenMode::ReadOnly, OpenMode::Exclusive}) {
            try {
                Table::Open(files.Path(), mode);
                ADD_FAILURE() << d.what << ": opened";
            } catch (const EStoreError& e) {
                EXPECT_NE(std::string(e.what()).find("FAXES.DBF"), std::string::npos) << d.what;
            }
        }
        EXPECT_EQ(test::ReadFile(files.Path()), bytes) << d.what << ": a damaged file is left as it is";
    }
}

TEST(DbfFileTest, EveryTruncationAndHeaderByteFlipOpensOrFailsCleanly) {
    SampleTable files;
    const std::string good = TwoRecords(files);
    for (size_t size = 0; size <= good.size(); ++size) {
        test::WriteFile(files.Path(), good.substr(0, size));
        try {
            auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
            EXPECT_LE(t->RecCount(), 2u);
            for (t->GoTop(); !t->Eof(); t->Skip()) t->Text("SUBJECT");
        } catch (const EStoreError&) {
        }
    }
    for (size_t at = 0; at < kHeader; ++at) {
        std::string bytes = good;
        bytes[at] = static_cast<char>(bytes[at] ^ 0xFF);
        test::WriteFile(files.Path(), bytes);
        try {
            auto t = Table::Open(files.Path(), OpenMode::Exclusive);
            t->SetShowDeleted(true);
            for (t->GoTop(); !t->Eof(); t->Skip())
                for (const FieldDef& f : t->Layout().Fields()) t->Text(f.name);
        } catch (const EStoreError&) {
        }
    }
}

TEST(DbfFileTest, SomethingOtherThanAFileIsRefused) {
    test::TempDir dir;
    const std::string fifo = dir.folder() + "PIPE.DBF";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.folder() + "DIR.DBF");
    for (OpenMode mode : {OpenMode::ReadOnly, OpenMode::Shared}) {
        EXPECT_THROW(Table::Open(fifo, mode), EStoreError);
        EXPECT_THROW(Table::Open(dir.folder() + "DIR.DBF", mode), EStoreError);
    }
}

TEST(DbfFileTest, PartialTrailingRecordIsDropped) {
    SampleTable files;
    std::string bytes = TwoRecords(files);
    bytes.resize(kHeader + kRecord + kRecord / 2);   // a second record cut in half
    test::WriteFile(files.Path(), bytes);
    {
        auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
        EXPECT_EQ(t->RecCount(), 1u);
        EXPECT_EQ(test::ReadFile(files.Path()), bytes);   // read-only: repaired in memory only
    }
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        EXPECT_EQ(t->RecCount(), 1u);
        AppendRow(*t, {"third", "", ""});
    }
    const std::string repaired = test::ReadFile(files.Path());
    EXPECT_EQ(repaired.size(), kHeader + 2 * kRecord + 1);
    EXPECT_EQ(CountInHeader(repaired), 2u);
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    t->Go(2);
    EXPECT_EQ(t->Text("SUBJECT"), "third");
}

TEST(DbfFileTest, AChangeWrittenOnlyPartWayLeavesTheOldRecordInTheFile) {
    SampleTable files;
    const std::string before = TwoRecords(files);
    auto t = Table::Open(files.Path(), OpenMode::Exclusive);
    PostChangeCutPartWay(*t);
    ExpectRecordsUnchanged(files, before);
}

// The caller was told the post failed: closing the table later, with room
// on the disk again, writes neither the change nor the new record.
TEST(DbfFileTest, APostThatFailedIsNotWrittenAtClose) {
    SampleTable files;
    const std::string before = TwoRecords(files);
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        PostChangeCutPartWay(*t);
        t->AppendBlank();
        t->SetText("SUBJECT", "added");
        {
            test::FileSizeLimit limit(kHeader + 2 * kRecord);
            EXPECT_THROW(t->Post(), EStoreError);
        }
        EXPECT_EQ(t->RecCount(), 2u);
        t->Close();
    }
    EXPECT_EQ(CountInHeader(test::ReadFile(files.Path())), 2u);
    ExpectRecordsUnchanged(files, before);
}

TEST(DbfFileTest, HeaderCountTooHighIsCutToTheRecordsPresent) {
    SampleTable files;
    std::string bytes = TwoRecords(files);
    SetCountInHeader(bytes, 1000);
    test::WriteFile(files.Path(), bytes);
    {
        auto t = Table::Open(files.Path(), OpenMode::Shared);
        EXPECT_EQ(t->RecCount(), 2u);
    }
    EXPECT_EQ(CountInHeader(test::ReadFile(files.Path())), 2u);
}

TEST(DbfFileTest, RecordsBeyondALowHeaderCountAreCountedIn) {
    SampleTable files;
    const std::string good = TwoRecords(files);
    std::string bytes = good;
    SetCountInHeader(bytes, 0);
    test::WriteFile(files.Path(), bytes);
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        ASSERT_EQ(t->RecCount(), 2u);
        t->Go(2);
        EXPECT_TRUE(t->Deleted());
        EXPECT_EQ(t->Text("SUBJECT"), "second");
    }
    EXPECT_EQ(CountInHeader(test::ReadFile(files.Path())), 2u);
    // Bytes after the records that are not records stay outside the table.
    bytes = good;
    bytes.pop_back();
    bytes += std::string(kRecord, 'Z');
    SetCountInHeader(bytes, 2);
    test::WriteFile(files.Path(), bytes);
    EXPECT_EQ(Table::Open(files.Path(), OpenMode::ReadOnly)->RecCount(), 2u);
}

TEST(DbfFileTest, TablesWithoutEndMarkOrWithNulPaddingRead) {
    SampleTable files;
    std::string bytes = TwoRecords(files);
    bytes.pop_back();                                     // no 0x1A
    bytes.replace(kHeader + 1 + 5, 15, std::string(15, '\0'));  // "first" NUL-padded
    test::WriteFile(files.Path(), bytes);
    {
        auto t = Table::Open(files.Path(), OpenMode::Exclusive);
        ASSERT_EQ(t->RecCount(), 2u);
        t->Go(1);
        EXPECT_EQ(t->Text("SUBJECT"), "first");
        AppendRow(*t, {"third", "", ""});
    }
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    ASSERT_EQ(t->RecCount(), 3u);
    t->Go(3);
    EXPECT_EQ(t->Text("SUBJECT"), "third");
}

TEST(DbfFileTest, DamagedDateReadsAsEmpty) {
    SampleTable files;
    std::string bytes = TwoRecords(files);
    bytes.replace(kHeader + 21, 8, "20241341");
    test::WriteFile(files.Path(), bytes);
    auto t = Table::Open(files.Path(), OpenMode::ReadOnly);
    t->Go(1);
    EXPECT_EQ(t->Date("DATESENT"), "");
}

}  // namespace
}  // namespace vl::store
