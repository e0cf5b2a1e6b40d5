// Image files made by the netpbm and libtiff programs read back pixel for pixel.
#include <gtest/gtest.h>

#include "ImageSourceFiles.h"
#include "base/ErrorCodes.h"
#include "faxdoc/BmpDither.h"
#include "faxdoc/ImageSourceFormats.h"
#include "faxdoc/PageExport.h"
#include "support/TestSupport.h"

namespace vl::faxtest {
namespace {

using faxdoc::BmpSource;
using faxdoc::DcxSource;
using faxdoc::FitRequest;
using faxdoc::PageImage;
using faxdoc::PcxSource;
using faxdoc::TiffSource;

// Every line is the page width and shows the image's row, nothing more.
void ExpectImage(const ReadResult& r, const PageImage& image, int pageWidth = 1728) {
    ASSERT_EQ(r.rc, 0);
    ASSERT_EQ(r.pages.size(), 1u);
    ASSERT_EQ(r.pages[0].size(), static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        ASSERT_EQ(r.pages[0][y].size(), static_cast<std::size_t>(pageWidth / 8));
        ASSERT_TRUE(LineShowsRow(r.pages[0][y], image, y)) << "row " << y;
    }
}

class ImageSourceTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        test::WriteFile(dir_.path() / name, bytes);
        return dir_.folder() + name;
    }
    std::string Tool(const std::string& input, const std::string& program, std::vector<std::string> args) {
        std::string out = Convert(dir_.folder(), "in.pnm", input, program, std::move(args));
        EXPECT_FALSE(out.empty()) << program;
        return out;
    }

    test::TempDir dir_;
    const PageImage image_ = SpeckledImage(203, 37, 7);
};

TEST_F(ImageSourceTest, TiffFromPnmtotiffInEveryLayout) {
    for (const char* compression : {"-none", "-packbits"}) {
        for (const char* photometric : {"-miniswhite", "-minisblack"}) {
            for (const char* fill : {"-msb2lsb", "-lsb2msb"}) {
                SCOPED_TRACE(std::string(compression) + photometric + fill);
                const std::string tiff =
                    Tool(PbmFile(image_), "pnmtotiff", {compression, photometric, fill, "-rowsperstrip", "5"});
                // The fill order tag is written without reversing the bits, so
                // the file holds a mirrored picture; libtiff's reader is the judge.
                const bool mirrored = std::string(fill) == "-lsb2msb";
                const PageImage expected = mirrored ? ParsePbm(Tool(tiff, "tifftopnm", {})) : image_;
                if (mirrored) {
                    ASSERT_NE(expected.bits, image_.bits);
                }
                ExpectImage(ReadAll<TiffSource>(Write("a.tif", tiff)), expected);
            }
        }
    }
}

TEST_F(ImageSourceTest, TiffRewrittenByTiffcpBothByteOrders) {
    const std::string source = Write("s.tif", Tool(PbmFile(image_), "pnmtotiff", {"-none"}));
    for (const char* order : {"-B", "-L"}) {
        for (const char* compression : {"none", "packbits"}) {
            SCOPED_TRACE(std::string(order) + compression);
            const std::string out = dir_.folder() + "out.tif";
            ASSERT_EQ(test::Run("/usr/bin/tiffcp", {order, "-c", compression, "-r", "4", source, out}).status, 0);
            ExpectImage(ReadAll<TiffSource>(out), image_);
        }
    }
}

// Any photometric value other than 0 (white is zero) complements the
// pixels, as 1 (black is zero) does.
TEST_F(ImageSourceTest, TiffPhotometricAboveOneReadsAsBlackIsZero) {
    const std::string made = Tool(PbmFile(image_), "pnmtotiff", {"-none", "-minisblack"});
    for (const char* photometric : {"2", "3", "4", "32844"}) {
        SCOPED_TRACE(photometric);
        const std::string tiff = Write("p.tif", made);
        ASSERT_EQ(test::Run("/usr/bin/tiffset", {"-s", "262", photometric, tiff}).status, 0);
        ExpectImage(ReadAll<TiffSource>(tiff), image_);
    }
}

// Fax pages kept as TIFF by other fax programs: one- and two-dimensional
// G3, with and without byte-aligned lines, and G4, in either fill order.
// One-dimensional lines are read at the fax widths only.
TEST_F(ImageSourceTest, FaxCodedTiffFromTiffcpInEveryLayout) {
    const PageImage wide = SpeckledImage(1728, 37, 7);
    for (const PageImage* image : {&image_, &wide}) {
        const std::string source = Write("s.tif", Tool(PbmFile(*image), "pnmtotiff", {"-none"}));
        for (const std::string compression : {"g3:1d", "g3:1d:fill", "g3:2d", "g3:2d:fill", "g4"}) {
            const bool oneDim = compression.starts_with("g3:1d");
            for (const char* fill : {"msb2lsb", "lsb2msb"}) {
                SCOPED_TRACE(std::to_string(image->width) + " " + compression + " " + fill);
                const std::string out = dir_.folder() + "fax.tif";
                ASSERT_EQ(test::Run("/usr/bin/tiffcp", {"-f", fill, "-c", compression, "-r", "5", source, out}).status,
                          0);
                if (oneDim && image == &image_)
                    EXPECT_EQ(ReadAll<TiffSource>(out).rc, base::ecBadGraphicsFormat);
                else
                    ExpectImage(ReadAll<TiffSource>(out), *image);
            }
        }
    }
}

// A strip that yields no line is damage; one cut short leaves white rows,
// as a fax machine prints lines it lost.
TEST_F(ImageSourceTest, FaxCodedStripsWithoutLinesAreRefusedAndShortOnesEndWhite) {
    const std::string source = Write("s.tif", Tool(PbmFile(image_), "pnmtotiff", {"-none"}));
    const std::string g4 = dir_.folder() + "g4.tif";
    ASSERT_EQ(test::Run("/usr/bin/tiffcp", {"-c", "g4", source, g4}).status, 0);
    std::string bytes = test::ReadFile(g4);
    // The single strip follows the 8-byte header in what tiffcp writes.
    const std::string junk = bytes.substr(0, 8) + std::string(16, '\0') + bytes.substr(24);
    EXPECT_EQ(ReadAll<TiffSource>(Write("junk-g4.tif", junk)).rc, base::ecBadGraphicsFormat);

    const std::string g3 = dir_.folder() + "g3.tif";
    ASSERT_EQ(test::Run("/usr/bin/tiffcp", {"-c", "g3:2d", source, g3}).status, 0);
    const std::string whole = test::ReadFile(g3);
    // Half the coded lines zeroed: the decoder finds no EOL after them.
    const std::size_t half = 8 + (whole.size() - 8) / 2;
    std::string cut = whole;
    std::fill(cut.begin() + static_cast<std::ptrdiff_t>(half), cut.begin() + static_cast<std::ptrdiff_t>(whole.size() - 300), '\0');
    const ReadResult r = ReadAll<TiffSource>(Write("cut-g3.tif", cut));
    ASSERT_EQ(r.rc, 0);
    ASSERT_EQ(r.pages.size(), 1u);
    ASSERT_EQ(r.pages[0].size(), static_cast<std::size_t>(image_.height));
    EXPECT_TRUE(LineShowsRow(r.pages[0][0], image_, 0));
    const auto& last = r.pages[0].back();
    EXPECT_TRUE(std::all_of(last.begin(), last.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(ImageSourceTest, TiffOtherCompressionsAndDepthsAreRefused) {
    EXPECT_EQ(ReadAll<TiffSource>(Write("lzw.tif", Tool(PbmFile(image_), "pnmtotiff", {"-lzw"}))).rc,
              base::ecBadGraphicsFormat);
    const std::string grey = "P5\n4 2\n255\n" + std::string(8, '\x80');
    EXPECT_EQ(ReadAll<TiffSource>(Write("grey.tif", Tool(grey, "pnmtotiff", {}))).rc, base::ecBadGraphicsFormat);
    EXPECT_EQ(ReadAll<TiffSource>(Write("junk.tif", "XX*\0\0\0\0\0")).rc, base::ecBadGraphicsFormat);
}

TEST_F(ImageSourceTest, PcxFromPpmtopcxIncludingOneColourPages) {
    ExpectImage(ReadAll<PcxSource>(Write("a.pcx", Tool(PbmFile(image_), "ppmtopcx", {}))), image_);
    // A single-colour page is written with that colour first in the palette.
    for (const char* shade : {"-white", "-black"}) {
        SCOPED_TRACE(shade);
        const std::string pbm = test::Run("/usr/bin/pbmmake", {shade, "20", "3"}).out;
        PageImage plain = SpeckledImage(20, 3, 1);
        for (auto& b : plain.bits) b = std::string(shade) == "-black" ? 0xFF : 0x00;
        for (int y = 0; y < 3; ++y) plain.bits[static_cast<std::size_t>(y) * 3 + 2] &= 0xF0;
        ExpectImage(ReadAll<PcxSource>(Write("p.pcx", Tool(pbm, "ppmtopcx", {}))), plain);
    }
}

TEST_F(ImageSourceTest, PcxWiderThanThePageIsRefused) {
    const PageImage wide = SpeckledImage(1730, 2, 3);
    const std::string pcx = Write("w.pcx", Tool(PbmFile(wide), "ppmtopcx", {}));
    EXPECT_EQ(ReadAll<PcxSource>(pcx).rc, base::ecBadGraphicsFormat);
    FitRequest wideFax;
    wideFax.pageWidth = 2048;
    ExpectImage(ReadAll<PcxSource>(pcx, wideFax), wide, 2048);
}

TEST_F(ImageSourceTest, DcxDeliversEachPageInTableOrder) {
    const std::vector<PageImage> pages = {SpeckledImage(64, 9, 1), SpeckledImage(203, 5, 2), SpeckledImage(17, 12, 3)};
    std::string dcx;
    ASSERT_EQ(faxdoc::EncodeDcx(pages, dcx), 0);
    const ReadResult r = ReadAll<DcxSource>(Write("a.dcx", dcx));
    ASSERT_EQ(r.rc, 0);
    ASSERT_EQ(r.pages.size(), pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        ASSERT_EQ(r.pages[p].size(), static_cast<std::size_t>(pages[p].height));
        for (int y = 0; y < pages[p].height; ++y) EXPECT_TRUE(LineShowsRow(r.pages[p][y], pages[p], y));
    }
}

TEST_F(ImageSourceTest, DcxOfToolMadePagesWithTheTableOutOfFileOrder) {
    const PageImage first = SpeckledImage(40, 6, 4), second = SpeckledImage(33, 8, 5);
    const std::string a = Tool(PbmFile(first), "ppmtopcx", {}), b = Tool(PbmFile(second), "ppmtopcx", {});
    // The second page is stored first in the file.
    std::string dcx(4100, '\0');
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) dcx[at + i] = static_cast<char>(v >> (8 * i));
    };
    put(0, 987654321);
    put(4, static_cast<std::uint32_t>(4100 + b.size()));
    put(8, 4100);
    dcx += b + a;
    const ReadResult r = ReadAll<DcxSource>(Write("b.dcx", dcx));
    ASSERT_EQ(r.rc, 0);
    ASSERT_EQ(r.pages.size(), 2u);
    ASSERT_EQ(r.pages[0].size(), 6u);
    ASSERT_EQ(r.pages[1].size(), 8u);
    EXPECT_TRUE(LineShowsRow(r.pages[0][5], first, 5));
    EXPECT_TRUE(LineShowsRow(r.pages[1][7], second, 7));
    put(0, 987654320);
    EXPECT_EQ(ReadAll<DcxSource>(Write("c.dcx", dcx)).rc, base::ecBadGraphicsFormat);
}

TEST_F(ImageSourceTest, MonochromeBmpFromPpmtobmp) {
    ExpectImage(ReadAll<BmpSource>(Write("a.bmp", Tool(PbmFile(image_), "ppmtobmp", {"-bpp", "1"}))), image_);
}

TEST_F(ImageSourceTest, ColourBmpIsDitheredAtEveryDepth) {
    for (const char* bpp : {"4", "8", "24"}) {
        SCOPED_TRACE(bpp);
        // Grey 60 sums to 180: black exactly where the threshold is above that.
        const std::string bmp = Write("g.bmp", Tool(PpmFile(70, 40, 60, 60, 60), "ppmtobmp", {"-bpp", bpp}));
        const ReadResult r = ReadAll<BmpSource>(bmp);
        ASSERT_EQ(r.rc, 0);
        ASSERT_EQ(r.pages.at(0).size(), 40u);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 70; ++x)
                ASSERT_EQ((r.pages[0][y][x / 8] >> (7 - x % 8)) & 1, faxdoc::DitherThreshold(x, y) > 180 ? 1 : 0)
                    << x << "," << y;
    }
}

TEST_F(ImageSourceTest, DitherExtremes) {
    EXPECT_EQ(faxdoc::DitherThreshold(0, 1), 240);
    EXPECT_EQ(faxdoc::DitherThreshold(0, 7), 300);
    EXPECT_EQ(faxdoc::DitherThreshold(33, 34), faxdoc::DitherThreshold(1, 2));
    const ReadResult white = ReadAll<BmpSource>(Write("w.bmp", Tool(PpmFile(32, 32, 255, 255, 255), "ppmtobmp", {"-bpp", "24"})));
    const ReadResult black = ReadAll<BmpSource>(Write("k.bmp", Tool(PpmFile(32, 32, 0, 0, 0), "ppmtobmp", {"-bpp", "24"})));
    ASSERT_EQ(white.rc, 0);
    ASSERT_EQ(black.rc, 0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ((white.pages[0][y][x / 8] >> (7 - x % 8)) & 1, 0);
            EXPECT_EQ((black.pages[0][y][x / 8] >> (7 - x % 8)) & 1, faxdoc::DitherThreshold(x, y) > 0 ? 1 : 0);
        }
    }
}

TEST_F(ImageSourceTest, CentringShiftsWholeBytesAndWideImagesAreCut) {
    const PageImage narrow = SpeckledImage(1700, 2, 8);
    FitRequest centred;
    centred.centerImage = true;
    const ReadResult r = ReadAll<TiffSource>(Write("c.tif", Tool(PbmFile(narrow), "pnmtotiff", {"-none"})), centred);
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(r.placements.at(0).offsetBytes, 1);
    EXPECT_TRUE(LineShowsRow(r.pages[0][1], narrow, 1, 1));

    const PageImage wide = SpeckledImage(1800, 2, 9);
    const ReadResult cut = ReadAll<BmpSource>(Write("w.bmp", Tool(PbmFile(wide), "ppmtobmp", {"-bpp", "1"})));
    ASSERT_EQ(cut.rc, 0);
    ASSERT_EQ(cut.pages.at(0).at(0).size(), 216u);
    EXPECT_TRUE(LineShowsRow(cut.pages[0][0], wide, 0));
}

TEST_F(ImageSourceTest, OpenFindsTheDefaultExtensionAndReportsMissingFiles) {
    Write("doc.TIF", Tool(PbmFile(image_), "pnmtotiff", {"-none"}));
    ExpectImage(ReadAll<TiffSource>(dir_.folder() + "doc"), image_);
    EXPECT_EQ(ReadAll<TiffSource>(dir_.folder() + "none.tif").rc, -2);
}

TEST_F(ImageSourceTest, EndOfTheLastPageRepeats) {
    TiffSource source{FitRequest{}};
    ASSERT_EQ(source.Open(Write("e.tif", Tool(PbmFile(SpeckledImage(8, 1, 1)), "pnmtotiff", {"-none"}))), 0);
    std::vector<std::uint8_t> line;
    bool end = false, more = true;
    ASSERT_EQ(source.ReadLine(line, end, more), 0);
    EXPECT_FALSE(end);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(source.ReadLine(line, end, more), 0);
        EXPECT_TRUE(end);
        EXPECT_FALSE(more);
        EXPECT_TRUE(line.empty());
    }
    source.Close();
    EXPECT_EQ(source.ReadLine(line, end, more), -6);
}

}  // namespace
}  // namespace vl::faxtest
