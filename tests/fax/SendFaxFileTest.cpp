#include "fax/SendFaxFile.h"

#include <gtest/gtest.h>

#include "ApfTestFiles.h"
#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "support/TestSupport.h"

namespace vl::fax {
namespace {

using test::LineRecords;
using Bytes = std::vector<std::uint8_t>;

TEST(FaxFileExtension, AddedOnlyWhenTheLastPathPartHasNoDot) {
    EXPECT_EQ(WithFaxFileExtension("/tmp/send.d/FAX00001", "APF"), "/tmp/send.d/FAX00001.APF");
    EXPECT_EQ(WithFaxFileExtension("FAX00001", "APF"), "FAX00001.APF");
    EXPECT_EQ(WithFaxFileExtension("/tmp/SEND/COVER.TXT", "APF"), "/tmp/SEND/COVER.TXT");
}

class SendFaxFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes, const std::string& name = "FAX.APF") {
        vl::test::WriteFile(dir_.folder() + name, bytes);
        return dir_.folder() + name;
    }
    // The blocks of the current page, by size, until the page is done.
    std::vector<std::size_t> BlockSizes(Bytes* all = nullptr, std::uint32_t* counted = nullptr) {
        std::vector<std::size_t> sizes;
        Bytes block;
        std::uint32_t count = 0;
        while (!file_.PageDone() && file_.ReadBlock(block, count) == 0) {
            sizes.push_back(block.size());
            if (all) all->insert(all->end(), block.begin(), block.end());
            if (counted) *counted += count;
        }
        return sizes;
    }

    vl::test::TempDir dir_;
    SendFaxFile file_;
};

TEST_F(SendFaxFileTest, OpenAddsTheExtensionAndChecksTheSignature) {
    Write(test::ApfBytes({{}, {}}));
    ASSERT_EQ(file_.Open(dir_.folder() + "FAX"), 0);
    EXPECT_EQ(file_.FileName(), dir_.folder() + "FAX.APF");
    EXPECT_EQ(file_.PageCount(), 2);
    std::string badSignature = test::ApfBytes({{}});
    badSignature[4] = '9';
    EXPECT_EQ(file_.Open(Write(badSignature)), base::ecFaxBadFormat);
    EXPECT_FALSE(file_.IsOpen());
    EXPECT_EQ(file_.Open(Write(test::ApfBytes({}).substr(0, 40))), base::ecFaxBadFormat);
}

TEST_F(SendFaxFileTest, PositionsOnEveryPageAndRefusesZeroAndBeyondTheLast) {
    const std::uint16_t flags[] = {faxdoc::ifLineRecords, faxdoc::ifHighResolution,
                                   faxdoc::ifHighResolution | faxdoc::ifWide};
    ASSERT_EQ(file_.Open(Write(test::ApfBytes(
                  {{flags[0], LineRecords({{1, 2}})}, {flags[1], Bytes(10, 0x22)}, {flags[2], Bytes(7, 0x33)}}))),
              0);
    EXPECT_EQ(file_.PositionAtPage(0), base::ecDiskRead);
    EXPECT_EQ(file_.PositionAtPage(4), base::ecDiskRead);
    EXPECT_TRUE(file_.IsOpen()) << "a page number out of range leaves the file open";
    for (unsigned page : {1u, 3u, 2u}) {
        ASSERT_EQ(file_.PositionAtPage(page), 0) << page;
        EXPECT_EQ(file_.PageHeader().imageFlags, flags[page - 1]) << page;
    }
    Bytes all;
    BlockSizes(&all);
    EXPECT_EQ(all, Bytes(10, 0x22));
}

TEST_F(SendFaxFileTest, LineRecordsComeAsStoredAndAreCountedWithTheirCountWord) {
    const Bytes shortRecord = {0x10, 0x20, 0x30};
    ASSERT_EQ(file_.Open(Write(
                  test::ApfBytes({{faxdoc::ifLineRecords, LineRecords({shortRecord, Bytes(300, 0x44), {}})}}))),
              0);
    ASSERT_EQ(file_.PositionAtPage(1), 0);
    Bytes all;
    std::uint32_t counted = 0;
    EXPECT_EQ(BlockSizes(&all, &counted), (std::vector<std::size_t>{3, 300, 0}));
    EXPECT_EQ(counted, file_.PageHeader().imageLength) << "the counted bytes reach the page length";
    EXPECT_EQ(Bytes(all.begin(), all.begin() + 3), shortRecord);
}

TEST_F(SendFaxFileTest, RawPagesComeInBlocksOfAtMost4096AndStopAtThePageEnd) {
    Bytes page(5000);
    for (std::size_t i = 0; i < page.size(); ++i) page[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(file_.Open(Write(test::ApfBytes({{0, page}, {0, Bytes(100, 0xEE)}}))), 0);
    ASSERT_EQ(file_.PositionAtPage(1), 0);
    Bytes all;
    std::uint32_t counted = 0;
    EXPECT_EQ(BlockSizes(&all, &counted), (std::vector<std::size_t>{4096, 904}));
    EXPECT_EQ(all, page);
    EXPECT_EQ(counted, 5000u);
}

TEST_F(SendFaxFileTest, LengthsPastTheEndOfTheFileAreErrors) {
    std::string truncated = test::ApfBytes({{0, Bytes(100, 1)}});
    truncated.resize(truncated.size() - 50);
    ASSERT_EQ(file_.Open(Write(truncated, "A.APF")), 0);
    EXPECT_EQ(file_.PositionAtPage(1), base::ecFaxBadFormat);
    EXPECT_FALSE(file_.IsOpen()) << "a damaged file is closed";

    ASSERT_EQ(file_.Open(Write(test::ApfBytes({{0, Bytes(10, 1)}}, 3), "B.APF")), 0);
    EXPECT_EQ(file_.PositionAtPage(1), 0);
    EXPECT_EQ(file_.PositionAtPage(2), base::ecFaxBadFormat) << "a page count above the pages present";

    Bytes body = LineRecords({{1, 2, 3}});
    body[0] = 0xFF;  // a count word that runs past its page
    ASSERT_EQ(file_.Open(Write(test::ApfBytes({{faxdoc::ifLineRecords, body}}), "C.APF")), 0);
    ASSERT_EQ(file_.PositionAtPage(1), 0);
    Bytes block;
    std::uint32_t counted = 0;
    EXPECT_EQ(file_.ReadBlock(block, counted), base::ecFaxBadFormat);
}

}  // namespace
}  // namespace vl::fax
