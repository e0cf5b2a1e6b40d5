#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/ApfWriter.h"
#include "faxdoc/BufferedOutput.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ReadFile;
using test::TempDir;

std::uint32_t Le32(const std::string& s, std::size_t at) {
    return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
           static_cast<std::uint8_t>(s[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}

std::uint16_t Le16(const std::string& s, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8);
}

std::tm TmOf(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return tm;
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm = TmOf(year, month, day, hour, minute, second);
    return std::mktime(&tm);
}

TEST(ApfWriter, WritesHeadersAndRecordsByteForByte) {
    TempDir dir;
    const std::string name = dir.folder() + "ONE.APF";
    ApfWriter w;
    ASSERT_EQ(w.ApfCreate(name), 0);
    ASSERT_EQ(w.ApfBeginPage(true, kNormalWidth), 0);
    const Bytes a = {1, 2, 3}, b(300, 0x55);
    ASSERT_EQ(w.ApfPutRecord(a), 0);
    ASSERT_EQ(w.ApfPutRecord(b), 0);
    ASSERT_EQ(w.ApfPutRecord({}), 0);
    ASSERT_EQ(w.ApfEndPage(), 0);
    EXPECT_FALSE(w.PageOpen());
    ASSERT_EQ(w.ApfBeginPage(false, kWideWidth), 0);
    EXPECT_TRUE(w.PageOpen());
    ASSERT_EQ(w.ApfEndPage(), 0);
    EXPECT_EQ(w.PageCount(), 2);
    ASSERT_EQ(w.ApfFinish("STATION", LocalTime(2026, 12, 7, 13, 45, 59)), 0);

    const std::string f = ReadFile(name);
    const std::uint32_t image1 = (2 + 3) + (2 + 300) + 2 + (2 + 12);
    ASSERT_EQ(f.size(), 64 + 16 + image1 + 16 + 14);
    EXPECT_EQ(f.substr(0, 6), std::string("APF10\x1A"));
    EXPECT_EQ(Le32(f, 6), (46u << 25 | 12u << 21 | 7u << 16) | (13u << 11 | 45u << 5 | 29u));
    EXPECT_EQ(f.substr(10, 22), std::string("\x07STATION             \0", 22));
    EXPECT_EQ(Le16(f, 32), 2);
    EXPECT_EQ(Le32(f, 34), 64u);
    EXPECT_EQ(f.substr(38, 26), std::string(26, '\0'));
    // Page 1: fine, normal width, line records; image length counts the count words.
    EXPECT_EQ(Le32(f, 64), image1);
    EXPECT_EQ(Le16(f, 68), 5);
    EXPECT_EQ(f.substr(70, 10), std::string(10, '\0'));
    EXPECT_EQ(f.substr(80, 5), std::string("\x03\x00\x01\x02\x03", 5));
    EXPECT_EQ(Le16(f, 85), 300);
    EXPECT_EQ(Le16(f, 387), 0);
    EXPECT_EQ(Le16(f, 389), 12);
    EXPECT_EQ(f.substr(391, 12), std::string(kEndOfPageRecord.begin(), kEndOfPageRecord.end()));
    // Page 2 ended with no line: its header and the end-of-page record.
    const std::size_t page2 = 64 + 16 + image1;
    EXPECT_EQ(Le32(f, page2), 14u);
    EXPECT_EQ(Le16(f, page2 + 4), 6);
    EXPECT_EQ(Le16(f, page2 + 16), 12);
}

TEST(ApfWriter, StationIdIsCutToTwentyOrPaddedWithSpaces) {
    TempDir dir;
    for (const auto& [id, stored] : std::vector<std::pair<std::string, std::string>>{
             {"", std::string(1, '\0') + std::string(20, ' ')},
             {"+49 30 1234", "\x0B+49 30 1234         "},
             {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "\x14" "ABCDEFGHIJKLMNOPQRST"}}) {
        const std::string name = dir.folder() + "ID.APF";
        ApfWriter w;
        ASSERT_EQ(w.ApfCreate(name), 0);
        ASSERT_EQ(w.ApfFinish(id), 0);
        EXPECT_EQ(ReadFile(name).substr(10, 21), stored) << id;
        ApfFileHeader header;
        ASSERT_EQ(ApfReadHeader(name, header), 0);
        EXPECT_EQ(header.stationId, id.substr(0, 20));
        EXPECT_EQ(header.pageCount, 0);
    }
}

TEST(ApfWriter, DateOutsideTheDosRangeIsZero) {
    TempDir dir;
    const std::string name = dir.folder() + "OLD.APF";
    ApfWriter w;
    ASSERT_EQ(w.ApfCreate(name), 0);
    ASSERT_EQ(w.ApfFinish("X", LocalTime(1979, 12, 31, 23, 59, 58)), 0);
    EXPECT_EQ(Le32(ReadFile(name), 6), 0u);

    EXPECT_EQ(DosDateTime(TmOf(2100, 1, 1, 0, 0, 0)), 0u);
    EXPECT_EQ(DosDateTime(TmOf(2099, 12, 31, 23, 59, 59)),
              (119u << 25 | 12u << 21 | 31u << 16) | (23u << 11 | 59u << 5 | 29u));
    EXPECT_EQ(DosDateTime(TmOf(1980, 1, 1, 0, 0, 0)), 1u << 21 | 1u << 16);
}

TEST(ApfWriter, MisuseIsRefusedWithoutHarmingTheFile) {
    TempDir dir;
    const std::string name = dir.folder() + "M.APF";
    ApfWriter w;
    EXPECT_LT(w.ApfBeginPage(false, kNormalWidth), 0);
    ASSERT_EQ(w.ApfCreate(name), 0);
    EXPECT_EQ(w.ApfPutRecord(Bytes{1}), base::ecBadArgument);  // no page begun
    EXPECT_EQ(w.ApfEndPage(), base::ecBadArgument);
    ASSERT_EQ(w.ApfBeginPage(false, kNormalWidth), 0);
    EXPECT_EQ(w.ApfBeginPage(false, kNormalWidth), base::ecBadArgument);
    EXPECT_EQ(w.ApfPutRecord(Bytes(65536, 0)), base::ecBadArgument);  // longer than a count word holds
    EXPECT_EQ(w.ApfFinish("X"), base::ecBadArgument);                // page still open
    ASSERT_EQ(w.ApfPutRecord(Bytes(65535, 7)), 0);
    ASSERT_EQ(w.ApfEndPage(), 0);
    ASSERT_EQ(w.ApfFinish("X"), 0);
    ApfReader r;
    ASSERT_EQ(r.Open(name), 0);
    ApfPage page;
    ASSERT_EQ(r.ReadPage(1, page), 0);
    EXPECT_EQ(page.header.imageLength, 2u + 65535 + 14);
}

// Writes of every size around the buffer's edge: the file must hold exactly
// what was written, and the position must count buffered bytes.
TEST(BufferedOutput, KeepsUpTo4095BytesAndWritesWholeBlocksStraightThrough) {
    TempDir dir;
    const std::string name = dir.folder() + "B.BIN";
    BufferedOutput out;
    ASSERT_EQ(out.Create(name), 0);
    Bytes all;
    auto write = [&](std::size_t n) {
        Bytes chunk(n);
        for (std::size_t i = 0; i < n; ++i) chunk[i] = static_cast<std::uint8_t>(all.size() + i * 7);
        ASSERT_EQ(out.Write(chunk.data(), n), 0);
        all.insert(all.end(), chunk.begin(), chunk.end());
        EXPECT_EQ(out.Position(), all.size());
    };
    write(4095);
    EXPECT_EQ(out.Buffered(), 4095u);
    EXPECT_EQ(std::filesystem::file_size(name), 0u);
    write(1);
    EXPECT_EQ(out.Buffered(), 0u);
    EXPECT_EQ(std::filesystem::file_size(name), 4096u);
    write(100);
    write(10000);  // 3996 tops up, 4096 goes direct, 1908 stays
    EXPECT_EQ(out.Buffered(), 1908u);
    EXPECT_EQ(std::filesystem::file_size(name), 3u * 4096);
    write(2187);  // 1908 + 2187 = 4095
    EXPECT_EQ(out.Buffered(), 4095u);
    write(4096 * 3 + 1);
    EXPECT_EQ(out.Buffered(), 0u);
    write(0);
    write(65537);
    ASSERT_EQ(out.Close(), 0);
    const std::string f = ReadFile(name);
    EXPECT_EQ(Bytes(f.begin(), f.end()), all);
}

TEST(ApfWriter, PagesRoundTripThroughTheReaderAtEveryBufferOffset) {
    TempDir dir;
    const std::string name = dir.folder() + "R.APF";
    ApfWriter w;
    ASSERT_EQ(w.ApfCreate(name), 0);
    std::vector<Bytes> records;
    std::uint32_t expected = 0;
    ASSERT_EQ(w.ApfBeginPage(false, kNormalWidth), 0);
    for (std::size_t n = 4000; n < 4200; n += 3) {
        Bytes r(n % 97 == 0 ? 20000 : n % 130, static_cast<std::uint8_t>(n));
        ASSERT_EQ(w.ApfPutRecord(r), 0);
        expected += static_cast<std::uint32_t>(2 + r.size());
        records.push_back(std::move(r));
    }
    ASSERT_EQ(w.ApfEndPage(), 0);
    ASSERT_EQ(w.ApfFinish("RT"), 0);
    ApfReader reader;
    ASSERT_EQ(reader.Open(name), 0);
    ApfPageHeader header;
    ASSERT_EQ(reader.FindPage(1, header), 0);
    EXPECT_EQ(header.imageLength, expected + 14);
    std::vector<std::uint8_t> got;
    for (const Bytes& r : records) {
        ASSERT_EQ(reader.ReadLineRecord(got), 0);
        EXPECT_EQ(got, Bytes(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(r.size(), 4096))));
    }
    ASSERT_EQ(reader.ReadLineRecord(got), 0);
    EXPECT_EQ(got, Bytes(kEndOfPageRecord.begin(), kEndOfPageRecord.end()));
    EXPECT_TRUE(reader.AtPageEnd());
}

TEST(ApfWriter, FailuresLeaveNoFile) {
    TempDir dir;
    const std::string name = dir.folder() + "FAIL.APF";
    {
        test::FileSizeLimit limit(10000);
        ApfWriter w;
        ASSERT_EQ(w.ApfCreate(name), 0);
        ASSERT_EQ(w.ApfBeginPage(false, kNormalWidth), 0);
        int rc = 0;
        for (int i = 0; i < 100 && rc == 0; ++i) rc = w.ApfPutRecord(Bytes(500, 1));
        EXPECT_TRUE(rc == base::ecDeviceWrite || rc == base::ecDiskFull) << rc;
        EXPECT_FALSE(std::filesystem::exists(name));
        EXPECT_LT(w.ApfEndPage(), 0);
    }
    {
        // The header stays buffered until finishing, which is where it fails.
        test::FileSizeLimit limit(50);
        ApfWriter w;
        ASSERT_EQ(w.ApfCreate(name), 0);
        EXPECT_LT(w.ApfFinish("X"), 0);
        EXPECT_FALSE(std::filesystem::exists(name));
    }
    {
        ApfWriter w;
        ASSERT_EQ(w.ApfCreate(name), 0);
        ASSERT_EQ(w.ApfBeginPage(false, kNormalWidth), 0);
        ASSERT_EQ(w.ApfPutRecord(Bytes(5000, 1)), 0);
        EXPECT_TRUE(std::filesystem::exists(name));
    }
    EXPECT_FALSE(std::filesystem::exists(name));  // destroyed unfinished
    {
        ApfWriter w;
        ASSERT_EQ(w.ApfCreate(name), 0);
        w.ApfAbort();
        EXPECT_FALSE(std::filesystem::exists(name));
    }
    ApfWriter w;
    EXPECT_EQ(w.ApfCreate(dir.folder() + "NO/SUCH/FOLDER.APF"), base::ecPathNotFound);
    EXPECT_EQ(w.ApfCreate(dir.folder()), base::ecAccessDenied);
    test::WriteFile(dir.path() / "PLAIN", "x");
    EXPECT_EQ(w.ApfCreate(dir.folder() + "PLAIN/X.APF"), base::ecPathNotFound);
}

}  // namespace
}  // namespace vl::faxdoc
