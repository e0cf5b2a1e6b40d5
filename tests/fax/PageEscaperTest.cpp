#include "fax/PageEscaper.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/MhDecoder.h"
#include "faxdoc/MhRecordScan.h"

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

TEST_F(PageEscaperTest, BlankLinesArePackedAndFilledOnlyUpToTheMinimum) {
    // A blank line packs to its EOL, the 1728 make-up code and the 0 code:
    // 29 bits. The EOL after a line ends on a byte boundary, once the line
    // has lasted its minimum; the burst ends on a byte boundary.
    const struct {
        std::size_t minimum;
        std::size_t bytes;
    } cases[] = {{0, 9}, {3, 9}, {4, 9}, {5, 11}, {200, 401}, {20000, 16385}};
    for (const auto& c : cases) {
        chunks_.clear();
        escaper_.StartPage();
        ASSERT_EQ(escaper_.SendBlankLine(c.minimum), 0);
        ASSERT_EQ(escaper_.SendBlankLine(c.minimum), 0);
        ASSERT_EQ(escaper_.EndBurst(), 0);
        EXPECT_EQ(All().size(), c.bytes) << "minimum " << c.minimum;
    }
}

TEST_F(PageEscaperTest, RecordsThatAreNotMhLinesAreSentAsStoredAndPaddedWithZeros) {
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
        ASSERT_EQ(escaper_.SendRecord(c.row, c.minimum), 0);
        EXPECT_EQ(All(), c.expected) << "minimum " << c.minimum;
    }
    chunks_.clear();
    ASSERT_EQ(escaper_.SendRecord(Bytes{1}, 10000), 0);
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
    EXPECT_EQ(escaper_.SendBlock(Bytes(3, 0)), base::ecBlockNotQueued);
    failWith_ = 0;
    ASSERT_EQ(escaper_.SendBlock(Bytes(3, 0)), 0);
    EXPECT_EQ(All(), Bytes(3, 0)) << "nothing of the failed calls is left in the buffer";
}

// Re-packing line records into one bit stream.
class PageEscaperRepacking : public PageEscaperTest {
protected:
    static constexpr std::size_t kEolBits = 12;

    // Rows of short black runs among white, as typed text gives, with blank
    // rows between, coded as the converter codes them.
    static std::vector<Bytes> TextRecords(int count, unsigned seed) {
        faxdoc::LineEncoder encoder(faxdoc::LineLayout{});
        std::vector<Bytes> records;
        for (int row = 0; row < count; ++row) {
            Bytes raster(faxdoc::kNormalWidth / 8, 0);
            if (row % 5 != 4) {
                for (int x = 100 + static_cast<int>(seed % 50); x < 1500;) {
                    seed = seed * 1103515245u + 12345u;
                    const int black = 1 + static_cast<int>((seed >> 16) % 7);
                    for (int i = x; i < x + black; ++i) raster[static_cast<std::size_t>(i / 8)] |= 0x80 >> (i % 8);
                    x += black + 1 + static_cast<int>((seed >> 20) % 40);
                }
            }
            const auto record = encoder.Encode(raster);
            records.emplace_back(record.begin(), record.end());
        }
        return records;
    }
    static Bytes Join(const std::vector<Bytes>& records) {
        Bytes all;
        for (const Bytes& r : records) all.insert(all.end(), r.begin(), r.end());
        return all;
    }
    static std::vector<Bytes> DecodedLines(const Bytes& stream) {
        std::vector<Bytes> lines;
        faxdoc::MhDecoder decoder([&](std::span<const std::uint8_t> line) { lines.emplace_back(line.begin(), line.end()); });
        decoder.Feed(stream);
        decoder.Finish();
        return lines;
    }
    // The page as the modem gets it, with DLE ETX and the doubling undone;
    // a DLE not doubled fails the test.
    Bytes Unescaped() const {
        const Bytes sent = All();
        Bytes out;
        EXPECT_GE(sent.size(), 2u);
        EXPECT_EQ(Bytes(sent.end() - 2, sent.end()), (Bytes{kDle, kEtx}));
        for (std::size_t i = 0; i + 2 < sent.size(); ++i) {
            if (sent[i] == kDle) {
                EXPECT_EQ(sent[i + 1], kDle) << "a lone DLE at " << i;
                ++i;
            }
            out.push_back(sent[i]);
        }
        return out;
    }
    // Sends a page of records and answers the stream.
    Bytes SendPage(const std::vector<Bytes>& records, std::size_t minimum) {
        chunks_.clear();
        escaper_.StartPage();
        for (const Bytes& r : records) EXPECT_EQ(escaper_.SendRecord(r, minimum), 0);
        EXPECT_EQ(escaper_.EndBurst(), 0);
        EXPECT_EQ(escaper_.SendEndOfData(), 0);
        return Unescaped();
    }

    // Each EOL of the stream: where its twelve bits start, the fill before
    // it, and whether code words came between it and the EOL before.
    struct Eol {
        std::size_t start;
        std::size_t fill;
        bool afterCodes;
    };
    static std::vector<Eol> Eols(const Bytes& stream) {
        std::vector<faxdoc::MhRecordPiece> pieces;
        EXPECT_TRUE(faxdoc::ScanMhRecord(stream, pieces)) << "EOLs and whole code words only";
        std::vector<Eol> eols;
        bool codes = false;
        for (const auto& p : pieces) {
            if (p.kind == faxdoc::MhRecordPiece::Codes) {
                codes = true;
                continue;
            }
            eols.push_back({p.from + p.bits - kEolBits, p.bits - kEolBits, codes});
            codes = false;
        }
        return eols;
    }
};

TEST_F(PageEscaperRepacking, APageDecodesToTheSameLinesWithTheLeastFillBeforeAlignedEols) {
    std::vector<Bytes> records(8, Bytes(faxdoc::kBlankLineRecord.begin(), faxdoc::kBlankLineRecord.end()));
    for (const Bytes& r : TextRecords(200, 11)) records.push_back(r);
    records.emplace_back(faxdoc::kEndOfPageRecord.begin(), faxdoc::kEndOfPageRecord.end());
    const std::vector<Bytes> expected = DecodedLines(Join(records));
    ASSERT_EQ(expected.size(), 208u);

    for (const std::size_t minimum : {0u, 10u, 18u, 36u, 72u}) {
        const Bytes stream = SendPage(records, minimum);
        EXPECT_EQ(DecodedLines(stream), expected) << "minimum " << minimum;
        if (minimum == 0) {
            EXPECT_LT(stream.size(), Join(records).size()) << "no shorter than the records as stored";
        }
        const std::vector<Eol> eols = Eols(stream);
        ASSERT_EQ(eols.size(), 208u + 7u) << "one EOL a line, and the seven of the end of page";
        EXPECT_EQ(eols.front().start, 0u) << "the stream starts with its first EOL";
        for (std::size_t i = 1; i < eols.size(); ++i) {
            const std::size_t line = eols[i].start - eols[i - 1].start;
            if (!eols[i].afterCodes) {
                EXPECT_EQ(line, kEolBits) << "no fill inside the end of page, EOL " << i;
                continue;
            }
            EXPECT_EQ((eols[i].start + kEolBits) % 8, 0u) << "line " << i;
            EXPECT_GE(line, 8 * minimum) << "line " << i;
            EXPECT_TRUE(eols[i].fill < 8 || line < 8 * minimum + 8)
                << "fill beyond the minimum and the byte boundary, line " << i;
        }
        EXPECT_LT(stream.size() * 8 - (eols.back().start + kEolBits), 8u) << "the end of page is not followed by fill";
    }
}

TEST_F(PageEscaperRepacking, AnOpenLineIsFilledBeforeBytesThatStartOnAByteBoundary) {
    // The top margin's last blank line (29 bits) before a raw page lasts its
    // 10 bytes before the page's own bytes come.
    escaper_.StartPage();
    ASSERT_EQ(escaper_.SendBlankLine(10), 0);
    ASSERT_EQ(escaper_.SendBlock(Bytes{0xAA}), 0);
    const Bytes sent = All();
    ASSERT_EQ(sent.size(), 11u);
    EXPECT_EQ(sent.back(), 0xAA);
    EXPECT_EQ(Bytes(sent.begin() + 4, sent.end() - 1), Bytes(6, 0));
}

}  // namespace
}  // namespace vl::fax
