// Whole pages through the unpacker: aspect correction, blank-line compression,
// the collector's width, scaling, the progress hook and APF files.
#include <gtest/gtest.h>

#include "FaxTestPages.h"
#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/ApfWriter.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/Unpacker.h"
#include "support/TestSupport.h"

namespace vl::faxtest {
namespace {

using faxdoc::AspectMode;
using faxdoc::PageImage;
using faxdoc::UnpackControl;
using faxdoc::UnpackOptions;
using faxdoc::UnpackPage;

constexpr std::uint16_t kFine = faxdoc::ifHighResolution;

UnpackOptions Plain() {
    UnpackOptions o;
    o.aspect = AspectMode::None;
    return o;
}

// Text rows with blank bands of the given heights between them.
PageImage Banded(const std::vector<int>& gaps) {
    int height = 0;
    for (int g : gaps) height += g + 1;
    PageImage page = BlankRaster(1728, height + 1);
    int y = 0;
    for (int g : gaps) {
        SetPixel(page, 100, y);
        y += g + 1;
    }
    SetPixel(page, 100, y);
    return page;
}

PageImage Unpack(const Bytes& data, std::uint16_t flags, const UnpackOptions& options, int expectRc = 0) {
    PageImage page;
    EXPECT_EQ(UnpackPage(data, flags, options, page), expectRc);
    return page;
}

void ExpectSameTopLeft(const PageImage& got, const PageImage& raster) {
    ASSERT_EQ(got.height, raster.height);
    for (int y = 0; y < raster.height; ++y) {
        for (int x = 0; x < raster.width; ++x) {
            const bool black = x < got.width && got.Black(x, y);
            ASSERT_EQ(black, raster.Black(x, y)) << x << "," << y;
        }
    }
}

TEST(Unpacker, RawStreamAndLineRecordsGiveTheSamePage) {
    const PageImage raster = TextLikeRaster(1728, 90, 4);
    const Bytes raw = Pbmtog3(raster);
    const PageImage fromRaw = Unpack(raw, kFine, Plain());
    const PageImage fromRecords = Unpack(AsLineRecords(raw), kFine | faxdoc::ifLineRecords, Plain());
    ExpectSameTopLeft(fromRaw, raster);
    EXPECT_EQ(fromRecords.bits, fromRaw.bits);
    EXPECT_EQ(fromRecords.width, fromRaw.width);
}

TEST(Unpacker, NormalResolutionIsDoubledOrHalvedFinePagesStay) {
    PageImage raster = BlankRaster(1728, 10);
    for (int x = 0; x < 1728; ++x) SetPixel(raster, x, 3);
    const Bytes raw = Pbmtog3(raster);
    UnpackOptions o;  // double height by default
    EXPECT_EQ(Unpack(raw, 0, o).height, 20);
    EXPECT_EQ(Unpack(raw, kFine, o).height, 10);
    o.aspect = AspectMode::HalfWidth;
    const PageImage half = Unpack(raw, 0, o);
    EXPECT_EQ(half.height, 10);
    EXPECT_EQ(half.stride, 108);
    EXPECT_EQ(half.width, 864);
    EXPECT_EQ(Unpack(raw, kFine, o).stride, 216);

    PageImage dots = BlankRaster(1728, 1);  // pixels 1 and 2 fold into 0 and 1; 9 into 4
    SetPixel(dots, 1, 0);
    SetPixel(dots, 2, 0);
    SetPixel(dots, 9, 0);
    const PageImage folded = Unpack(Pbmtog3(dots), 0, o);
    EXPECT_EQ(folded.bits[0], 0xC8);
}

TEST(Unpacker, ImageIsAsWideAsTheRightmostBlackPixel) {
    PageImage raster = BlankRaster(1728, 4);
    SetPixel(raster, 800, 1);
    const PageImage page = Unpack(Pbmtog3(raster), kFine, Plain());
    EXPECT_EQ(page.stride, 102);  // byte 100 holds pixel 800, rounded up to even
    EXPECT_EQ(page.width, 816);
    EXPECT_TRUE(page.Black(800, 1));
    const PageImage blank = Unpack(Pbmtog3(BlankRaster(1728, 3)), kFine, Plain());
    EXPECT_EQ(blank.stride, 2);
    EXPECT_EQ(blank.height, 3);
}

TEST(Unpacker, APageWithoutAcceptedLinesIsEmpty) {
    const Bytes endOnly = StreamOf("000000000001 000000000001 000000000001");
    const PageImage page = Unpack(endOnly, kFine, Plain());
    EXPECT_EQ(page.width, 0);
    EXPECT_EQ(page.height, 0);
    EXPECT_TRUE(page.bits.empty());
}

TEST(Unpacker, LongBlankRunsAreSqueezedShortOnesKept) {
    UnpackOptions o = Plain();
    o.whitespaceFrom = 10;
    o.whitespaceTo = 2;
    EXPECT_EQ(Unpack(Pbmtog3(Banded({12, 5})), kFine, o).height, 3 + 2 + 5);
    EXPECT_EQ(Unpack(Pbmtog3(Banded({10, 9})), kFine, o).height, 3 + 2 + 9);
    // Trailing blanks follow the same rule.
    PageImage tail = BlankRaster(1728, 20);
    SetPixel(tail, 5, 0);
    EXPECT_EQ(Unpack(Pbmtog3(tail), kFine, o).height, 1 + 2);
    o.whitespaceFrom = o.whitespaceTo = 4;
    EXPECT_EQ(Unpack(Pbmtog3(tail), kFine, o).height, 1 + 4);
    // Compression is off unless both are non-zero.
    o.whitespaceTo = 0;
    EXPECT_EQ(Unpack(Pbmtog3(tail), kFine, o).height, 20);
}

TEST(Unpacker, ContradictoryCompressionValuesAreRefused) {
    const Bytes raw = Pbmtog3(BlankRaster(1728, 2));
    UnpackOptions o = Plain();
    o.whitespaceFrom = 2;
    o.whitespaceTo = 3;
    Unpack(raw, kFine, o, base::ecBadArgument);
    o.whitespaceFrom = 0;
    Unpack(raw, kFine, o, base::ecBadArgument);
    o = Plain();
    o.vertDiv = -1;
    Unpack(raw, kFine, o, base::ecBadArgument);
}

TEST(Unpacker, ScalingStretchesAndShrinksKeepingThinStrokes) {
    PageImage raster = BlankRaster(1728, 8);
    for (int y = 0; y < 8; ++y) SetPixel(raster, 33, y);  // a one-pixel column
    const Bytes raw = Pbmtog3(raster);
    UnpackOptions o = Plain();
    o.horizMult = 0;  // taken as 1
    o.horizDiv = 2;
    o.vertMult = 3;
    o.vertDiv = 2;
    const PageImage page = Unpack(raw, kFine, o);
    EXPECT_EQ(page.width, 24);  // collected 48 pixels wide
    EXPECT_EQ(page.height, 12);
    for (int y = 0; y < 12; ++y) {
        EXPECT_TRUE(page.Black(16, y)) << y;
        EXPECT_FALSE(page.Black(15, y)) << y;
    }
    o.horizMult = 2;
    o.horizDiv = 1;
    o.vertMult = o.vertDiv = 1;
    const PageImage wide = Unpack(raw, kFine, o);
    EXPECT_EQ(wide.width, 96);
    EXPECT_TRUE(wide.Black(66, 0));
    EXPECT_TRUE(wide.Black(67, 0));
    EXPECT_FALSE(wide.Black(65, 0));
}

TEST(Unpacker, TheHookCanAbortOrQuit) {
    const Bytes raw = Pbmtog3(TextLikeRaster(1728, 300, 8));
    std::size_t calls = 0, lastDone = 0;
    UnpackOptions o = Plain();
    o.onProgress = [&](const faxdoc::UnpackProgress& p) {
        EXPECT_GE(p.bytesDone, lastDone);
        EXPECT_LE(p.bytesDone, p.bytesTotal);
        lastDone = p.bytesDone;
        return ++calls == 3 ? UnpackControl::Abort : UnpackControl::Continue;
    };
    const PageImage part = Unpack(raw, kFine, o, base::ecUnpackAbort);
    EXPECT_GT(part.height, 0);
    EXPECT_LT(part.height, 300);
    o.onProgress = [](const faxdoc::UnpackProgress&) { return UnpackControl::Quit; };
    EXPECT_EQ(Unpack(raw, kFine, o, base::ecGotQuitMsg).height, 0);
}

TEST(Unpacker, ACorruptCodeMidLineCostsThatLineOnly) {
    PageImage raster = BlankRaster(1728, 6);
    for (int y = 0; y < 6; ++y) SetPixel(raster, 700, y);
    Bytes raw = Pbmtog3(raster);
    const PageImage good = Unpack(raw, kFine, Plain());
    ASSERT_EQ(good.height, 6);
    // Find the byte of line 4's first black run and overwrite it with a bad code.
    std::size_t eols = 0, at = 0;
    int zeros = 0;
    for (std::size_t bit = 0; bit < raw.size() * 8 && !at; ++bit) {
        if ((raw[bit / 8] >> (bit % 8)) & 1) {
            if (zeros >= 11 && ++eols == 4) at = bit / 8 + 2;
            zeros = 0;
        } else {
            ++zeros;
        }
    }
    raw[at] = 0x00;
    raw[at + 1] = 0x01;  // eight zeros or more, then a 1: no code of either colour
    const PageImage bad = Unpack(raw, kFine, Plain());
    EXPECT_EQ(bad.height, 5);
}

Bytes ApfFile(const std::vector<std::pair<std::uint16_t, Bytes>>& pages) {
    faxdoc::ApfFileHeader header;
    header.pageCount = static_cast<std::uint16_t>(pages.size());
    const auto fh = faxdoc::EncodeFileHeader(header);
    Bytes file(fh.begin(), fh.end());
    for (const auto& [flags, data] : pages) {
        faxdoc::ApfPageHeader ph;
        ph.imageFlags = flags;
        ph.imageLength = static_cast<std::uint32_t>(data.size());
        const auto phb = faxdoc::EncodePageHeader(ph);
        file.insert(file.end(), phb.begin(), phb.end());
        file.insert(file.end(), data.begin(), data.end());
    }
    return file;
}

TEST(Unpacker, PagesOfAnApfFile) {
    test::TempDir dir;
    const PageImage first = TextLikeRaster(1728, 40, 1);
    const PageImage second = TextLikeRaster(2048, 30, 2);
    const Bytes raw2 = Pbmtog3(second);
    const Bytes file = ApfFile({{kFine, Pbmtog3(first)}, {kFine | faxdoc::ifWide | faxdoc::ifLineRecords, AsLineRecords(raw2)}});
    const std::string name = (dir.path() / "F.APF").string();
    test::WriteFile(name, std::string(file.begin(), file.end()));
    PageImage page;
    ASSERT_EQ(faxdoc::UnpackApfPage(name, 2, Plain(), page), 0);
    ExpectSameTopLeft(page, second);
    ASSERT_EQ(faxdoc::UnpackApfPage(name, 1, Plain(), page), 0);
    ExpectSameTopLeft(page, first);
    EXPECT_EQ(faxdoc::UnpackApfPage(name, 3, Plain(), page), base::ecFaxBadFormat);
    EXPECT_EQ(faxdoc::UnpackApfPage(name, 0, Plain(), page), base::ecInvalidPageNumber);
    EXPECT_EQ(faxdoc::UnpackApfPage("", 1, Plain(), page), base::ecFileNotFound);
    EXPECT_EQ(faxdoc::UnpackApfPage((dir.path() / "none.apf").string(), 1, Plain(), page), base::ecFileNotFound);
    test::WriteFile(name, std::string(file.begin(), file.end() - 10));  // the last page runs past the end
    EXPECT_EQ(faxdoc::UnpackApfPage(name, 2, Plain(), page), base::ecFaxBadFormat);
}

TEST(Unpacker, AConvertedPageAndTheSamePageReceivedRawDecodeAlike) {
    test::TempDir dir;
    const std::string name = (dir.path() / "C.APF").string();
    const PageImage raster = TextLikeRaster(2048, 70, 9);
    faxdoc::ApfWriter writer;
    ASSERT_EQ(writer.ApfCreate(name), 0);
    ASSERT_EQ(writer.ApfBeginPage(true, faxdoc::kWideWidth), 0);
    faxdoc::LineEncoder encoder(faxdoc::LineLayout{faxdoc::kWideWidth, 0, false});
    for (int y = 0; y < raster.height; ++y) {
        ASSERT_EQ(writer.ApfPutRecord(encoder.Encode({raster.Row(y), static_cast<std::size_t>(raster.stride)})), 0);
    }
    ASSERT_EQ(writer.ApfEndPage(), 0);
    ASSERT_EQ(writer.ApfFinish("converted"), 0);
    PageImage converted;
    ASSERT_EQ(faxdoc::UnpackApfPage(name, 1, Plain(), converted), 0);
    const PageImage received = Unpack(Pbmtog3(raster), kFine | faxdoc::ifWide, Plain());
    ExpectSameTopLeft(converted, raster);
    EXPECT_EQ(converted.bits, received.bits);
}

}  // namespace
}  // namespace vl::faxtest
