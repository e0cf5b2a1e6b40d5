#include "fax/SendFaxFile.h"

#include <gtest/gtest.h>

#include "ApfTestFiles.h"
#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "support/TestSupport.h"

namespace vl::fax {
namespace {

using test::LineRecords;
using test::TestPage;
using Bytes = std::vector<std::uint8_t>;

TEST(FaxFileExtension, AddedOnlyWhenTheLastPathPartHasNoDot) {
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"FAX00001", "FAX00001.APF"},
        {"/tmp/send.d/FAX00001", "/tmp/send.d/FAX00001.APF"},
        {"/tmp/SEND/FAX00001.apf", "/tmp/SEND/FAX00001.apf"},
        {"COVER.TXT", "COVER.TXT"},
        {"FAX.", "FAX."},
    };
    for (const auto& c : cases) EXPECT_EQ(WithFaxFileExtension(c.name, "APF"), c.expected) << c.name;
}

class SendFaxFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes, const std::string& name = "FAX.APF") {
        const std::string path = dir_.folder() + name;
        vl::test::WriteFile(path, bytes);
        return path;
    }

    vl::test::TempDir dir_;
    SendFaxFile file_;
};

TEST_F(SendFaxFileTest, OpenAddsTheExtensionAndReadsTheHeader) {
    Write(test::ApfBytes({{}, {}}));
    ASSERT_EQ(file_.Open(dir_.folder() + "FAX"), 0);
    EXPECT_EQ(file_.FileName(), dir_.folder() + "FAX.APF");
    EXPECT_EQ(file_.PageCount(), 2);
}

TEST_F(SendFaxFileTest, OpenFailures) {
    std::string badSignature = test::ApfBytes({{}});
    badSignature[4] = '9';
    EXPECT_EQ(file_.Open(Write(badSignature)), base::ecFaxBadFormat);
    EXPECT_FALSE(file_.IsOpen());
    EXPECT_EQ(file_.Open(Write(test::ApfBytes({}).substr(0, 40))), base::ecFaxBadFormat);
    EXPECT_EQ(file_.Open(dir_.folder() + "MISSING.APF"), base::ecFileNotFound);
}

TEST_F(SendFaxFileTest, PositionsOnEveryPageAndRefusesZeroAndBeyondTheLast) {
    const std::vector<TestPage> pages = {
        {faxdoc::ifLineRecords, LineRecords({{1, 2}})},
        {faxdoc::ifHighResolution, Bytes(10, 0x22)},
        {faxdoc::ifHighResolution | faxdoc::ifWide, Bytes(7, 0x33)},
    };
    ASSERT_EQ(file_.Open(Write(test::ApfBytes(pages))), 0);
    const struct {
        unsigned page;
        int rc;
        std::uint16_t flags;
    } cases[] = {
        {0, base::ecDiskRead, 0}, {1, 0, pages[0].flags}, {3, 0, pages[2].flags}, {4, base::ecDiskRead, 0},
        {2, 0, pages[1].flags},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file_.PositionAtPage(c.page), c.rc) << "page " << c.page;
        if (c.rc == 0) {
            EXPECT_EQ(file_.PageHeader().imageFlags, c.flags) << "page " << c.page;
        }
    }
    EXPECT_TRUE(file_.IsOpen()) << "a page number out of range leaves the file open";
    Bytes block;
    std::uint32_t counted = 0;
    ASSERT_EQ(file_.ReadBlock(0, block, counted), 0);
    EXPECT_EQ(block, Bytes(10, 0x22));
}

TEST_F(SendFaxFileTest, LineRecordsArePaddedToTheMinimumAndCountedWithTheirCountWord) {
    const Bytes shortRecord = {0x10, 0x20, 0x30};
    const Bytes longRecord(300, 0x44);
    ASSERT_EQ(file_.Open(Write(test::ApfBytes({{faxdoc::ifLineRecords, LineRecords({shortRecord, longRecord, {}})}}))),
              0);
    const struct {
        std::size_t minimum;
        std::size_t sizes[3];
    } cases[] = {{0, {3, 300, 0}}, {5, {5, 300, 5}}, {200, {200, 300, 200}}};
    for (const auto& c : cases) {
        ASSERT_EQ(file_.PositionAtPage(1), 0);
        Bytes block;
        std::uint32_t counted = 0;
        std::uint32_t total = 0;
        for (std::size_t size : c.sizes) {
            ASSERT_FALSE(file_.PageDone());
            ASSERT_EQ(file_.ReadBlock(c.minimum, block, counted), 0);
            EXPECT_EQ(block.size(), size) << "minimum " << c.minimum;
            total += counted;
        }
        EXPECT_TRUE(file_.PageDone());
        EXPECT_EQ(total, file_.PageHeader().imageLength) << "the counted bytes reach the page length";
        ASSERT_EQ(file_.ReadBlock(c.minimum, block, counted), 0);
        EXPECT_TRUE(block.empty());
    }
    ASSERT_EQ(file_.PositionAtPage(1), 0);
    Bytes block;
    std::uint32_t counted = 0;
    ASSERT_EQ(file_.ReadBlock(5, block, counted), 0);
    EXPECT_EQ(block, (Bytes{0x10, 0x20, 0x30, 0, 0}));
    EXPECT_EQ(counted, 5u);
}

TEST_F(SendFaxFileTest, RawPagesComeInBlocksOfAtMost4096AndStopAtThePageEnd) {
    Bytes page(5000);
    for (std::size_t i = 0; i < page.size(); ++i) page[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(file_.Open(Write(test::ApfBytes({{0, page}, {0, Bytes(100, 0xEE)}}))), 0);
    ASSERT_EQ(file_.PositionAtPage(1), 0);
    Bytes block;
    Bytes all;
    std::uint32_t counted = 0;
    std::vector<std::size_t> sizes;
    while (!file_.PageDone()) {
        ASSERT_EQ(file_.ReadBlock(200, block, counted), 0);
        EXPECT_EQ(counted, block.size());
        sizes.push_back(block.size());
        all.insert(all.end(), block.begin(), block.end());
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{4096, 904}));
    EXPECT_EQ(all, page);
}

TEST_F(SendFaxFileTest, LengthsPastTheEndOfTheFileAreErrors) {
    // A page header claiming more bytes than the file holds.
    std::string claimsTooMuch = test::ApfBytes({{0, Bytes(100, 1)}});
    claimsTooMuch.resize(claimsTooMuch.size() - 50);
    ASSERT_EQ(file_.Open(Write(claimsTooMuch, "A.APF")), 0);
    EXPECT_EQ(file_.PositionAtPage(1), base::ecFaxBadFormat);
    EXPECT_FALSE(file_.IsOpen()) << "a damaged file is closed";

    // A page count above the pages present.
    ASSERT_EQ(file_.Open(Write(test::ApfBytes({{0, Bytes(10, 1)}}, 3), "B.APF")), 0);
    EXPECT_EQ(file_.PositionAtPage(1), 0);
    EXPECT_EQ(file_.PositionAtPage(2), base::ecFaxBadFormat);

    // A record whose count word runs past its page.
    Bytes body = LineRecords({{1, 2, 3}});
    body[0] = 0xFF;
    ASSERT_EQ(file_.Open(Write(test::ApfBytes({{faxdoc::ifLineRecords, body}}), "C.APF")), 0);
    ASSERT_EQ(file_.PositionAtPage(1), 0);
    Bytes block;
    std::uint32_t counted = 0;
    EXPECT_EQ(file_.ReadBlock(0, block, counted), base::ecFaxBadFormat);
}

}  // namespace
}  // namespace vl::fax
