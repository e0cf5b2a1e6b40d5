// The decoding rules, checked on hand-made streams against both decoders, and
// the table decoder held to the bit walk on many whole and damaged pages.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "MhDecodeHarness.h"
#include "faxdoc/MhBitWalk.h"
#include "faxdoc/MhCodes.h"
#include "faxdoc/MhDecoder.h"

namespace vl::faxtest {
namespace {

using faxdoc::MhBitWalk;
using faxdoc::MhDecoder;

const std::string kEol = "000000000001 ";
const std::string kWhite0 = "00110101 ";
const std::string kWhite1728 = "010011011 " + kWhite0;  // make-up 1728, then 0
const std::string kBlankLine = kWhite1728 + kEol;
const std::string kEndOfPage = kEol + kEol + kEol;

template <class Decoder>
class MhRules : public ::testing::Test {};
using BothDecoders = ::testing::Types<MhBitWalk, MhDecoder>;
TYPED_TEST_SUITE(MhRules, BothDecoders);

TYPED_TEST(MhRules, WhiteAndBlackRunsFillTheLine) {
    // white 10, black 5, white 1713 (make-up 1664 + 49)
    const Decoded d =
        DecodeWith<TypeParam>(StreamOf(kEol + "00111 0011 011000 01010010 " + kEol + kEol + kEol));
    ASSERT_EQ(d.lines.size(), 1u);
    Bytes expected(216, 0);
    expected[1] = 0x3E;  // pixels 10..14
    EXPECT_EQ(d.lines[0], expected);
    EXPECT_TRUE(d.ended);
    EXPECT_EQ(d.badCodes, 0);
}

TYPED_TEST(MhRules, DataBeforeTheFirstEolIsIgnored) {
    const Decoded d = DecodeWith<TypeParam>(StreamOf("1111 0000001 " + kWhite1728 + kEol + kBlankLine + kEndOfPage));
    EXPECT_EQ(d.lines.size(), 1u);
    EXPECT_EQ(d.badCodes, 0);
}

TYPED_TEST(MhRules, FillBitsBeforeAnEolAreSkipped) {
    const std::string fill(29, '0');
    const Decoded d = DecodeWith<TypeParam>(
        StreamOf(fill + kEol + kWhite1728 + fill + kEol + kWhite1728 + "0000" + kEol + kEol + fill + kEol));
    EXPECT_EQ(d.lines.size(), 2u);
    EXPECT_TRUE(d.ended);
    EXPECT_EQ(d.badCodes, 0);
}

TYPED_TEST(MhRules, OnlyLinesOf1728Or2048PixelsAreKept) {
    const std::string white1000 = "011010100 00101001 ";      // make-up 960 + 40
    const std::string white2048 = "000000010011 " + kWhite0;  // extended make-up
    const std::string white2560 = "000000011111 " + kWhite0;  // longer than any line
    const Decoded d = DecodeWith<TypeParam>(StreamOf(kEol + white1000 + kEol + white2048 + kEol + white2560 +
                                                     kEol + kEol /* empty line */ + kBlankLine + kEndOfPage));
    ASSERT_EQ(d.lines.size(), 2u);
    EXPECT_EQ(d.lines[0].size(), 256u);
    EXPECT_EQ(d.lines[1].size(), 216u);
    EXPECT_TRUE(d.ended) << "an empty line is two EOLs in a row, not the end of the page";
}

// The code words of a run of one colour, make-up code first when needed.
std::string RunCodes(faxdoc::MhColor color, int run) {
    auto bits = [](faxdoc::MhWrittenCode c) {
        std::string text;
        for (int i = c.bits - 1; i >= 0; --i) text += (c.code >> i) & 1 ? '1' : '0';
        return text + ' ';
    };
    std::string codes;
    if (const int makeUp = run / 64 * 64; makeUp > 0) {
        codes += makeUp < faxdoc::kMhFirstExtendedRun
                     ? bits(faxdoc::WrittenMakeUpCodes(color)[static_cast<std::size_t>(makeUp / 64 - 1)])
                     : bits(faxdoc::WrittenExtendedMakeUpCodes()[static_cast<std::size_t>(
                           (makeUp - faxdoc::kMhFirstExtendedRun) / 64)]);
    }
    return codes + bits(faxdoc::WrittenTerminatingCodes(color)[static_cast<std::size_t>(run % 64)]);
}

TYPED_TEST(MhRules, LinesAFewPixelsLongKeepTheirWholeBytes) {
    using faxdoc::MhColor;
    // White, then a black run that ends the line; the pixels past the whole
    // bytes are cut off.
    const struct {
        int white, black;
        std::size_t bytes;   // 0: dropped
        std::uint8_t last;   // the line's last byte
    } cases[] = {
        {1727, 0, 0, 0},      {1728, 0, 216, 0},    {1720, 15, 216, 0xFF}, {1735, 0, 216, 0},
        {1736, 0, 0, 0},      {1700, 36, 0, 0},     {2047, 0, 0, 0},       {2048, 0, 256, 0},
        {2040, 15, 256, 0xFF}, {2000, 55, 256, 0xFF}, {2056, 0, 0, 0},     {2040, 16, 0, 0},
    };
    for (const auto& c : cases) {
        std::string line = RunCodes(MhColor::White, c.white);
        if (c.black > 0) line += RunCodes(MhColor::Black, c.black);
        // A blank line after each: the cut-off pixels must not reach it.
        const Decoded d = DecodeWith<TypeParam>(StreamOf(kEol + line + kEol + kBlankLine + kEndOfPage));
        const std::string what = std::to_string(c.white) + " white, " + std::to_string(c.black) + " black";
        ASSERT_EQ(d.lines.size(), c.bytes ? 2u : 1u) << what;
        EXPECT_EQ(d.badCodes, 0) << what;
        EXPECT_EQ(d.lines.back(), Bytes(216, 0)) << what;
        if (c.bytes == 0) continue;
        ASSERT_EQ(d.lines[0].size(), c.bytes) << what;
        EXPECT_EQ(d.lines[0].back(), c.last) << what;
    }
}

TYPED_TEST(MhRules, BadCodeDropsItsLineAndDecodingResumesAtTheNextEol) {
    // Eight zeros and a 1 are neither a white code nor an EOL.
    const Decoded d = DecodeWith<TypeParam>(
        StreamOf(kEol + "010011011 000000001 " + kWhite0 + kEol + kBlankLine + kEndOfPage));
    EXPECT_EQ(d.lines.size(), 1u);
    EXPECT_EQ(d.badCodes, 1);
    EXPECT_TRUE(d.ended);
}

TYPED_TEST(MhRules, ABadCodeCanNotBeMadeGoodByTheRestOfItsLine) {
    // White 64 + bad code + white 1664: a sum of 1728 only if the bad bits were
    // skipped; the line must still be dropped.
    const Decoded d = DecodeWith<TypeParam>(
        StreamOf(kEol + "11011 000000001 011000 " + kWhite0 + kEol + kEndOfPage));
    EXPECT_TRUE(d.lines.empty());
    EXPECT_EQ(d.badCodes, 1);
}

TYPED_TEST(MhRules, ThreeEolsInARowEndThePage) {
    const Decoded d = DecodeWith<TypeParam>(StreamOf(kEol + kBlankLine + kEol + kEol + kBlankLine + kBlankLine));
    EXPECT_EQ(d.lines.size(), 1u);
    EXPECT_TRUE(d.ended);
}

TYPED_TEST(MhRules, ALineCutOffByTheEndOfTheDataIsDropped) {
    const Decoded d = DecodeWith<TypeParam>(StreamOf(kEol + kBlankLine + kWhite1728));
    EXPECT_EQ(d.lines.size(), 1u);
    EXPECT_FALSE(d.ended);
}

TYPED_TEST(MhRules, LineRecordsDecodeLikeTheStreamTheyHold) {
    const Bytes raw = StreamOf(kEol + kBlankLine + "00111 0011 011000 01010010 " + kEol + kEndOfPage);
    EXPECT_EQ(DecodeWith<TypeParam>(AsLineRecords(raw), true), DecodeWith<TypeParam>(raw));
    EXPECT_EQ(DecodeWith<TypeParam>(raw).lines.size(), 2u);
}

// Damage done to a good stream.
Bytes FlipBits(Bytes s, int count, std::mt19937& rng) {
    for (int i = 0; i < count && !s.empty(); ++i) s[rng() % s.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
    return s;
}

Bytes Garbage(Bytes s, std::mt19937& rng) {
    const std::size_t at = s.empty() ? 0 : rng() % s.size();
    Bytes junk(1 + rng() % 300);
    for (auto& b : junk) b = static_cast<std::uint8_t>(rng());
    s.insert(s.begin() + static_cast<std::ptrdiff_t>(at), junk.begin(), junk.end());
    return s;
}

Bytes WithoutEols(Bytes s, std::mt19937& rng) {
    // Set a bit in some runs of zero bytes, which breaks the EOLs there.
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == 0 && rng() % 3 == 0) s[i] = 0x10;
    }
    return s;
}

Bytes Truncated(Bytes s, std::mt19937& rng) {
    s.resize(s.empty() ? 0 : rng() % s.size());
    return s;
}

Bytes CorruptMidLine(Bytes s, std::mt19937& rng) {
    for (int i = 0; i < 5 && s.size() > 2; ++i) s[rng() % s.size()] = static_cast<std::uint8_t>(0xFF - (rng() % 4));
    return s;
}

void ExpectSameDecoding(const Bytes& stream, const std::string& what) {
    const Decoded reference = DecodeWith<MhBitWalk>(stream);
    for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{7}, std::size_t{512}, stream.size() + 1}) {
        EXPECT_EQ(DecodeWith<MhDecoder>(stream, false, piece), reference) << what << ", pieces of " << piece;
    }
    const Bytes records = AsLineRecords(stream);
    EXPECT_EQ(DecodeWith<MhDecoder>(records, true), DecodeWith<MhBitWalk>(records, true)) << what << " as records";
}

TEST(MhDecoderMatchesBitWalk, OnGoodPages) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        for (int width : {1728, 2048}) {
            const Bytes text = Pbmtog3(TextLikeRaster(width, 160, seed));
            const Decoded d = DecodeWith<MhDecoder>(text);
            EXPECT_EQ(d.lines.size(), 160u);
            EXPECT_TRUE(d.ended);
            ExpectSameDecoding(text, "text " + std::to_string(width));
            ExpectSameDecoding(Pbmtog3(NoiseRaster(width, 40, seed, seed * 0.2)), "noise " + std::to_string(width));
        }
    }
}

TEST(MhDecoderMatchesBitWalk, OnDamagedPages) {
    std::mt19937 rng(77);
    const Bytes text = Pbmtog3(TextLikeRaster(1728, 60, 5));
    const Bytes noise = Pbmtog3(NoiseRaster(2048, 12, 6, 0.3));
    int pages = 0, changed = 0, withBadCodes = 0;
    for (int round = 0; round < 8; ++round) {
        for (const Bytes* page : {&text, &noise}) {
            const Lines good = DecodeWith<MhDecoder>(*page).lines;
            const Bytes damaged[] = {FlipBits(*page, 1 + round, rng), Garbage(*page, rng), WithoutEols(*page, rng),
                                     Truncated(*page, rng), CorruptMidLine(*page, rng)};
            for (const Bytes& d : damaged) {
                ExpectSameDecoding(d, "round " + std::to_string(round));
                const Decoded reference = DecodeWith<MhBitWalk>(d);
                ++pages;
                changed += reference.lines != good;
                withBadCodes += reference.badCodes > 0;
            }
        }
    }
    // The damage must reach the decoders, or the comparison above proves little.
    EXPECT_GT(changed, pages * 3 / 4);
    EXPECT_GT(withBadCodes, 5);
}

TEST(MhDecoderMatchesBitWalk, OnRandomBytes) {
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        Bytes junk(rng() % 400);
        const unsigned density = rng() % 4;  // sparse ones make long zero runs and EOLs
        for (auto& b : junk) {
            b = static_cast<std::uint8_t>(rng());
            for (unsigned k = 0; k < density; ++k) b &= static_cast<std::uint8_t>(rng());
        }
        ExpectSameDecoding(junk, "random " + std::to_string(round));
    }
}

}  // namespace
}  // namespace vl::faxtest
