#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/IoErrors.h"
#include "faxdoc/LineRecords.h"
#include "support/TestSupport.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempDir;

struct TestPage {
    std::uint16_t flags = ifLineRecords;
    Bytes data;
    std::uint32_t statedLength = UINT32_MAX;  // the data's size unless set
};

std::string FileOf(const std::vector<TestPage>& pages, std::uint16_t statedCount, const std::string& id = "ID") {
    ApfFileHeader header;
    header.stationId = id;
    header.pageCount = statedCount;
    const ApfFileHeaderBytes h = EncodeFileHeader(header);
    std::string file(h.begin(), h.end());
    for (const TestPage& p : pages) {
        ApfPageHeader ph;
        ph.imageFlags = p.flags;
        ph.imageLength = p.statedLength == UINT32_MAX ? static_cast<std::uint32_t>(p.data.size()) : p.statedLength;
        const ApfPageHeaderBytes b = EncodePageHeader(ph);
        file.append(b.begin(), b.end());
        file.append(p.data.begin(), p.data.end());
    }
    return file;
}

Bytes Records(const std::vector<Bytes>& records) {
    Bytes out;
    for (const Bytes& r : records) {
        out.push_back(static_cast<std::uint8_t>(r.size()));
        out.push_back(static_cast<std::uint8_t>(r.size() >> 8));
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

class ApfReaderTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        const std::string name = dir_.folder() + "T" + std::to_string(++n_) + ".APF";
        test::WriteFile(name, bytes);
        return name;
    }
    TempDir dir_;
    int n_ = 0;
};

TEST_F(ApfReaderTest, SignatureNeedsAllSixBytes) {
    std::string file = FileOf({}, 0);
    EXPECT_TRUE(HasApfSignature(Write(file)));
    file[5] = 0;
    const std::string noEof = Write(file);
    EXPECT_FALSE(HasApfSignature(noEof));
    ApfFileHeader header;
    EXPECT_EQ(ApfReadHeader(noEof, header), base::ecFaxBadFormat);
    EXPECT_FALSE(HasApfSignature(Write("APF10")));
    EXPECT_FALSE(HasApfSignature(dir_.folder() + "MISSING.APF"));
    EXPECT_FALSE(HasApfSignature(dir_.folder()));
    // A right signature on a file too short for a header is no APF file either.
    EXPECT_EQ(ApfReadHeader(Write(FileOf({}, 0).substr(0, 63)), header), base::ecFaxBadFormat);
}

TEST_F(ApfReaderTest, OpenFailuresGiveTheirCodes) {
    ApfFileHeader header;
    EXPECT_EQ(ApfReadHeader("", header), base::ecFileNotFound);
    EXPECT_EQ(ApfReadHeader(dir_.folder() + "MISSING.APF", header), base::ecFileNotFound);
    EXPECT_EQ(ApfReadHeader(dir_.folder() + "NO/X.APF", header), base::ecFileNotFound);
    EXPECT_EQ(ApfReadHeader(Write("x") + "/X.APF", header), base::ecPathNotFound);
    EXPECT_EQ(ApfReadHeader(dir_.folder(), header), base::ecAccessDenied);
}

TEST_F(ApfReaderTest, FindsPagesByWalkingHeaders) {
    const Bytes one = Records({{1, 2, 3}, {4}}), two = Bytes(77, 9);
    const std::string name =
        Write(FileOf({{ifLineRecords | ifHighResolution, one}, {ifWide, two}}, 2, "REMOTE STATION"));
    ApfFileHeader header;
    ApfPageHeader page;
    page.imageLength = 12345;
    ASSERT_EQ(ApfFindPage(name, 0, header, page), 0);
    EXPECT_EQ(header.stationId, "REMOTE STATION");
    EXPECT_EQ(header.pageCount, 2);
    EXPECT_EQ(page.imageLength, 12345u);  // page 0 is the file header alone
    ASSERT_EQ(ApfFindPage(name, 2, header, page), 0);
    EXPECT_EQ(page.imageLength, 77u);
    EXPECT_TRUE(page.Wide());
    EXPECT_FALSE(page.LineRecords());
    EXPECT_EQ(ApfFindPage(name, 3, header, page), base::ecFaxBadFormat);

    ApfReader reader;
    ASSERT_EQ(reader.Open(name), 0);
    ApfPage whole;
    ASSERT_EQ(reader.ReadPage(2, whole), 0);
    EXPECT_EQ(whole.imageData, two);
    ASSERT_EQ(reader.ReadPage(1, whole), 0);  // back to an earlier page
    EXPECT_EQ(whole.imageData, one);
    EXPECT_TRUE(whole.header.HighResolution());
    EXPECT_EQ(whole.header.Width(), kNormalWidth);
    ASSERT_EQ(reader.FindPage(1, page), 0);
    Bytes record;
    ASSERT_EQ(reader.ReadLineRecord(record), 0);
    EXPECT_EQ(record, (Bytes{1, 2, 3}));
    ASSERT_EQ(reader.ReadLineRecord(record), 0);
    EXPECT_EQ(record, (Bytes{4}));
    EXPECT_TRUE(reader.AtPageEnd());
    ASSERT_EQ(reader.ReadLineRecord(record), 0);
    EXPECT_TRUE(record.empty());
    // A raw page has no records to walk.
    ASSERT_EQ(reader.FindPage(2, page), 0);
    EXPECT_EQ(reader.ReadLineRecord(record), base::ecFaxBadFormat);
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.FindPage(1, page), ecInvalidFileHandle);
}

TEST_F(ApfReaderTest, CountWordAbove4096ReadsOnly4096AndSkipsTheRest) {
    Bytes big(5000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i);
    const Bytes data = Records({big, {0xAA, 0xBB}});
    const std::string name = Write(FileOf({{ifLineRecords, data}}, 1));
    ApfReader reader;
    ASSERT_EQ(reader.Open(name), 0);
    ApfPageHeader page;
    ASSERT_EQ(reader.FindPage(1, page), 0);
    Bytes record;
    ASSERT_EQ(reader.ReadLineRecord(record), 0);
    EXPECT_EQ(record, Bytes(big.begin(), big.begin() + 4096));
    ASSERT_EQ(reader.ReadLineRecord(record), 0);
    EXPECT_EQ(record, (Bytes{0xAA, 0xBB}));
    EXPECT_TRUE(reader.AtPageEnd());

    LineRecordIterator it(data);
    std::span<const std::uint8_t> r;
    ASSERT_TRUE(it.Next(r));
    EXPECT_EQ(r.size(), 4096u);
    ASSERT_TRUE(it.Next(r));
    EXPECT_EQ(Bytes(r.begin(), r.end()), (Bytes{0xAA, 0xBB}));
    EXPECT_FALSE(it.Next(r));
    EXPECT_EQ(it.Error(), 0);
}

TEST_F(ApfReaderTest, LyingLengthsAreBadFormat) {
    ApfFileHeader header;
    ApfPageHeader page;
    // Image length past the end of the file.
    EXPECT_EQ(ApfFindPage(Write(FileOf({{ifLineRecords, Bytes(10), 11}}, 1)), 1, header, page),
              base::ecFaxBadFormat);
    EXPECT_EQ(ApfFindPage(Write(FileOf({{ifLineRecords, Bytes(10), 0xFFFFFFFF - 1}}, 1)), 1, header, page),
              base::ecFaxBadFormat);
    // More pages counted than present; a page length that jumps past the file.
    const std::string twoOfThree = Write(FileOf({{ifLineRecords, Bytes(4)}, {ifLineRecords, Bytes(4)}}, 3));
    EXPECT_EQ(ApfFindPage(twoOfThree, 2, header, page), 0);
    EXPECT_EQ(ApfFindPage(twoOfThree, 3, header, page), base::ecFaxBadFormat);
    EXPECT_EQ(ApfFindPage(Write(FileOf({{ifLineRecords, Bytes(4), 1000}, {ifLineRecords, {}}}, 2)), 2, header, page),
              base::ecFaxBadFormat);
    // The count rules even when more pages are present.
    const std::string threeOfTwo = Write(FileOf({{ifLineRecords, {}}, {ifLineRecords, {}}, {ifLineRecords, {}}}, 2));
    EXPECT_EQ(ApfFindPage(threeOfTwo, 2, header, page), 0);
    EXPECT_EQ(ApfFindPage(threeOfTwo, 3, header, page), base::ecFaxBadFormat);
    // A first page offset past the end.
    std::string far = FileOf({{ifLineRecords, {}}}, 1);
    far[36] = 0x10;
    EXPECT_EQ(ApfFindPage(Write(far), 1, header, page), base::ecFaxBadFormat);
    // Records whose counts run past the page, or a lone byte where a count belongs.
    for (const Bytes& data : {Bytes{5, 0, 1, 2}, Bytes{0}, Bytes{1, 0, 9, 7}}) {
        ApfReader reader;
        ASSERT_EQ(reader.Open(Write(FileOf({{ifLineRecords, data}, {ifLineRecords, {}}}, 2))), 0);
        ASSERT_EQ(reader.FindPage(1, page), 0);
        Bytes record;
        int rc = 0;
        for (int i = 0; i < 3 && rc == 0; ++i) rc = reader.ReadLineRecord(record);
        EXPECT_EQ(rc, base::ecFaxBadFormat);
        LineRecordIterator it(data);
        std::span<const std::uint8_t> r;
        while (it.Next(r)) {
        }
        EXPECT_EQ(it.Error(), base::ecFaxBadFormat);
    }
}

// Damaged copies of a good file: every answer is 0 or a code, never a crash
// (the sanitizers watch), and no page read returns more than the file holds.
TEST_F(ApfReaderTest, DamagedFilesGiveCodes) {
    const std::string good = FileOf({{ifLineRecords, Records({{1, 2}, Bytes(300, 3), {}})},
                                     {ifLineRecords | ifWide, Records({Bytes(5000, 4)})},
                                     {0, Bytes(40, 0x80)}},
                                    3);
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string bad = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) bad[random() % bad.size()] = static_cast<char>(random());
        if (round % 5 == 0) bad.resize(random() % bad.size());
        const std::string name = Write(bad);
        ApfReader reader;
        if (reader.Open(name) != 0) continue;
        for (unsigned p = 1; p <= reader.Header().pageCount && reader.IsOpen(); ++p) {
            ApfPage page;
            const int rc = reader.ReadPage(p, page);
            if (rc != 0) {
                EXPECT_LT(rc, 0);
                break;
            }
            EXPECT_LE(page.imageData.size(), bad.size());
            LineRecordIterator it(page.imageData);
            std::span<const std::uint8_t> r;
            while (it.Next(r)) EXPECT_LE(r.size(), kApfMaxRecordLength);
        }
    }
}

}  // namespace
}  // namespace vl::faxdoc
