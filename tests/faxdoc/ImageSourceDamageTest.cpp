// Damaged image files: each fails with the graphics format error or, when the
// damage misses every byte the image needs, still reads exactly as before.
#include <gtest/gtest.h>

#include "ImageSourceFiles.h"
#include "base/ErrorCodes.h"
#include "faxdoc/ImageSourceFormats.h"
#include "faxdoc/PageExport.h"
#include "support/TestSupport.h"

namespace vl::faxtest {
namespace {

using faxdoc::BmpSource;
using faxdoc::DcxSource;
using faxdoc::PcxSource;
using faxdoc::TiffSource;

class ImageSourceDamageTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        test::WriteFile(dir_.path() / "x.img", bytes);
        return dir_.folder() + "x.img";
    }
    std::string Made(const std::string& program, std::vector<std::string> args) {
        return Convert(dir_.folder(), "in.pbm", PbmFile(SpeckledImage(45, 11, 3)), program, std::move(args));
    }

    // Every cut of the file, and every single byte set to 0xFF, either fails
    // cleanly or gives the intact result.
    template <class Source>
    void ExpectCleanFailures(const std::string& file) {
        const ReadResult intact = ReadAll<Source>(Write(file));
        ASSERT_EQ(intact.rc, 0);
        for (std::size_t n = 0; n < file.size(); ++n) {
            const ReadResult cut = ReadAll<Source>(Write(file.substr(0, n)));
            ASSERT_TRUE(cut.rc == base::ecBadGraphicsFormat || (cut.rc == 0 && cut.pages == intact.pages)) << n;
            std::string bad = file;
            bad[n] = '\xFF';
            const int rc = ReadAll<Source>(Write(bad)).rc;
            ASSERT_TRUE(rc == 0 || rc == base::ecBadGraphicsFormat) << n;
        }
    }

    test::TempDir dir_;
};

TEST_F(ImageSourceDamageTest, Tiff) {
    ExpectCleanFailures<TiffSource>(Made("pnmtotiff", {"-packbits", "-rowsperstrip", "3"}));
    ExpectCleanFailures<TiffSource>(Made("pnmtotiff", {"-none", "-rowsperstrip", "4"}));
}

TEST_F(ImageSourceDamageTest, TiffStripPastTheEnd) {
    std::string tiff = Made("pnmtotiff", {"-none"});
    // Find the strip offsets entry (tag 273, little-endian) and point it away.
    const std::size_t ifd = static_cast<std::uint8_t>(tiff[4]) | static_cast<std::uint8_t>(tiff[5]) << 8;
    const int entries = static_cast<std::uint8_t>(tiff[ifd]);
    for (int i = 0; i < entries; ++i) {
        const std::size_t at = ifd + 2 + 12 * i;
        if (tiff[at] == '\x11' && tiff[at + 1] == '\x01') tiff.replace(at + 8, 4, "\xF0\xFF\x00\x00", 4);
    }
    EXPECT_EQ(ReadAll<TiffSource>(Write(tiff)).rc, base::ecBadGraphicsFormat);
}

TEST_F(ImageSourceDamageTest, Pcx) { ExpectCleanFailures<PcxSource>(Made("ppmtopcx", {})); }

TEST_F(ImageSourceDamageTest, Bmp) {
    ExpectCleanFailures<BmpSource>(Made("ppmtobmp", {"-bpp", "1"}));
    std::string compressed = Made("ppmtobmp", {"-bpp", "1"});
    compressed[30] = 1;  // run-length coding
    EXPECT_EQ(ReadAll<BmpSource>(Write(compressed)).rc, base::ecBadGraphicsFormat);
}

TEST_F(ImageSourceDamageTest, DcxTable) {
    const std::vector<faxdoc::PageImage> pages = {SpeckledImage(16, 3, 1), SpeckledImage(24, 2, 2)};
    std::string dcx;
    ASSERT_EQ(faxdoc::EncodeDcx(pages, dcx), 0);
    ExpectCleanFailures<DcxSource>(dcx);
}

TEST_F(ImageSourceDamageTest, AbsurdSizesAreRefused) {
    std::string bmp = Made("ppmtobmp", {"-bpp", "1"});
    bmp.replace(18, 4, "\x01\x80\x00\x00", 4);  // 32769 pixels wide
    EXPECT_EQ(ReadAll<BmpSource>(Write(bmp)).rc, base::ecBadGraphicsFormat);
    bmp.replace(18, 4, "\x2D\x00\x00\x00", 4);
    bmp.replace(22, 4, "\x00\x00\x00\x80", 4);  // the most negative height
    EXPECT_EQ(ReadAll<BmpSource>(Write(bmp)).rc, base::ecBadGraphicsFormat);
}

}  // namespace
}  // namespace vl::faxtest
