// The MR/MMR encoder's exact bits on hand-made lines, its framing (K, fill,
// RTC, EOFB), round trips through our decoders fed in every piece size, and
// what the decoders do with damaged, cut and nonsense data.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TwoDimHarness.h"
#include "base/ErrorCodes.h"

namespace vl::faxtest {
namespace {

using faxdoc::PageImage;
using faxdoc::TwoDimCoding;

const std::string kEol = "000000000001 ";
const std::string kEofb = kEol + kEol;
const std::string kRtc = kEol + "1" + kEol + "1" + kEol + "1" + kEol + "1" + kEol + "1" + kEol + "1";
const std::string kWhite1728 = "010011011 00110101 ";  // make-up 1728, terminating 0

// Pixels 10..14 black on a 1728-pixel line.
PageImage DashPage(int rows) {
    PageImage page = BlankRaster(1728, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 10; x < 15; ++x) SetPixel(page, x, y);
    return page;
}

Bytes Padded(const std::string& bits) { return StreamOf(bits); }

TEST(TwoDimEncoder, CodesHandMadeLinesBitForBit) {
    struct Case {
        const char* name;
        PageImage page;
        faxdoc::TwoDimOptions options;
        std::string bits;
    };
    const Case cases[] = {
        // Against the white line above, a white line is V0 at the width.
        {"MMR white lines", BlankRaster(1728, 3), MmrOptions(1728), "1 1 1" + kEofb},
        // Horizontal white 10 + black 5, then V0 at the width; the same dash
        // under it is V0 V0 V0.
        {"MMR dash", DashPage(2), MmrOptions(1728), "001 00111 0011 1  1 1 1" + kEofb},
        // MH runs after EOL + 1, modes after EOL + 0.
        {"MR dash, K 2", DashPage(3), MrOptions(1728, 2),
         kEol + "1 00111 0011 011000 01010010 " + kEol + "0 1 1 1 " + kEol + "1 00111 0011 011000 01010010 " + kRtc},
        {"MR white, K 1", BlankRaster(1728, 2), MrOptions(1728, 1), kEol + "1" + kWhite1728 + kEol + "1" + kWhite1728 + kRtc},
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeTwoDim(c.page, c.options), Padded(c.bits)) << c.name;
}

// The tag bit after each EOL, in order.
std::string Tags(const Bytes& stream) {
    std::string tags;
    int zeros = 0;
    for (std::size_t bit = 0; bit + 1 < stream.size() * 8; ++bit) {
        if ((stream[bit / 8] >> (bit % 8)) & 1) {
            if (zeros >= 11) {
                ++bit;
                tags += (stream[bit / 8] >> (bit % 8)) & 1 ? '1' : '0';
            }
            zeros = 0;
        } else {
            ++zeros;
        }
    }
    return tags;
}

// Bits from the start of each EOL (its last eleven zeros) to the next.
std::vector<std::size_t> LineLengths(const Bytes& stream) {
    std::vector<std::size_t> starts;
    int zeros = 0;
    for (std::size_t bit = 0; bit < stream.size() * 8; ++bit) {
        if ((stream[bit / 8] >> (bit % 8)) & 1) {
            if (zeros >= 11) starts.push_back(bit - 11);
            zeros = 0;
        } else {
            ++zeros;
        }
    }
    std::vector<std::size_t> lengths;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) lengths.push_back(starts[i + 1] - starts[i]);
    return lengths;
}

TEST(TwoDimEncoder, OneDimensionalLineEveryKLinesThenRtc) {
    const PageImage page = TextLikeRaster(1728, 9, 3);
    EXPECT_EQ(Tags(EncodeTwoDim(page, MrOptions(1728, faxdoc::kNormalK))), "101010101" "111111");
    EXPECT_EQ(Tags(EncodeTwoDim(page, MrOptions(1728, faxdoc::kFineK))), "100010001" "111111");
    EXPECT_EQ(Tags(EncodeTwoDim(page, MrOptions(1728, 1))), "111111111" "111111");
}

TEST(TwoDimEncoder, FillMakesEveryLineLastTheMinimumScanTime) {
    const PageImage page = TextLikeRaster(1728, 60, 4);
    for (std::size_t minBytes : {std::size_t{0}, std::size_t{10}, std::size_t{37}, std::size_t{300}}) {
        const Bytes stream = EncodeTwoDim(page, MrOptions(1728, faxdoc::kFineK, minBytes));
        const std::vector<std::size_t> lengths = LineLengths(stream);
        ASSERT_EQ(lengths.size(), 60u + 5u);  // each line, then RTC's EOLs
        bool someFilled = false;
        for (std::size_t i = 0; i < 60; ++i) {
            EXPECT_GE(lengths[i], 8 * minBytes) << "line " << i;
            someFilled = someFilled || lengths[i] == 8 * minBytes;
        }
        // RTC's EOLs follow each other without fill.
        for (std::size_t i = 60; i < lengths.size(); ++i) EXPECT_EQ(lengths[i], 13u);
        if (minBytes >= 37) {
            EXPECT_TRUE(someFilled) << "fill stops at the minimum";
        }
        EXPECT_TRUE(DecodeMr(stream, 1728).lines == RowsOf(page));
    }
}

TEST(TwoDimCodec, PagesComeBackThroughOurDecodersInAnyPieces) {
    const PageImage pages[] = {TextLikeRaster(1728, 120, 5), DitheredRaster(2048, 60, 6), NoiseRaster(1728, 30, 7, 0.5),
                               BlankRaster(2432, 9), NoiseRaster(4096, 12, 8, 0.001)};
    for (const PageImage& page : pages) {
        const faxdoc::TwoDimOptions options[] = {MrOptions(page.width, faxdoc::kNormalK),
                                                 MrOptions(page.width, faxdoc::kFineK, 25), MmrOptions(page.width)};
        for (const faxdoc::TwoDimOptions& o : options) {
            const Bytes stream = EncodeTwoDim(page, o);
            for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{7}, stream.size()}) {
                const TwoDimDecoded d = o.coding == TwoDimCoding::Mr ? DecodeMr(stream, page.width, piece)
                                                                     : DecodeMmr(stream, page.width, piece);
                EXPECT_TRUE(d.lines == RowsOf(page)) << page.width << " wide, piece " << piece;
                EXPECT_EQ(d.badLines, 0);
                EXPECT_EQ(d.error, 0);
                EXPECT_TRUE(d.ended);
            }
        }
    }
}

TEST(TwoDimCodec, WidthsOffTheByteKeepTheirLastPixels) {
    for (int width : {1, 7, 13, 1729}) {
        const int stride = (width + 7) / 8;
        std::mt19937 rng(static_cast<unsigned>(width));
        Lines rows;
        faxdoc::TwoDimEncoder mr(MrOptions(width, 2)), mmr(MmrOptions(width));
        Bytes mrStream, mmrStream;
        for (int y = 0; y < 20; ++y) {
            Bytes row(static_cast<std::size_t>(stride));
            for (auto& b : row) b = static_cast<std::uint8_t>(rng());
            mr.Encode(row, mrStream);
            mmr.Encode(row, mmrStream);
            // Pixels past the width are not coded and come back white.
            row.back() &= static_cast<std::uint8_t>(0xFF << (stride * 8 - width));
            rows.push_back(row);
        }
        mr.Finish(mrStream);
        mmr.Finish(mmrStream);
        EXPECT_TRUE(DecodeMr(mrStream, width).lines == rows) << width;
        EXPECT_TRUE(DecodeMmr(mmrStream, width).lines == rows) << width;
    }
}

TEST(TwoDimCodec, EncoderStartsAFreshPageAfterFinish) {
    const PageImage page = DashPage(3);
    faxdoc::TwoDimEncoder encoder(MrOptions(1728, 2, 20));
    Bytes first, second;
    for (Bytes* out : {&first, &second}) {
        for (int y = 0; y < page.height; ++y) encoder.Encode({page.Row(y), 216}, *out);
        encoder.Finish(*out);
    }
    EXPECT_EQ(first, second);
}

TEST(MrDecoder, BadLinesAreDroppedAndDecodingPicksUpAtTheNextOneDimensionalLine) {
    const std::string dash1d = "1 00111 0011 011000 01010010 ";
    const std::string dash2d = "0 1 1 1 ";
    struct Case {
        const char* name;
        std::string bits;
        int lines;
        int badLines;
    };
    const Case cases[] = {
        {"clean", kEol + dash1d + kEol + dash2d + kEol + dash2d + kRtc, 3, 0},
        {"junk before the first EOL", "1101 0111 001" + kEol + dash1d + kEol + dash2d + kRtc, 2, 0},
        {"2-D line before any reference", kEol + dash2d + kEol + dash1d + kEol + dash2d + kRtc, 2, 1},
        // A bad code spoils its line and the 2-D line coded against it.
        {"bad code in a 1-D line", kEol + "1 00111 0000001 " + kEol + dash2d + kEol + dash1d + kRtc, 1, 2},
        {"bad mode in a 2-D line", kEol + dash1d + kEol + "0 0000001 1" + kEol + dash2d + kEol + dash1d + kRtc, 2, 2},
        {"run past the width", kEol + "1 010011011 010011011 00110101 " + kEol + dash1d + kRtc, 1, 1},
        {"1-D line short of the width", kEol + "1 00111 0011 " + kEol + dash1d + kRtc, 1, 1},
        {"2-D line short of the width", kEol + dash1d + kEol + "0 1 1 " + kEol + dash1d + kRtc, 2, 1},
        {"codes after a finished 2-D line", kEol + dash1d + kEol + "0 1 1 1 1 " + kEol + dash1d + kRtc, 2, 1},
        {"vertical left of a0", kEol + "1" + kWhite1728 + kEol + "0 0000010 0000010 " + kEol + dash1d + kRtc, 2, 1},
        {"MH runs 7 pixels long are cut", kEol + "1 010011011 1111 " + kRtc, 1, 0},
        {"MH runs 8 pixels long are not", kEol + "1 010011011 10011 " + kRtc, 0, 1},
        {"data after RTC is ignored", kEol + dash1d + kRtc + "1 1 1 0000001 1", 1, 0},
        {"last line without RTC", kEol + dash1d + kEol + dash2d, 2, 0},
        {"cut inside the last line", kEol + dash1d + kEol + "0 1 1", 1, 1},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{1000}}) {
            const TwoDimDecoded d = DecodeMr(StreamOf(c.bits), 1728, piece);
            EXPECT_EQ(static_cast<int>(d.lines.size()), c.lines) << c.name;
            EXPECT_EQ(d.badLines, c.badLines) << c.name;
            for (const Bytes& line : d.lines) EXPECT_EQ(line.size(), 216u) << c.name;
        }
    }
    const TwoDimDecoded cut = DecodeMr(StreamOf(kEol + "1 010011011 1111 " + kRtc), 1728);
    ASSERT_EQ(cut.lines.size(), 1u);
    EXPECT_EQ(cut.lines[0], Bytes(216, 0)) << "the pixels past the width are dropped";
    EXPECT_TRUE(DecodeMr(StreamOf(kEol + dash1d + kRtc), 1728).ended);
}

TEST(MmrDecoder, FaultsStopTheDecodingAfterTheLinesBeforeThem) {
    struct Case {
        const char* name;
        std::string bits;
        int lines;
        int error;
        bool ended;
    };
    const Case cases[] = {
        {"clean", "1 1 1" + kEofb, 3, 0, true},
        {"padding without EOFB", "1 1 1 0000000000000000", 3, 0, false},
        {"one EOL ends the page too", "1 1" + kEol + "1 1", 2, 0, true},
        {"extension code", "1 0000001 111", 1, base::ecFaxBadFormat, false},
        {"horizontal runs past the width", "1 001 010011011 00110101 0011 1", 1, base::ecFaxBadFormat, false},
        {"vertical right of the width", "1 0000011", 1, base::ecFaxBadFormat, false},
        // Black at 0 above: b1 is 0, and VL1 would put a1 at -1.
        {"vertical left of the line", "001 00110101 000010 1 1  010", 1, base::ecFaxBadFormat, false},
        {"EOL inside a line", "1 001 00111" + kEol + "1", 1, base::ecFaxBadFormat, false},
        {"cut inside a line", "1 1 001 00111", 2, base::ecFaxBadFormat, false},
        {"bad run code", "001 00000000111111", 0, base::ecFaxBadFormat, false},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{1000}}) {
            const TwoDimDecoded d = DecodeMmr(StreamOf(c.bits), 1728, piece);
            EXPECT_EQ(static_cast<int>(d.lines.size()), c.lines) << c.name;
            EXPECT_EQ(d.error, c.error) << c.name;
            EXPECT_EQ(d.ended, c.ended) << c.name;
        }
    }
}

TEST(TwoDimDecoders, RefuseWidthsTheyCannotHold) {
    for (int width : {0, -5, faxdoc::kMaxTwoDimWidth + 1}) {
        const Bytes stream = StreamOf("1 1 1" + kEofb);
        EXPECT_EQ(DecodeMmr(stream, width).error, base::ecBadArgument);
        EXPECT_TRUE(DecodeMmr(stream, width).lines.empty());
        EXPECT_EQ(DecodeMr(stream, width).error, base::ecBadArgument);
    }
}

// Damaged pages: whatever the damage, the decoders stop, give whole lines,
// and give the same whatever pieces the data comes in.
TEST(TwoDimDecoders, DamagedPagesDecodeTheSameInAnyPieces) {
    std::mt19937 rng(99);
    const PageImage page = TextLikeRaster(1728, 80, 12);
    for (TwoDimCoding coding : {TwoDimCoding::Mr, TwoDimCoding::Mmr}) {
        const Bytes clean = EncodeTwoDim(page, coding == TwoDimCoding::Mr ? MrOptions(1728, 4) : MmrOptions(1728));
        for (int round = 0; round < 40; ++round) {
            Bytes damaged = clean;
            const int flips = 1 + static_cast<int>(rng() % 6);
            for (int i = 0; i < flips; ++i) damaged[rng() % damaged.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            if (round % 5 == 0) damaged.resize(rng() % damaged.size());
            auto decode = [&](std::size_t piece) {
                return coding == TwoDimCoding::Mr ? DecodeMr(damaged, 1728, piece) : DecodeMmr(damaged, 1728, piece);
            };
            const TwoDimDecoded whole = decode(damaged.size() + 1);
            for (std::size_t piece : {std::size_t{1}, std::size_t{5}}) {
                const TwoDimDecoded split = decode(piece);
                EXPECT_TRUE(split.lines == whole.lines) << "round " << round;
                EXPECT_EQ(split.badLines, whole.badLines);
                EXPECT_EQ(split.error, whole.error);
            }
            for (const Bytes& line : whole.lines) EXPECT_EQ(line.size(), 216u);
            EXPECT_LE(whole.lines.size() + static_cast<std::size_t>(whole.badLines), 80u + 6u);
        }
    }
}

}  // namespace
}  // namespace vl::faxtest
