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
    // cleanly or gives the intact result. A clean failure is the graphics
    // format error or, where the source reads image data up to the end of the
    // file, `endOfData`.
    template <class Source>
    void ExpectCleanFailures(const std::string& file, int endOfData = base::ecBadGraphicsFormat) {
        const ReadResult intact = ReadAll<Source>(Write(file));
        ASSERT_EQ(intact.rc, 0);
        auto clean = [&](int rc) { return rc == base::ecBadGraphicsFormat || rc == endOfData; };
        for (std::size_t n = 0; n < file.size(); ++n) {
            const ReadResult cut = ReadAll<Source>(Write(file.substr(0, n)));
            ASSERT_TRUE(clean(cut.rc) || (cut.rc == 0 && cut.pages == intact.pages)) << n;
            std::string bad = file;
            bad[n] = '\xFF';
            const int rc = ReadAll<Source>(Write(bad)).rc;
            ASSERT_TRUE(rc == 0 || clean(rc)) << n;
        }
    }

    test::TempDir dir_;
};

TEST_F(ImageSourceDamageTest, Tiff) {
    ExpectCleanFailures<TiffSource>(Made("pnmtotiff", {"-packbits", "-rowsperstrip", "3"}), base::ecDeviceRead);
    ExpectCleanFailures<TiffSource>(Made("pnmtotiff", {"-none", "-rowsperstrip", "4"}), base::ecDeviceRead);
}

// A strip that the file ends inside of, or before, is a read that finds no
// bytes; a strip whose stated size runs out before its rows do is a damaged
// image.
TEST_F(ImageSourceDamageTest, TiffStripPastTheEnd) {
    for (const char* compression : {"-none", "-packbits"}) {
        const std::string tiff = Made("pnmtotiff", {compression});
        // The value fields of the strip offsets and byte counts entries (tags
        // 273 and 279, little-endian, one value each).
        const std::size_t ifd = static_cast<std::uint8_t>(tiff[4]) | static_cast<std::uint8_t>(tiff[5]) << 8;
        const int entries = static_cast<std::uint8_t>(tiff[ifd]);
        std::size_t offsetField = 0, sizeField = 0;
        for (int i = 0; i < entries; ++i) {
            const std::size_t at = ifd + 2 + 12 * i;
            if (tiff[at] == '\x11' && tiff[at + 1] == '\x01') offsetField = at + 8;
            if (tiff[at] == '\x17' && tiff[at + 1] == '\x01') sizeField = at + 8;
        }
        ASSERT_NE(offsetField, 0u);
        ASSERT_NE(sizeField, 0u);
        const auto size = static_cast<std::uint32_t>(tiff.size());
        const struct {
            std::size_t field;
            std::uint32_t value;
            int rc;
        } cases[] = {
            {offsetField, size - 2, base::ecDeviceRead},
            {offsetField, size, base::ecDeviceRead},
            {offsetField, 0xFFF0, base::ecDeviceRead},
            {sizeField, 1, base::ecBadGraphicsFormat},
        };
        for (const auto& c : cases) {
            std::string changed = tiff;
            for (int b = 0; b < 4; ++b) changed[c.field + b] = static_cast<char>(c.value >> (8 * b));
            EXPECT_EQ(ReadAll<TiffSource>(Write(changed)).rc, c.rc)
                << compression << ", field at " << c.field << " = " << c.value;
        }
    }
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
