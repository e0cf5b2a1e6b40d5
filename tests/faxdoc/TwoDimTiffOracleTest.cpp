// MR and MMR against libtiff both ways: pages we code decode in libtiff to
// their pixels, and pages libtiff codes decode in ours to their pixels. Text,
// a dithered photo, a blank page and a page of hard lines, at each line width
// a fax page has, and a wide page of runs longer than one make-up code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LibtiffFax.h"
#include "TwoDimHarness.h"

namespace vl::faxtest {
namespace {

using faxdoc::PageImage;

void BlackSpan(PageImage& page, int y, int from, int to) {
    for (int x = from; x < to; ++x) SetPixel(page, x, y);
}

// Lines that stress the modes: all black, single pixels alternating (vertical
// modes on every pixel), a white line under them (pass modes), patterns that
// shift against the line above (horizontal modes), pixels at both ends.
PageImage HardLines(int width) {
    PageImage page = BlankRaster(width, 18);
    BlackSpan(page, 0, 0, width);
    BlackSpan(page, 1, 0, width);
    for (int x = 0; x < width; ++x) {
        if (x % 2 == 0) SetPixel(page, x, 2);
        if (x % 2 == 1) SetPixel(page, x, 3);
        if (x % 2 == 1) SetPixel(page, x, 4);
        if (x % 2 == 0) SetPixel(page, x, 6);
        if (x % 8 < 3) SetPixel(page, x, 11);
        if ((x + 4) % 8 < 3) SetPixel(page, x, 12);
        if (x % 7 == 0) SetPixel(page, x, 13);
        if (x % 40 < 20) SetPixel(page, x, 16);
    }
    BlackSpan(page, 7, 0, width / 2);
    SetPixel(page, width - 1, 8);
    SetPixel(page, 0, 9);
    SetPixel(page, width - 1, 9);
    BlackSpan(page, 14, 0, width);
    BlackSpan(page, 17, 5, width - 5);
    return page;
}

// 4096 pixels wide: white and black runs beyond 2560 pixels, next to short ones.
PageImage LongRuns() {
    constexpr int kWidth = 4096;
    PageImage page = BlankRaster(kWidth, 8);
    BlackSpan(page, 1, 0, 3000);
    BlackSpan(page, 2, 2700, kWidth);
    BlackSpan(page, 3, 0, kWidth);
    BlackSpan(page, 4, 1, kWidth - 1);
    BlackSpan(page, 5, 2600, 2601);
    BlackSpan(page, 6, 10, 2700);
    BlackSpan(page, 6, 2702, kWidth);
    return page;
}

PageImage OneLine(int width) {
    PageImage page = BlankRaster(width, 1);
    for (int x = 3; x < width; x += 5) SetPixel(page, x, 0);
    return page;
}

struct NamedPage {
    std::string name;
    PageImage page;
};

std::vector<NamedPage> Pages() {
    std::vector<NamedPage> pages;
    for (int width : {1728, 2048, 2432}) {
        const std::string w = std::to_string(width);
        pages.push_back({"text " + w, TextLikeRaster(width, 240, 31)});
        pages.push_back({"photo " + w, DitheredRaster(width, 120, 32)});
        pages.push_back({"blank " + w, BlankRaster(width, 30)});
        pages.push_back({"hard lines " + w, HardLines(width)});
        pages.push_back({"one line " + w, OneLine(width)});
    }
    pages.push_back({"long runs 4096", LongRuns()});
    return pages;
}

struct OurCoding {
    const char* name;
    faxdoc::TwoDimCoding coding;
    int k;
    std::size_t minScanBytes;
    bool fine;
};

constexpr OurCoding kOurCodings[] = {
    {"MR normal", faxdoc::TwoDimCoding::Mr, faxdoc::kNormalK, 0, false},
    {"MR fine", faxdoc::TwoDimCoding::Mr, faxdoc::kFineK, 0, true},
    {"MR fine, 40-byte lines", faxdoc::TwoDimCoding::Mr, faxdoc::kFineK, 40, true},
    {"MMR", faxdoc::TwoDimCoding::Mmr, 1, 0, true},
};

TEST(TwoDimTiffOracle, PagesWeCodeDecodeInLibtiffToTheirPixels) {
    for (const NamedPage& p : Pages()) {
        for (const OurCoding& c : kOurCodings) {
            const Bytes stream = EncodeTwoDim(p.page, {c.coding, p.page.width, c.k, c.minScanBytes});
            const TiffFax kind = c.coding == faxdoc::TwoDimCoding::Mr ? TiffFax::G3TwoDim : TiffFax::G4;
            const Pixels decoded = LibtiffDecode(stream, kind, p.page.width, p.page.height, c.fine);
            EXPECT_EQ(PixelDifferences(decoded, p.page), 0) << p.name << ", " << c.name;
        }
    }
}

TEST(TwoDimTiffOracle, PagesLibtiffCodesDecodeInOursToTheirPixels) {
    for (const NamedPage& p : Pages()) {
        for (const char* compression : {"g3:2d", "g3:2d:fill", "g4"}) {
            const Bytes stream = LibtiffEncode(p.page, compression);
            const bool mmr = std::string(compression) == "g4";
            const TwoDimDecoded d = mmr ? DecodeMmr(stream, p.page.width) : DecodeMr(stream, p.page.width);
            EXPECT_EQ(d.error, 0) << p.name << ", " << compression;
            EXPECT_EQ(d.badLines, 0) << p.name << ", " << compression;
            EXPECT_TRUE(d.lines == RowsOf(p.page)) << p.name << ", " << compression << ": " << d.lines.size()
                                                   << " lines";
        }
    }
}

}  // namespace
}  // namespace vl::faxtest
