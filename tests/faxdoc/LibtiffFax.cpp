#include "LibtiffFax.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "faxdoc/BitOrder.h"
#include "faxdoc/PageExport.h"
#include "support/TestSupport.h"

namespace vl::faxtest {

namespace {

Bytes Reversed(Bytes bytes) {
    for (std::uint8_t& b : bytes) b = faxdoc::kReversedBits[b];
    return bytes;
}

}  // namespace

Pixels LibtiffDecode(const Bytes& stream, TiffFax kind, int width, int rows, bool fine) {
    test::TempDir dir;
    const std::string file = dir.folder() + "page.tif";
    TIFF* tif = TIFFOpen(file.c_str(), "w");
    EXPECT_NE(tif, nullptr);
    if (tif == nullptr) return {};
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(rows));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, static_cast<std::uint32_t>(rows));
    TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, 204.0);
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, fine ? 196.0 : 98.0);
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (kind == TiffFax::G3TwoDim) {
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX3);
        TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, GROUP3OPT_2DENCODING);
    } else {
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    }
    // Raw data goes out as it is: in FillOrder 1 the first bit is bit 7.
    Bytes strip = Reversed(stream);
    EXPECT_EQ(TIFFWriteRawStrip(tif, 0, strip.data(), static_cast<tmsize_t>(strip.size())),
              static_cast<tmsize_t>(strip.size()));
    TIFFClose(tif);
    const test::RunResult r = test::Run("/usr/bin/tifftopnm", {"-quiet", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "") << "libtiff complained";
    if (r.status != 0) return {};
    return ReadPnm(r.out);
}

Bytes LibtiffEncode(const faxdoc::PageImage& page, const std::string& compression) {
    test::TempDir dir;
    std::string pbm;
    EXPECT_EQ(faxdoc::EncodePbm(page, pbm), 0);
    test::WriteFile(dir.path() / "page.pbm", pbm);
    const test::RunResult plain = test::Run("/usr/bin/pnmtotiff", {"-miniswhite", (dir.path() / "page.pbm").string()});
    EXPECT_EQ(plain.status, 0) << plain.err;
    test::WriteFile(dir.path() / "plain.tif", plain.out);
    const std::string coded = dir.folder() + "coded.tif";
    const test::RunResult copied = test::Run(
        "/usr/bin/tiffcp", {"-c", compression, "-r", std::to_string(page.height), dir.folder() + "plain.tif", coded});
    EXPECT_EQ(copied.status, 0) << copied.err;
    TIFF* tif = TIFFOpen(coded.c_str(), "r");
    EXPECT_NE(tif, nullptr);
    if (tif == nullptr) return {};
    EXPECT_EQ(TIFFNumberOfStrips(tif), 1u);
    std::uint16_t fillOrder = FILLORDER_MSB2LSB, photometric = 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_FILLORDER, &fillOrder);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
    EXPECT_EQ(photometric, PHOTOMETRIC_MINISWHITE) << "white runs would be black";
    Bytes strip(static_cast<std::size_t>(std::max<tmsize_t>(TIFFRawStripSize(tif, 0), 0)));
    EXPECT_EQ(TIFFReadRawStrip(tif, 0, strip.data(), static_cast<tmsize_t>(strip.size())),
              static_cast<tmsize_t>(strip.size()));
    TIFFClose(tif);
    return fillOrder == FILLORDER_MSB2LSB ? Reversed(std::move(strip)) : strip;
}

long PixelDifferences(const Pixels& got, const faxdoc::PageImage& page) {
    long differences = std::labs(static_cast<long>(got.height) - page.height) * std::max(got.width, page.width) +
                       std::labs(static_cast<long>(got.width) - page.width) * std::min(got.height, page.height);
    for (int y = 0; y < std::min(got.height, page.height); ++y) {
        for (int x = 0; x < std::min(got.width, page.width); ++x) {
            differences += got.black[static_cast<std::size_t>(y) * got.width + x] != page.Black(x, y);
        }
    }
    return differences;
}

}  // namespace vl::faxtest
