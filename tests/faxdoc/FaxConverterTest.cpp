// The converter component: its properties, bitmaps in memory with their fit
// decisions, the user source's events and the errors it throws.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ConvertedPages.h"
#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "faxdoc/BmpDither.h"
#include "faxdoc/PixelYield.h"
#include "faxdoc/VlFaxConverter.h"
#include "support/TestSupport.h"
#include "support/ThrownCode.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;

using test::ThrownCode;

// Every other column black, so doubling and shifting show plainly.
gfx::MonoBitmap Stripes(int width, int height) {
    gfx::MonoBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; x += 2) bitmap.SetBlack(x, y, true);
    return bitmap;
}

class FaxConverterTest : public ::testing::Test {
protected:
    FaxConverterTest() { converter.SetOutFileName(dir.folder() + "OUT.APF"); }
    faxtest::ConvertedFile Result() { return faxtest::ReadConverted(dir.folder() + "OUT.APF"); }

    test::TempDir dir;
    VlFaxConverter converter;
};

TEST_F(FaxConverterTest, DefaultsAndTheOptionAndFileNameRules) {
    VlFaxConverter c;
    EXPECT_EQ(c.InputDocumentType(), FaxInputDocumentType::idNone);
    EXPECT_EQ(c.Options(), coDoubleWidth | coCenterImage | coYield);
    EXPECT_EQ(c.LeftMargin(), 50);
    EXPECT_EQ(c.TopMargin(), 0);
    EXPECT_EQ(c.LinesPerPage(), 60);
    EXPECT_EQ(c.TabStop(), 4);
    EXPECT_EQ(c.FontType(), FaxFontSize::Standard);
    EXPECT_EQ(c.FontFile(), "VLFAX.FNT");
    c.SetOptions(coYieldOften);
    EXPECT_EQ(c.Options(), coYieldOften | coYield);
    c.SetDocumentFile("/tmp/letter.txt");
    EXPECT_EQ(c.OutFileName(), "/tmp/letter.APF");
}

TEST_F(FaxConverterTest, NarrowBitmapIsDoubledToTheFullLineAtNormalResolutionOnly) {
    const gfx::MonoBitmap bitmap = Stripes(864, 4);
    converter.SetLeftMargin(0);
    converter.ConvertBitmapToFile(bitmap);
    auto page = Result().pages.at(0).image;
    ASSERT_EQ(page.width, 1728);
    ASSERT_EQ(page.height, 4);
    for (int x = 0; x < 1728; ++x) ASSERT_EQ(faxtest::Ink(page, x, 3), (x / 2) % 2 == 0) << x;

    converter.SetResolution(FaxResolution::frHigh);
    converter.ConvertBitmapToFile(bitmap);
    page = Result().pages.at(0).image;
    EXPECT_TRUE(Result().pages.at(0).header.HighResolution());
    // Not doubled: centred by (1728 - 864 - 0) / 16 = 54 bytes.
    for (int x = 0; x < 1728; ++x) {
        const bool inside = x >= 54 * 8 && x < 54 * 8 + 864;
        ASSERT_EQ(faxtest::Ink(page, x, 0), inside && (x - 54 * 8) % 2 == 0) << x;
    }
}

TEST_F(FaxConverterTest, WideBitmapWithMarginIsNotShiftedAndHalfHeightDropsEvenLines) {
    gfx::MonoBitmap bitmap(1700, 6);
    for (int y = 0; y < 6; ++y) bitmap.SetBlack(y, y, true);  // line y marks pixel y
    converter.SetOptions(coCenterImage | coHalfHeight);
    converter.ConvertBitmapToFile(bitmap);
    const auto page = Result().pages.at(0).image;
    ASSERT_EQ(page.height, 3);
    for (int y = 0; y < 3; ++y) EXPECT_TRUE(faxtest::Ink(page, 50 + 2 * y, y)) << y;  // lines 1, 3, 5
}

TEST_F(FaxConverterTest, ColourBitmapsAreDitheredByTheThresholdTable) {
    gfx::ColorBitmap white{40, 40, std::vector<std::uint32_t>(1600, 0xFFFFFF)};
    converter.SetLeftMargin(0);
    converter.SetOptions(0);
    converter.ConvertBitmapToFile(white);
    auto page = Result().pages.at(0).image;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 1728; ++x) ASSERT_FALSE(faxtest::Ink(page, x, y));

    gfx::ColorBitmap black{40, 40, std::vector<std::uint32_t>(1600, 0)};
    converter.ConvertBitmapToFile(black);
    page = Result().pages.at(0).image;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(faxtest::Ink(page, x, y), DitherThreshold(x, y) > 0) << x << "," << y;
}

TEST_F(FaxConverterTest, ErrorsThrowTheirCodeAndLeaveNoFile) {
    // No source chosen; a bitmap source with no bitmap; an input that is not there.
    EXPECT_EQ(ThrownCode([&] { converter.ConvertToFile(); }), base::ecBadArgument);
    converter.SetInputDocumentType(FaxInputDocumentType::idBitmap);
    EXPECT_EQ(ThrownCode([&] { converter.ConvertToFile(); }), base::ecBadArgument);
    converter.SetInputDocumentType(FaxInputDocumentType::idTiff);
    converter.SetDocumentFile(dir.folder() + "absent");
    EXPECT_EQ(ThrownCode([&] { converter.ConvertToFile(); }), base::ecFileNotFound);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    // A colour bitmap whose pixels do not match its size.
    converter.SetOutFileName(dir.folder() + "OUT.APF");
    EXPECT_EQ(ThrownCode([&] { converter.ConvertBitmapToFile(gfx::ColorBitmap{10, 10, {}}); }),
              base::ecBadGraphicsFormat);
    // The bitmap conversion leaves the chosen input type alone.
    EXPECT_EQ(converter.InputDocumentType(), FaxInputDocumentType::idTiff);
}

TEST_F(FaxConverterTest, StatusEventCanAbortAndUserEventsDriveTheSource) {
    std::vector<std::string> calls;
    int lines = 0;
    converter.SetInputDocumentType(FaxInputDocumentType::idUser);
    converter.SetDefUserExtension("DAT");
    converter.SetDocumentFile(dir.folder() + "in");
    EXPECT_EQ(converter.OutFileName(), dir.folder() + "in.APF");
    converter.OnOpenUserFile = [&](VlFaxConverter&, const std::string& name) { calls.push_back("open " + name); };
    converter.OnCloseUserFile = [&](VlFaxConverter&) { calls.push_back("close"); };
    converter.OnReadUserLine = [&](VlFaxConverter&, Bytes& data, bool& endOfPage, bool&) {
        if (++lines > 10) endOfPage = true;
        else data.assign(216, 0xF0);
    };
    converter.ConvertToFile();
    EXPECT_EQ(calls, (std::vector<std::string>{"open " + dir.folder() + "in.DAT", "close"}));
    const auto file = faxtest::ReadConverted(converter.OutFileName());
    ASSERT_EQ(file.pages.size(), 1u);
    EXPECT_EQ(file.pages[0].image.height, 10);

    lines = 0;
    bool sawStart = false;
    converter.OnStatus = [&](VlFaxConverter&, bool starting, bool, int page, int line, std::uint64_t,
                             std::uint64_t, bool& abort) {
        sawStart = sawStart || starting;
        abort = page == 1 && line == 5;
    };
    EXPECT_EQ(ThrownCode([&] { converter.ConvertToFile(); }), base::ecConvertAbort);
    EXPECT_TRUE(sawStart);
    EXPECT_FALSE(std::filesystem::exists(converter.OutFileName()));
}

TEST_F(FaxConverterTest, QuitMessageWhileYieldingEndsTheConversion) {
    converter.SetOptions(coYield);
    converter.ProcessMessages = [] { return base::ecGotQuitMsg; };
    EXPECT_EQ(ThrownCode([&] { converter.ConvertBitmapToFile(Stripes(100, 100)); }), base::ecGotQuitMsg);
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "OUT.APF"));
}

// Dithering runs the message loop now and then whatever the options say: a
// big colour image takes seconds before its first fax line is out.
TEST_F(FaxConverterTest, DitheringLetsTheMessageLoopRunAndEndTheConversion) {
    converter.SetOptions(coCenterImage);
    const gfx::ColorBitmap grey{1024, 64, std::vector<std::uint32_t>(1024 * 64, 0x808080)};
    int turns = 0;
    converter.ProcessMessages = [&] {
        ++turns;
        return base::ecOK;
    };
    converter.ConvertBitmapToFile(grey);
    EXPECT_EQ(turns, 1024 * 64 / 8 / PixelYield::kChecksPerTurn);

    std::filesystem::remove(converter.OutFileName());
    converter.ProcessMessages = [] { return base::ecGotQuitMsg; };
    EXPECT_EQ(ThrownCode([&] { converter.ConvertBitmapToFile(grey); }), base::ecGotQuitMsg);
    EXPECT_FALSE(std::filesystem::exists(converter.OutFileName()));
}

}  // namespace
}  // namespace vl::faxdoc
