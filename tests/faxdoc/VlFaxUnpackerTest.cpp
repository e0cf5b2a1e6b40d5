// The unpacker component: its property rules, pages of converted faxes as
// bitmaps and files, the export names, yielding, abort and the errors it throws.
#include "faxdoc/VlFaxUnpacker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/ErrorCodes.h"
#include "faxdoc/VlFaxConverter.h"
#include "support/TestSupport.h"
#include "support/ThrownCode.h"

namespace vl::faxdoc {
namespace {

using test::ThrownCode;

// A black bar in the left quarter of every tenth row.
gfx::MonoBitmap Bars(int width, int height) {
    gfx::MonoBitmap bitmap(width, height);
    for (int y = 0; y < height; y += 10)
        for (int x = 0; x < width / 4; ++x) bitmap.SetBlack(x, y, true);
    return bitmap;
}

class VlFaxUnpackerTest : public ::testing::Test {
protected:
    // A one-page fax of `height` rows made by the converter.
    std::string Fax(const std::string& name, bool fine, int height) {
        VlFaxConverter converter;
        converter.SetOptions(0);
        converter.SetLeftMargin(0);
        converter.SetResolution(fine ? FaxResolution::frHigh : FaxResolution::frNormal);
        converter.SetOutFileName(dir.folder() + name);
        converter.ConvertBitmapToFile(Bars(1728, height));
        return dir.folder() + name;
    }

    test::TempDir dir;
    VlFaxUnpacker unpacker;
};

TEST_F(VlFaxUnpackerTest, PropertyRules) {
    EXPECT_EQ(unpacker.Options(), uoYield);
    EXPECT_EQ(unpacker.AutoScale(), AutoScaleMode::asDoubleHeight);
    unpacker.SetHorizMult(0);
    unpacker.SetVertDiv(0);
    EXPECT_EQ(unpacker.HorizMult(), 1);
    EXPECT_EQ(unpacker.VertDiv(), 1);

    unpacker.SetInFileName("/faxes/FAX00001.APF");
    EXPECT_EQ(unpacker.OutFileName(), "/faxes/FAX00001");
    unpacker.SetOutFileName("/tmp/page");
    unpacker.SetInFileName("/FAXES/fax00001.apf");  // the same file: nothing changes
    EXPECT_EQ(unpacker.InFileName(), "/faxes/FAX00001.APF");
    EXPECT_EQ(unpacker.OutFileName(), "/tmp/page");
}

TEST_F(VlFaxUnpackerTest, PagesComeAsBitmapsAsWideAsTheirInk) {
    const std::string normal = Fax("N.APF", false, 100);
    unpacker.SetInFileName(normal);
    EXPECT_EQ(unpacker.CountPages(), 1);
    EXPECT_FALSE(unpacker.FirstPageFine());
    EXPECT_FALSE(unpacker.FirstPageWide());
    gfx::MonoBitmap page = unpacker.DecodePageToBitmap(1);
    EXPECT_EQ(page.Height(), 200);  // normal resolution, doubled
    EXPECT_EQ(page.Width(), 432);   // the bars' quarter, to whole bytes
    EXPECT_TRUE(page.Black(0, 0));
    EXPECT_FALSE(page.Black(0, 2));

    unpacker.SetAutoScaleMode(AutoScaleMode::asHalfWidth);
    page = unpacker.DecodePageToBitmap(1);
    EXPECT_EQ(page.Height(), 100);
    EXPECT_EQ(page.Width(), 224);  // 27 bytes of ink, rows kept to an even byte count

    // Each run of nine blank rows, the last one too, becomes one; scaling
    // halves the result.
    unpacker.SetAutoScaleMode(AutoScaleMode::asNone);
    unpacker.SetInFileName(Fax("F.APF", true, 100));
    EXPECT_TRUE(unpacker.FirstPageFine());
    unpacker.SetWhitespaceCompression(true);
    unpacker.SetWhitespaceFrom(5);
    unpacker.SetWhitespaceTo(1);
    EXPECT_EQ(unpacker.DecodePageToBitmap(1).Height(), 10 + 10);
    unpacker.SetScaling(true);
    unpacker.SetHorizDiv(2);
    unpacker.SetVertDiv(2);
    EXPECT_EQ(unpacker.DecodePageToBitmap(1).Width(), 216);

    unpacker.SetWhitespaceFrom(1);
    unpacker.SetWhitespaceTo(5);
    EXPECT_EQ(ThrownCode([&] { unpacker.DecodePageToBitmap(1); }), base::ecBadArgument);
}

TEST_F(VlFaxUnpackerTest, ExportsGoToTheExportNameAndAFailureLeavesNoFile) {
    unpacker.SetInFileName(Fax("FAX00001.APF", true, 50));
    EXPECT_EQ(unpacker.ExportPagePcx(1), dir.folder() + "FAX00001.PCX");
    unpacker.SetOutFileName(dir.folder() + "page.bin");
    EXPECT_EQ(unpacker.ExportPageBmp(1), dir.folder() + "page.bin");
    unpacker.SetOutFileName("");
    EXPECT_EQ(unpacker.ExportPageDcx(1), dir.folder() + "FAX00001.DCX");
    EXPECT_EQ(test::ReadFile(dir.folder() + "FAX00001.DCX").substr(0, 4), std::string("\xB1\x68\xDE\x3A", 4));
    EXPECT_EQ(test::ReadFile(dir.folder() + "page.bin").substr(0, 2), "BM");
    unpacker.SetOutFileName(dir.folder() + "none/page");
    EXPECT_LT(ThrownCode([&] { unpacker.ExportPagePng(1); }), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "none"));

    EXPECT_EQ(ThrownCode([&] { unpacker.ExportPagePcx(2); }), base::ecFaxBadFormat);
    unpacker.SetInFileName("");
    EXPECT_EQ(ThrownCode([&] { unpacker.CountPages(); }), base::ecFileNotFound);
    test::WriteFile(dir.folder() + "text.APF", "not a fax at all");
    unpacker.SetInFileName(dir.folder() + "text.APF");
    EXPECT_EQ(ThrownCode([&] { unpacker.FirstPageWide(); }), base::ecFaxBadFormat);
}

TEST_F(VlFaxUnpackerTest, StatusCanAbortKeepingThePageAndAQuitEndsIt) {
    unpacker.SetInFileName(Fax("F.APF", true, 2000));
    unpacker.SetAutoScaleMode(AutoScaleMode::asNone);
    int yields = 0;
    unpacker.ProcessMessages = [&yields] {
        ++yields;
        return base::ecOK;
    };
    std::uint64_t lastDone = 0;
    unpacker.OnStatus = [&](VlFaxUnpacker& sender, const std::string&, int page, std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(page, 1);
        EXPECT_LE(done, total);
        lastDone = done;
        if (done * 2 > total) sender.SetOptions(uoYield | uoAbort);
    };
    const gfx::MonoBitmap half = unpacker.DecodePageToBitmap(1);
    EXPECT_GT(half.Height(), 0);
    EXPECT_LT(half.Height(), 2000);
    EXPECT_GT(yields, 10);

    // The abort asked for belonged to that page alone.
    unpacker.OnStatus = nullptr;
    EXPECT_EQ(unpacker.DecodePageToBitmap(1).Height(), 2000);

    unpacker.ProcessMessages = [] { return base::ecGotQuitMsg; };
    EXPECT_EQ(ThrownCode([&] { unpacker.DecodePageToBitmap(1); }), base::ecGotQuitMsg);
    unpacker.SetOptions(0);  // no yielding, so no quit message is seen
    EXPECT_EQ(unpacker.DecodePageToBitmap(1).Height(), 2000);
}

}  // namespace
}  // namespace vl::faxdoc
