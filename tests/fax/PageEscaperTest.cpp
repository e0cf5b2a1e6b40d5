#include "fax/PageEscaper.h"

#include <gtest/gtest.h>

#include "base/ErrorCodes.h"

namespace vl::fax {
namespace {

using Bytes = std::vector<std::uint8_t>;

class PageEscaperTest : public ::testing::Test {
protected:
    Bytes All() const {
        Bytes all;
        for (const Bytes& chunk : chunks_) all.insert(all.end(), chunk.begin(), chunk.end());
        return all;
    }
    std::vector<std::size_t> Sizes() const {
        std::vector<std::size_t> sizes;
        for (const Bytes& chunk : chunks_) sizes.push_back(chunk.size());
        return sizes;
    }

    std::vector<Bytes> chunks_;
    int failWith_ = 0;
    PageEscaper escaper_{[this](std::span<const std::uint8_t> bytes) {
        if (failWith_ != 0) return failWith_;
        chunks_.emplace_back(bytes.begin(), bytes.end());
        return 0;
    }};
};

TEST_F(PageEscaperTest, DoublesEveryDleAndReversesNoBits) {
    ASSERT_EQ(escaper_.SendBlock(Bytes{0x10, 0x01, 0x80, 0x10, 0x10}), 0);
    EXPECT_EQ(All(), (Bytes{0x10, 0x10, 0x01, 0x80, 0x10, 0x10, 0x10, 0x10}));
    EXPECT_EQ(Sizes(), std::vector<std::size_t>{8}) << "one hand-over at the end of the block";
}

TEST_F(PageEscaperTest, HandsOverTheBufferWhenFull) {
    const struct {
        Bytes block;
        std::vector<std::size_t> sizes;
    } cases[] = {
        {Bytes(8192, 0x55), {8192}},
        {Bytes(8193, 0x55), {8192, 1}},
        {Bytes(4096, 0x10), {8192}},
        {Bytes(4097, 0x10), {8192, 2}},
    };
    for (const auto& c : cases) {
        chunks_.clear();
        ASSERT_EQ(escaper_.SendBlock(c.block), 0);
        EXPECT_EQ(Sizes(), c.sizes) << c.block.size() << " bytes of " << int(c.block.empty() ? 0 : c.block[0]);
    }
}

TEST_F(PageEscaperTest, BlankLinePaddingAtTheEdgesOfTheMinimum) {
    const Bytes record = {0x00, 0x80, 0xB2, 0x59, 0x01, 0x00};
    const struct {
        std::size_t minimum;
        std::size_t zeros;
    } cases[] = {{0, 0}, {5, 0}, {6, 0}, {7, 2}, {200, 195}, {20000, 8187}};
    for (const auto& c : cases) {
        chunks_.clear();
        ASSERT_EQ(escaper_.SendBlankLine(c.minimum), 0);
        Bytes expected = record;
        expected.resize(record.size() + c.zeros, 0);
        EXPECT_EQ(All(), expected) << "minimum " << c.minimum;
    }
}

TEST_F(PageEscaperTest, RowsArePaddedWithZerosToTheMinimum) {
    const struct {
        Bytes row;
        std::size_t minimum;
        Bytes expected;
    } cases[] = {
        {{0xAB, 0xCD, 0xEF}, 0, {0xAB, 0xCD, 0xEF}},
        {{0xAB, 0xCD, 0xEF}, 5, {0xAB, 0xCD, 0xEF, 0, 0}},
        {{0xAB, 0xCD, 0xEF, 0x01, 0x02, 0x03}, 5, {0xAB, 0xCD, 0xEF, 0x01, 0x02, 0x03}},
        // The padding follows the row's own length, not its escaped one.
        {{0x10, 0x10}, 5, {0x10, 0x10, 0x10, 0x10, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        chunks_.clear();
        ASSERT_EQ(escaper_.SendRow(c.row, c.minimum), 0);
        EXPECT_EQ(All(), c.expected) << "minimum " << c.minimum;
    }
    chunks_.clear();
    ASSERT_EQ(escaper_.SendRow(Bytes{1}, 10000), 0);
    EXPECT_EQ(All().size(), 8192u) << "a scan line is never padded beyond 8192 bytes";
}

TEST_F(PageEscaperTest, EndOfDataSequencesAreNotEscaped) {
    ASSERT_EQ(escaper_.SendEndOfData(), 0);
    EXPECT_EQ(All(), (Bytes{0x10, 0x03}));
    const struct {
        NextPage next;
        std::uint8_t second;
    } cases[] = {{NextPage::SameResolution, ','}, {NextPage::OtherResolution, ';'}, {NextPage::None, '.'}};
    for (const auto& c : cases) {
        chunks_.clear();
        ASSERT_EQ(escaper_.SendClass20PageEnd(c.next), 0);
        EXPECT_EQ(All(), (Bytes{0x10, c.second}));
    }
}

TEST_F(PageEscaperTest, ASinkFailureIsReturnedAndTheNextCallStartsClean) {
    failWith_ = base::ecBlockNotQueued;
    EXPECT_EQ(escaper_.SendBlock(Bytes(10000, 0x10)), base::ecBlockNotQueued);
    EXPECT_EQ(escaper_.SendZeros(3), base::ecBlockNotQueued);
    failWith_ = 0;
    ASSERT_EQ(escaper_.SendZeros(3), 0);
    EXPECT_EQ(All(), Bytes(3, 0)) << "nothing of the failed calls is left in the buffer";
}

}  // namespace
}  // namespace vl::fax
