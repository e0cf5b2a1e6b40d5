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

TEST(FixedRecords, BlankLineAndEndOfPageAreTheirCodeWords) {
    const std::string eol = "000000000001 ";
    const Bytes endOfPage(kEndOfPageRecord.begin(), kEndOfPageRecord.end());
    // Seven EOLs and eight zero bits end on a byte boundary: no extra fill byte.
    Bytes expected = faxtest::StreamOf(kAlignedEol + eol + eol + eol + eol + eol + eol);
    expected.push_back(0);
    EXPECT_EQ(endOfPage, expected);
}

// Code words after the EOL, in transmission order, for a line with black runs.
struct LineCase {
    const char* what;
    LineLayout layout;
    std::size_t rasterBytes;                  // 0: as wide as the layout
    std::vector<std::pair<int, int>> black;  // first pixel, count
    std::string codes;
};

const std::string kWhiteLine = "010011011 00110101";  // 1728 = make-up 1664 + 64

const LineCase kLineCases[] = {
    {"white line", {kNormalWidth, 50, false}, 0, {}, kWhiteLine},
    {"2048 takes an extended make-up code, shared by both colours", {kWideWidth, 50, false}, 0, {},
     "000000010011 00110101"},
    {"double width does not stretch white past the width", {kNormalWidth, 50, true}, 0, {}, kWhiteLine},
    {"a short raster is white where it has no bytes", {kNormalWidth, 0, false}, 3, {}, kWhiteLine},
    {"black first pixel: the margin is its own white run (50, 10, 1664+4)", {kNormalWidth, 50, false}, 0,
     {{0, 10}}, "01010011 0000100 011000 1011"},
    {"no margin: the line starts with a white run of 0 (0, 10, 1664+54)", {kNormalWidth, 0, false}, 0,
     {{0, 10}}, "00110101 0000100 011000 00100101"},
    {"leading white joins the margin (64+0, 3, 1600+61)", {kNormalWidth, 50, false}, 0, {{14, 3}},
     "11011 00110101 10 010011010 00110010"},
    {"long black: make-up plus terminating zero (0, 64+0, 1664+0)", {kNormalWidth, 0, false}, 0, {{0, 64}},
     "00110101 0000001111 0000110111 011000 00110101"},
    {"all black", {kNormalWidth, 0, false}, 0, {{0, kNormalWidth}}, "00110101 0000001100101 0000110111"},
    {"all black, wide", {kWideWidth, 0, false}, 0, {{0, kWideWidth}}, "00110101 000000010011 0000110111"},
    {"53 bits: fill to the byte's end and one zero byte", {kNormalWidth, 0, false}, 0, {{0, 1726}},
     "00110101 0000001100100 000001100110 0111"},
    {"40 bits end on a byte boundary: two zero bytes", {kNormalWidth, 0, false}, 0, {{0, 3}},
     "00110101 10 011000 00110010"},
    {"double width doubles runs and fills the last (20, 10, 1664+34)", {kNormalWidth, 0, true}, 0, {{10, 5}},
     "0001000 0000100 011000 00010011"},
    {"a margin inside the first run is doubled with it (64+56, 10, 1536+62)", {kNormalWidth, 50, true}, 0,
     {{10, 5}}, "11011 01011001 0000100 010011001 00110011"},
    {"a margin of its own stays undoubled (50, 10, 1664+4)", {kNormalWidth, 50, true}, 0, {{0, 5}},
     "01010011 0000100 011000 1011"},
    {"double width: black beyond half the width is past the end", {kNormalWidth, 0, true}, 0, {{1000, 10}},
     kWhiteLine},
    {"double width: a run cut at the width, nothing after (1720, 8)", {kNormalWidth, 0, true}, 0,
     {{1000, 10}, {860, 10}}, "011000 01011001 000101"},
    {"double width with an odd margin still ends at the width (25, 4, 1664+35)", {kNormalWidth, 25, true}, 0,
     {{0, 2}}, "0101011 011 011000 00010100"},
    {"pixels past the scanned width are not coded", {kNormalWidth, 50, false}, 0, {{1700, 1}}, kWhiteLine},
};

TEST(LineEncoder, RunsBecomeTheirCodeWords) {
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.what);
        Bytes raster = c.rasterBytes ? Bytes(c.rasterBytes, 0) : Raster(c.layout.width);
        for (const auto& [from, count] : c.black) Black(raster, from, count);
        LineEncoder encoder(c.layout);
        const auto record = encoder.Encode(raster);
        EXPECT_EQ(Bytes(record.begin(), record.end()), RecordOf(kAlignedEol + c.codes));
    }
    EXPECT_EQ(RecordOf(kAlignedEol + kWhiteLine), Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
    // Both ends of the fill rule: 53 bits take 8 bytes, 40 bits take 7.
    EXPECT_EQ(RecordOf(kAlignedEol + "00110101 0000001100100 000001100110 0111").size(), 8u);
    EXPECT_EQ(RecordOf(kAlignedEol + "00110101 10 011000 00110010").size(), 7u);
}

TEST(LineEncoder, RecordsDoNotCarryBitsOfThePreviousLine) {
    LineEncoder encoder({kNormalWidth, 0, false});
    Bytes busy = Raster(kNormalWidth);
    for (int x = 0; x < kNormalWidth; x += 2) Black(busy, x, 1);
    const auto firstRecord = encoder.Encode(busy);
    const Bytes first(firstRecord.begin(), firstRecord.end());
    EXPECT_GT(first.size(), 900u);
    const auto second = encoder.Encode(Raster(kNormalWidth));
    EXPECT_EQ(Bytes(second.begin(), second.end()), Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
    const auto third = encoder.Encode(busy);
    EXPECT_EQ(Bytes(third.begin(), third.end()), first);
}

}  // namespace
}  // namespace vl::faxdoc
