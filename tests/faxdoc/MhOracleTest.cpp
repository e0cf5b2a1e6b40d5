// Line records decoded by netpbm's g3topbm, an MH decoder nobody here wrote:
// the pixels must come back as they went in.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/LineEncoder.h"
#include "G3topbm.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Rows = std::vector<Bytes>;

bool Pixel(const Bytes& row, int x) { return row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8) & 1; }

void SetPixel(Bytes& row, int x, bool black) {
    const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
    auto& byte = row[static_cast<std::size_t>(x / 8)];
    byte = static_cast<std::uint8_t>(black ? byte | bit : byte & ~bit);
}

void Fill(Bytes& row, int from, int count, bool black) {
    for (int x = from; x < from + count; ++x) SetPixel(row, x, black);
}

// Lines of runs drawn at random lengths, short and long, and lines that put
// make-up boundaries and the line's ends to the test.
Rows TestRows(int width, unsigned seed) {
    const auto bytes = static_cast<std::size_t>(width / 8);
    Rows rows;
    std::mt19937 random(seed);
    for (int i = 0; i < 150; ++i) {
        Bytes row(bytes, 0);
        const int longest = i % 3 == 0 ? 8 : i % 3 == 1 ? 200 : 3000;
        bool black = random() % 2;
        for (int x = 0; x < width;) {
            const int run = 1 + static_cast<int>(random() % static_cast<unsigned>(longest));
            Fill(row, x, std::min(run, width - x), black);
            x += run;
            black = !black;
        }
        rows.push_back(row);
    }
    for (int run : {1, 63, 64, 65, 127, 128, 129, 1727, 1728, width - 1, width}) {
        if (run > width) continue;
        Bytes row(bytes, 0);
        Fill(row, 0, run, true);
        rows.push_back(row);
        Bytes right(bytes, 0);
        Fill(right, width - run, run, true);
        rows.push_back(right);
    }
    Bytes alternate(bytes, 0x55);
    rows.push_back(alternate);
    rows.push_back(Bytes(bytes, 0xAA));
    rows.push_back(Bytes(bytes, 0));
    return rows;
}

// The records as one stream: count words dropped, the end-of-page record last.
Bytes Stream(LineEncoder& encoder, const Rows& rows) {
    Bytes stream;
    for (const Bytes& row : rows) {
        const auto record = encoder.Encode(row);
        stream.insert(stream.end(), record.begin(), record.end());
    }
    stream.insert(stream.end(), kEndOfPageRecord.begin(), kEndOfPageRecord.end());
    return stream;
}

Rows Decode(const Bytes& stream, int width) { return faxtest::G3topbm(stream, width); }

// What a line shows after the margin: the raster shifted right, cut at the width.
Bytes Shifted(const Bytes& row, int width, int margin) {
    Bytes out(row.size(), 0);
    for (int x = 0; x + margin < width; ++x) SetPixel(out, x + margin, Pixel(row, x));
    return out;
}

TEST(MhOracle, G3topbmDecodesEncodedLinesToTheSamePixels) {
    for (int width : {kNormalWidth, kWideWidth}) {
        for (int margin : {0, 50}) {
            SCOPED_TRACE("width " + std::to_string(width) + ", margin " + std::to_string(margin));
            const Rows rows = TestRows(width, static_cast<unsigned>(width + margin));
            LineEncoder encoder({width, margin, false});
            const Rows decoded = Decode(Stream(encoder, rows), width);
            ASSERT_EQ(decoded.size(), rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i)
                EXPECT_EQ(decoded[i], Shifted(rows[i], width, margin)) << "line " << i;
        }
    }
}

// Double width: every pixel of the left half becomes two; the lines keep the
// width, with odd margins too, which g3topbm -stop_error checks for every line.
TEST(MhOracle, DoubleWidthLinesDecodeToDoubledPixelsOfFullWidth) {
    for (int width : {kNormalWidth, kWideWidth}) {
        Rows rows = TestRows(width, 99);
        for (Bytes& row : rows) Fill(row, width / 2, width / 2, false);
        LineEncoder doubling({width, 0, true});
        const Rows decoded = Decode(Stream(doubling, rows), width);
        ASSERT_EQ(decoded.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            Bytes doubled(rows[i].size(), 0);
            for (int x = 0; x < width; ++x) SetPixel(doubled, x, Pixel(rows[i], x / 2));
            EXPECT_EQ(decoded[i], doubled) << "line " << i;
        }
        for (int margin : {25, 50}) {
            LineEncoder encoder({width, margin, true});
            EXPECT_EQ(Decode(Stream(encoder, rows), width).size(), rows.size());
        }
    }
}

}  // namespace
}  // namespace vl::faxdoc
