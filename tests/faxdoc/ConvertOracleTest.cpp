// Whole conversions checked by programs nobody here wrote: every converted page
// decodes with netpbm's g3topbm to the pixels our unpacker gives, and TIFF
// files written by libtiff's tools come out pixel for pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConvertedPages.h"
#include "G3topbm.h"
#include "ImageSourceFiles.h"
#include "faxdoc/VlFaxConverter.h"
#include "support/TestSupport.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A letter of 130 lines: Latin-1 letters, tabs, a form feed, long lines.
std::string Letter() {
    std::string text;
    for (int i = 1; i <= 130; ++i) {
        text += "Line " + std::to_string(i) + "\tof the letter: \xC4rger \xFC" "ber Stra\xDF" "en, caf\xE9";
        if (i % 17 == 0) text += std::string(120, 'W');
        if (i == 70) text += "\f";
        text += i % 3 == 0 ? "\r\n" : "\n";
    }
    return text;
}

void ExpectOracleAgrees(const faxtest::ConvertedFile& file) {
    ASSERT_FALSE(file.pages.empty());
    for (std::size_t n = 0; n < file.pages.size(); ++n) {
        SCOPED_TRACE("page " + std::to_string(n + 1));
        const auto& page = file.pages[n];
        const int width = page.header.Wide() ? kWideWidth : kNormalWidth;
        const auto rows = faxtest::G3topbm(faxtest::RecordStream(page), width);
        ASSERT_EQ(static_cast<int>(rows.size()), page.image.height);
        bool ink = false;
        // Our page image ends at the widest inked byte; g3topbm's rows are the full width.
        for (int y = 0; y < page.image.height; ++y) {
            Bytes ours(page.image.Row(y), page.image.Row(y) + page.image.stride);
            for (std::uint8_t b : ours) ink = ink || b != 0;
            ours.resize(static_cast<std::size_t>(width / 8), 0);
            ASSERT_EQ(rows[static_cast<std::size_t>(y)], ours) << "line " << y;
        }
        EXPECT_TRUE(ink);
    }
}

class ConvertOracleTest : public ::testing::Test {
protected:
    faxtest::ConvertedFile Convert(VlFaxConverter& converter, const std::string& name, const std::string& bytes) {
        test::WriteFile(dir.path() / name, bytes);
        converter.SetDocumentFile(dir.folder() + name);
        converter.ConvertToFile();
        return faxtest::ReadConverted(converter.OutFileName());
    }

    test::TempDir dir;
};

TEST_F(ConvertOracleTest, TextInTheBuiltInFontsAtBothResolutionsAndWidths) {
    for (const auto font : {FaxFontSize::Small, FaxFontSize::Standard}) {
        for (const auto resolution : {FaxResolution::frNormal, FaxResolution::frHigh}) {
            for (const auto width : {FaxWidth::fwNormal, FaxWidth::fwWide}) {
                SCOPED_TRACE(std::to_string(static_cast<int>(font)) + std::to_string(static_cast<int>(resolution)) +
                             std::to_string(static_cast<int>(width)));
                VlFaxConverter converter;
                converter.SetInputDocumentType(FaxInputDocumentType::idText);
                converter.SetFontType(font);
                converter.SetResolution(resolution);
                converter.SetWidth(width);
                const auto file = Convert(converter, "letter.txt", Letter());
                // 70 lines end at the form feed: pages of 60 and 10, then 60 and 0.
                EXPECT_EQ(file.pages.size(), 3u);
                ExpectOracleAgrees(file);
            }
        }
    }
}

TEST_F(ConvertOracleTest, TextInASystemFont) {
    for (const auto resolution : {FaxResolution::frNormal, FaxResolution::frHigh}) {
        VlFaxConverter converter;
        converter.SetInputDocumentType(FaxInputDocumentType::idTextEx);
        converter.SetEnhFont({"DejaVu Sans", 11});
        converter.SetResolution(resolution);
        ExpectOracleAgrees(Convert(converter, "letter.txt", Letter()));
    }
}

TEST_F(ConvertOracleTest, TiffWrittenByLibtiffToolsConvertsPixelForPixel) {
    const PageImage image = faxtest::SpeckledImage(1203, 57, 11);
    test::WriteFile(dir.path() / "in.pbm", faxtest::PbmFile(image));
    const std::string plain = dir.folder() + "plain.tif";
    const auto made = test::Run("/usr/bin/ppm2tiff", {dir.folder() + "in.pbm", plain});
    ASSERT_EQ(made.status, 0) << made.err;
    for (const char* compression : {"none", "packbits"}) {
        SCOPED_TRACE(compression);
        const std::string copy = dir.folder() + "copy.tif";
        const auto copied = test::Run("/usr/bin/tiffcp", {"-c", compression, "-r", "7", plain, copy});
        ASSERT_EQ(copied.status, 0) << copied.err;
        const std::string tiff = test::ReadFile(copy);
        VlFaxConverter converter;
        converter.SetInputDocumentType(FaxInputDocumentType::idTiff);
        converter.SetLeftMargin(0);
        converter.SetOptions(0);
        const auto file = Convert(converter, "page.tif", tiff);
        ASSERT_EQ(file.pages.size(), 1u);
        const PageImage& page = file.pages[0].image;
        ASSERT_EQ(page.height, image.height);
        ASSERT_GE(page.width, image.width);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < page.width; ++x)
                ASSERT_EQ(page.Black(x, y), x < image.width && image.Black(x, y)) << x << "," << y;
        ExpectOracleAgrees(file);
    }
}

}  // namespace
}  // namespace vl::faxdoc
