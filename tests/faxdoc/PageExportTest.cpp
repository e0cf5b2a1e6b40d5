// Exported pages read back by netpbm's readers, and the format details those
// readers would forgive.
#include <gtest/gtest.h>

#include "FaxTestPages.h"
#include "PnmPixels.h"
#include "base/ErrorCodes.h"
#include "faxdoc/PageExport.h"
#include "support/TestSupport.h"

namespace vl::faxtest {
namespace {

using faxdoc::PageImage;

std::string ExportAndConvert(const PageImage& page, faxdoc::ExportFormat format, const std::string& tool) {
    test::TempDir dir;
    std::string file;
    EXPECT_EQ(faxdoc::EncodePage(page, format, file), 0);
    const auto path = dir.path() / "page.out";
    test::WriteFile(path, file);
    const test::RunResult r = test::Run(tool, {path.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

// Rows that exercise the run-length coder: long runs, bytes of 0xC0 and up
// once complemented, and a width that is no multiple of 32 bits.
PageImage Sample() {
    PageImage page = TextLikeRaster(1728, 70, 11);
    for (int x = 0; x < 1728; x += 3) SetPixel(page, x, 5);
    for (int x = 0; x < 400; ++x) SetPixel(page, x, 6);
    page.bits[7 * page.stride + 3] = 0x3F;  // 0xC0 once complemented
    page.bits[8 * page.stride + 3] = 0x01;  // 0xFE
    return page;
}

TEST(PageExport, EveryFormatReadsBackToTheSamePixels) {
    const PageImage page = Sample();
    ExpectPixels(ReadPnm(ExportAndConvert(page, faxdoc::ExportFormat::Pbm, "/usr/bin/pamtopnm")), page);
    ExpectPixels(ReadPnm(ExportAndConvert(page, faxdoc::ExportFormat::Bmp, "/usr/bin/bmptopnm")), page);
    ExpectPixels(ReadPnm(ExportAndConvert(page, faxdoc::ExportFormat::Pcx, "/usr/bin/pcxtoppm")), page);
    ExpectPixels(ReadPnm(ExportAndConvert(page, faxdoc::ExportFormat::Png, "/usr/bin/pngtopnm")), page);
    PageImage narrow = BlankRaster(48, 3);  // rows of 6 bytes: BMP pads to 8
    SetPixel(narrow, 47, 0);
    SetPixel(narrow, 0, 2);
    ExpectPixels(ReadPnm(ExportAndConvert(narrow, faxdoc::ExportFormat::Bmp, "/usr/bin/bmptopnm")), narrow);
    PageImage odd{45, 3, 6, std::vector<std::uint8_t>(18)};  // last byte partly used
    SetPixel(odd, 44, 1);
    SetPixel(odd, 0, 0);
    ExpectPixels(ReadPnm(ExportAndConvert(odd, faxdoc::ExportFormat::Png, "/usr/bin/pngtopnm")), odd);
}

TEST(PageExport, PngRefusesSidesBeyondTheBitmapLimit) {
    std::string png = "untouched";
    EXPECT_EQ(faxdoc::EncodePng(BlankRaster(16, 32769), png), base::ecCantMakeBitmap);
    EXPECT_EQ(png, "untouched");
    ASSERT_EQ(faxdoc::EncodePng(BlankRaster(16, 32768), png), 0);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(PageExport, PbmNamesItsSize) {
    test::TempDir dir;
    std::string pbm;
    ASSERT_EQ(faxdoc::EncodePbm(BlankRaster(2048, 9), pbm), 0);
    test::WriteFile(dir.path() / "p.pbm", pbm);
    const test::RunResult r = test::Run("/usr/bin/pnmfile", {(dir.path() / "p.pbm").string()});
    EXPECT_NE(r.out.find("PBM raw, 2048 by 9"), std::string::npos) << r.out;
}

TEST(PageExport, PcxRunsAreCutAt63AndHighBytesAreEscaped) {
    PageImage page = BlankRaster(1024, 1);  // 128 white bytes: 0xFF once complemented
    page.bits[127] = 0x3F;                  // last byte 0xC0 once complemented
    std::string pcx;
    ASSERT_EQ(faxdoc::EncodePcx(page, pcx), 0);
    ASSERT_EQ(pcx.size(), 128u + 8u);
    EXPECT_EQ(pcx.substr(128), std::string("\xFF\xFF\xFF\xFF\xC1\xFF\xC1\xC0", 8));  // 63 + 63 + 1 + the escape
    EXPECT_EQ(pcx[0], 10);
    EXPECT_EQ(static_cast<std::uint8_t>(pcx[8]), 0xFF);  // xmax 1023
    EXPECT_EQ(pcx[9], 3);
    EXPECT_EQ(pcx[65], 1);    // planes
    EXPECT_EQ(pcx[66], -128); // bytes per line 128
}

TEST(PageExport, DcxListsEachPageAfterItsHeader) {
    const PageImage pages[] = {Sample(), BlankRaster(1728, 4)};
    std::string dcx, first, second;
    ASSERT_EQ(faxdoc::EncodeDcx(pages, dcx), 0);
    ASSERT_EQ(faxdoc::EncodePcx(pages[0], first), 0);
    ASSERT_EQ(faxdoc::EncodePcx(pages[1], second), 0);
    auto at = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(dcx[i]) | static_cast<std::uint8_t>(dcx[i + 1]) << 8 |
                                          static_cast<std::uint8_t>(dcx[i + 2]) << 16 |
                                          static_cast<std::uint32_t>(static_cast<std::uint8_t>(dcx[i + 3])) << 24);
    };
    EXPECT_EQ(at(0), 987654321u);
    EXPECT_EQ(at(4), 4100u);
    EXPECT_EQ(at(8), 4100u + first.size());
    EXPECT_EQ(at(12), 0u);
    EXPECT_EQ(dcx.size(), 4100u + first.size() + second.size());
    EXPECT_EQ(dcx.substr(4100, first.size()), first);
    std::string one;
    ASSERT_EQ(faxdoc::EncodePage(pages[1], faxdoc::ExportFormat::Dcx, one), 0);
    EXPECT_EQ(one.substr(4100), second);
    EXPECT_EQ(faxdoc::EncodeDcx({}, dcx), base::ecBadArgument);
}

TEST(PageExport, BmpRefusesPagesOf32768LinesOrMore) {
    std::string bmp = "untouched";
    EXPECT_EQ(faxdoc::EncodeBmp(BlankRaster(16, 32768), bmp), base::ecBmpTooTall);
    EXPECT_EQ(bmp, "untouched");
    ASSERT_EQ(faxdoc::EncodeBmp(BlankRaster(16, 32767), bmp), 0);
    EXPECT_EQ(bmp.size(), 62u + 4u * 32767u);
}

TEST(PageExport, AnEmptyPageIsNoImage) {
    std::string file;
    for (auto f : {faxdoc::ExportFormat::Pcx, faxdoc::ExportFormat::Dcx, faxdoc::ExportFormat::Bmp,
                   faxdoc::ExportFormat::Pbm, faxdoc::ExportFormat::Png}) {
        EXPECT_EQ(faxdoc::EncodePage(PageImage{}, f, file), base::ecCantMakeBitmap);
    }
}

TEST(PageExport, FormatNames) {
    faxdoc::ExportFormat f{};
    EXPECT_TRUE(faxdoc::ParseExportFormat("Dcx", f));
    EXPECT_EQ(f, faxdoc::ExportFormat::Dcx);
    EXPECT_EQ(faxdoc::ExportExtension(f), "DCX");
    EXPECT_TRUE(faxdoc::ParseExportFormat("png", f));
    EXPECT_EQ(faxdoc::ExportExtension(f), "PNG");
    EXPECT_FALSE(faxdoc::ParseExportFormat("gif", f));
    EXPECT_FALSE(faxdoc::ParseExportFormat("pn", f));
}

}  // namespace
}  // namespace vl::faxtest
