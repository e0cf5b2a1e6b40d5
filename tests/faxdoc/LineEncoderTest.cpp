#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FaxTestPages.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/LineEncoder.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kAlignedEol = "0000 000000000001 ";

// A line record from code words in transmission order: zero fill to the end of
// the byte holding the next free bit, then one more zero byte.
Bytes RecordOf(const std::string& bits) {
    Bytes record = faxtest::StreamOf(bits);
    std::size_t count = 0;
    for (char c : bits) count += c == '0' || c == '1';
    if (count % 8 == 0) record.push_back(0);
    record.push_back(0);
    return record;
}

Bytes Raster(int width) { return Bytes(static_cast<std::size_t>(width / 8), 0); }

void Black(Bytes& raster, int from, int count) {
    for (int x = from; x < from + count; ++x) raster[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
}

Bytes Encode(const LineLayout& layout, const Bytes& raster) {
    LineEncoder encoder(layout);
    const auto record = encoder.Encode(raster);
    return Bytes(record.begin(), record.end());
}

TEST(FixedRecords, BlankLineAndEndOfPageAreTheirCodeWords) {
    const Bytes blank(kBlankLineRecord.begin(), kBlankLineRecord.end());
    EXPECT_EQ(blank, RecordOf(kAlignedEol + "010011011 00110101"));
    const std::string eol = "000000000001 ";
    const Bytes endOfPage(kEndOfPageRecord.begin(), kEndOfPageRecord.end());
    // Seven EOLs and eight zero bits end on a byte boundary: no extra fill byte.
    Bytes expected = faxtest::StreamOf(kAlignedEol + eol + eol + eol + eol + eol + eol);
    expected.push_back(0);
    EXPECT_EQ(endOfPage, expected);
}

TEST(LineEncoder, WhiteLinesAreOneFullWidthRun) {
    EXPECT_EQ(Encode({kNormalWidth, 50, false}, Raster(kNormalWidth)),
              Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
    // 2048 takes an extended make-up code, shared by both colours.
    EXPECT_EQ(Encode({kWideWidth, 50, false}, Raster(kWideWidth)),
              RecordOf(kAlignedEol + "000000010011 00110101"));
    // Double width does not stretch a white line past the width.
    EXPECT_EQ(Encode({kNormalWidth, 50, true}, Raster(kNormalWidth)),
              Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
    // A short raster is white where it has no bytes.
    EXPECT_EQ(Encode({kNormalWidth, 0, false}, Bytes(3, 0)),
              Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
}

TEST(LineEncoder, BlackFirstPixelGetsTheMarginAsItsOwnWhiteRun) {
    Bytes raster = Raster(kNormalWidth);
    Black(raster, 0, 10);
    // white 50, black 10, white 1668 = make-up 1664 + 4
    EXPECT_EQ(Encode({kNormalWidth, 50, false}, raster),
              RecordOf(kAlignedEol + "01010011 0000100 011000 1011"));
    // Without a margin the line starts with a white run of 0.
    EXPECT_EQ(Encode({kNormalWidth, 0, false}, raster),
              RecordOf(kAlignedEol + "00110101 0000100 011000 00100101"));  // 0, 10, 1664+54
}

TEST(LineEncoder, LeadingWhiteJoinsTheMargin) {
    Bytes raster = Raster(kNormalWidth);
    Black(raster, 14, 3);
    // white 50 + 14 = make-up 64 + 0, black 3, white 1661 = 1600 + 61
    EXPECT_EQ(Encode({kNormalWidth, 50, false}, raster),
              RecordOf(kAlignedEol + "11011 00110101 10 010011010 00110010"));
}

TEST(LineEncoder, LongBlackRunsTakeMakeUpPlusTerminatingZero) {
    Bytes raster = Raster(kNormalWidth);
    Black(raster, 0, 64);
    // white 0, black 64 + 0, white 1664 + 0
    EXPECT_EQ(Encode({kNormalWidth, 0, false}, raster),
              RecordOf(kAlignedEol + "00110101 0000001111 0000110111 011000 00110101"));
    Black(raster, 0, kNormalWidth);
    EXPECT_EQ(Encode({kNormalWidth, 0, false}, raster),
              RecordOf(kAlignedEol + "00110101 0000001100101 0000110111"));
    Bytes wide = Raster(kWideWidth);
    Black(wide, 0, kWideWidth);
    EXPECT_EQ(Encode({kWideWidth, 0, false}, wide), RecordOf(kAlignedEol + "00110101 000000010011 0000110111"));
}

TEST(LineEncoder, RunEndingOnAByteBoundaryGetsTwoZeroBytes) {
    Bytes raster = Raster(kNormalWidth);
    Black(raster, 0, 1726);
    // 53 bits: fill to the byte's end and one zero byte.
    const Bytes record = Encode({kNormalWidth, 0, false}, raster);
    EXPECT_EQ(record, RecordOf(kAlignedEol + "00110101 0000001100100 000001100110 0111"));
    EXPECT_EQ(record.size(), 8u);
    Bytes aligned = Raster(kNormalWidth);
    Black(aligned, 0, 3);  // 16 + white 0 (8) + black 3 (2) + white 1725 = 1664 (6) + 61 (8) = 40 bits
    const Bytes r = Encode({kNormalWidth, 0, false}, aligned);
    EXPECT_EQ(r, RecordOf(kAlignedEol + "00110101 10 011000 00110010"));
    EXPECT_EQ(r.size(), 7u);
    EXPECT_EQ(r[5], 0);
    EXPECT_EQ(r[6], 0);
}

TEST(LineEncoder, DoubleWidthDoublesRunsAndFillsTheLastToTheWidth) {
    Bytes raster = Raster(kNormalWidth);
    Black(raster, 10, 5);
    // white 20, black 10, white 1698 = 1664 + 34
    EXPECT_EQ(Encode({kNormalWidth, 0, true}, raster),
              RecordOf(kAlignedEol + "0001000 0000100 011000 00010011"));
    // The margin inside the first run is doubled with it: 2 * (50 + 10) = 120.
    EXPECT_EQ(Encode({kNormalWidth, 50, true}, raster),
              RecordOf(kAlignedEol + "11011 01011001 0000100 010011001 00110011"));  // 64+56, 10, 1536+62
    // A margin of its own stays undoubled.
    Bytes first = Raster(kNormalWidth);
    Black(first, 0, 5);
    EXPECT_EQ(Encode({kNormalWidth, 50, true}, first),
              RecordOf(kAlignedEol + "01010011 0000100 011000 1011"));  // 50, 10, 1664+4
}

TEST(LineEncoder, DoubleWidthNeverRunsPastTheWidth) {
    // Black beyond half the width would double to past the line's end.
    Bytes raster = Raster(kNormalWidth);
    Black(raster, 1000, 10);
    EXPECT_EQ(Encode({kNormalWidth, 0, true}, raster), Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
    Black(raster, 860, 10);  // white 1720, black 8 (cut), nothing after
    EXPECT_EQ(Encode({kNormalWidth, 0, true}, raster), RecordOf(kAlignedEol + "011000 01011001 000101"));
    // An odd margin of its own: the last run still reaches the width exactly.
    Bytes first = Raster(kNormalWidth);
    Black(first, 0, 2);
    EXPECT_EQ(Encode({kNormalWidth, 25, true}, first),
              RecordOf(kAlignedEol + "0101011 011 011000 00010100"));  // 25, 4, 1664+35
}

TEST(LineEncoder, PixelsPastTheScannedWidthAreNotCoded) {
    Bytes raster = Raster(kNormalWidth);
    Black(raster, 1700, 1);  // beyond 1728 - 50 pixels
    EXPECT_EQ(Encode({kNormalWidth, 50, false}, raster), Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
}

TEST(LineEncoder, RecordsDoNotCarryBitsOfThePreviousLine) {
    LineEncoder encoder({kNormalWidth, 0, false});
    Bytes busy = Raster(kNormalWidth);
    for (int x = 0; x < kNormalWidth; x += 2) Black(busy, x, 1);
    const auto first = encoder.Encode(busy);
    EXPECT_GT(first.size(), 900u);
    const auto second = encoder.Encode(Raster(kNormalWidth));
    EXPECT_EQ(Bytes(second.begin(), second.end()), Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
    const auto third = encoder.Encode(busy);
    EXPECT_EQ(Bytes(third.begin(), third.end()), Encode({kNormalWidth, 0, false}, busy));
}

}  // namespace
}  // namespace vl::faxdoc
