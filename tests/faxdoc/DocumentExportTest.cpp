// Whole faxes as PDF and TIFF documents read back by programs nobody here
// wrote (poppler's pdfinfo and pdftoppm, libtiff's tiffinfo and tiff2pdf,
// netpbm's tifftopnm), and damaged faxes that must leave no document behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "FaxTestPages.h"
#include "PnmPixels.h"
#include "base/ErrorCodes.h"
#include "faxdoc/ApfWriter.h"
#include "faxdoc/DocumentExport.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/Unpacker.h"
#include "support/TestSupport.h"

namespace vl::faxtest {
namespace {

using faxdoc::DocumentFormat;
using faxdoc::PageImage;

struct SourcePage {
    PageImage raster;
    bool fine;
    bool wide;
};

// An APF file of the pages, each line coded by the program's encoder.
void WriteApf(const std::string& file, const std::vector<SourcePage>& pages) {
    faxdoc::ApfWriter writer;
    ASSERT_EQ(writer.ApfCreate(file), 0);
    for (const SourcePage& page : pages) {
        const int width = page.wide ? faxdoc::kWideWidth : faxdoc::kNormalWidth;
        ASSERT_EQ(writer.ApfBeginPage(page.fine, width), 0);
        faxdoc::LineEncoder encoder(faxdoc::LineLayout{width, 0, false});
        for (int y = 0; y < page.raster.height; ++y) {
            const auto row = static_cast<std::size_t>(page.raster.stride);
            ASSERT_EQ(writer.ApfPutRecord(encoder.Encode({page.raster.Row(y), row})), 0);
        }
        ASSERT_EQ(writer.ApfEndPage(), 0);
    }
    ASSERT_EQ(writer.ApfFinish("DOCUMENT TEST"), 0);
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

struct Expected {
    int width;
    int rows;
    int linesPerInch;
};

// A letter-long fine page, a letter-long normal one of noise, a short wide one.
// The letter-long pages are a whole 792 points tall, the length at which a
// renderer's rounding can stretch the image by a row.
const Expected kPages[] = {{1728, 2156, 196}, {1728, 1078, 98}, {2048, 90, 196}};

class DocumentExportTest : public ::testing::Test {
protected:
    DocumentExportTest() {
        WriteApf(Fax(), {{TextLikeRaster(1728, 2156, 3), true, false},
                         {NoiseRaster(1728, 1078, 5, 0.3), false, false},
                         {TextLikeRaster(2048, 90, 7), true, true}});
    }

    std::string Fax() const { return dir.folder() + "FAX.APF"; }

    // The page as the unpacker decodes it, without aspect correction.
    PageImage Decoded(unsigned page) const {
        faxdoc::UnpackOptions options;
        options.aspect = faxdoc::AspectMode::None;
        PageImage image;
        EXPECT_EQ(faxdoc::UnpackApfPage(Fax(), page, options, image), 0);
        return image;
    }

    test::TempDir dir;
};

TEST_F(DocumentExportTest, PdfPagesAreSizedByTheirResolutionAndRenderToTheFaxPixels) {
    const std::string pdf = dir.folder() + "fax.pdf";
    ASSERT_EQ(faxdoc::ExportFaxDocument(Fax(), DocumentFormat::Pdf, pdf), 0);
    const test::RunResult info = test::Run("/usr/bin/pdfinfo", {"-f", "1", "-l", "3", pdf});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_TRUE(std::regex_search(info.out, std::regex("Pages:\\s+3\\n"))) << info.out;
    for (int page = 1; page <= 3; ++page) {
        const Expected& e = kPages[page - 1];
        std::smatch size;
        const std::regex sizeLine("Page\\s+" + std::to_string(page) + " size:\\s+([0-9.]+) x ([0-9.]+) pts");
        ASSERT_TRUE(std::regex_search(info.out, size, sizeLine)) << info.out;
        // 8.47 x 11 inches for the letter-long pages, fine or normal.
        EXPECT_NEAR(std::stod(size[1].str()), e.width * 72.0 / 204, 0.01) << page;
        EXPECT_NEAR(std::stod(size[2].str()), e.rows * 72.0 / e.linesPerInch, 0.01) << page;

        const std::string number = std::to_string(page);
        const test::RunResult shown = test::Run(
            "/usr/bin/pdftoppm",
            {"-f", number, "-l", number, "-gray", "-rx", "204", "-ry", std::to_string(e.linesPerInch), pdf});
        ASSERT_EQ(shown.status, 0) << shown.err;
        const PageImage decoded = Decoded(static_cast<unsigned>(page));
        ASSERT_EQ(decoded.height, e.rows);
        ExpectPixels(ReadPnm(shown.out), decoded, e.width);
    }
}

TEST_F(DocumentExportTest, TiffHoldsEveryPageAsGroup3AndReadsBackToTheFaxPixels) {
    const std::string tiff = dir.folder() + "fax.tif";
    ASSERT_EQ(faxdoc::ExportFaxDocument(Fax(), DocumentFormat::Tiff, tiff), 0);
    const test::RunResult info = test::Run("/usr/bin/tiffinfo", {tiff});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(Count(info.out, "TIFF Directory at offset"), 3) << info.out;
    EXPECT_EQ(Count(info.out, "Compression Scheme: CCITT Group 3"), 3) << info.out;
    EXPECT_EQ(Count(info.out, "Resolution: 204, 196 pixels/inch"), 2) << info.out;
    EXPECT_EQ(Count(info.out, "Resolution: 204, 98 pixels/inch"), 1) << info.out;
    EXPECT_EQ(Count(info.out, "Page Number: 2-3"), 1) << info.out;

    const test::RunResult pnm = test::Run("/usr/bin/tifftopnm", {tiff});
    ASSERT_EQ(pnm.status, 0) << pnm.err;
    std::size_t at = 0;
    for (int page = 1; page <= 3; ++page) {
        const Pixels pixels = ReadPnmAt(pnm.out, at);
        ExpectPixels(pixels, Decoded(static_cast<unsigned>(page)), kPages[page - 1].width);
    }
    EXPECT_EQ(at, pnm.out.size());

    const std::string pdf = dir.folder() + "converted.pdf";
    const test::RunResult converted = test::Run("/usr/bin/tiff2pdf", {"-o", pdf, tiff});
    ASSERT_EQ(converted.status, 0) << converted.err;
    EXPECT_TRUE(std::regex_search(test::Run("/usr/bin/pdfinfo", {pdf}).out, std::regex("Pages:\\s+3\\n")));
}

TEST_F(DocumentExportTest, ADamagedFaxLeavesNoDocumentAndKeepsAnOldOne) {
    const std::string whole = test::ReadFile(Fax());
    test::WriteFile(dir.path() / "CUT.APF", whole.substr(0, whole.size() * 2 / 3));
    test::WriteFile(dir.path() / "TEXT.APF", "not a fax file at all, but long enough for a header.............");
    // A page whose records hold no line at all.
    {
        faxdoc::ApfWriter writer;
        ASSERT_EQ(writer.ApfCreate(dir.folder() + "BLANK.APF"), 0);
        ASSERT_EQ(writer.ApfBeginPage(true, faxdoc::kNormalWidth), 0);
        const std::uint8_t zeros[20] = {};
        for (int i = 0; i < 10; ++i) ASSERT_EQ(writer.ApfPutRecord(zeros), 0);
        ASSERT_EQ(writer.ApfEndPage(), 0);
        ASSERT_EQ(writer.ApfFinish(""), 0);
    }
    WriteApf(dir.folder() + "EMPTY.APF", {});
    struct Case {
        const char* fax;
        int code;
    };
    const Case cases[] = {{"CUT.APF", base::ecFaxBadFormat},
                          {"TEXT.APF", base::ecFaxBadFormat},
                          {"BLANK.APF", base::ecFaxBadFormat},
                          {"EMPTY.APF", base::ecFaxBadFormat},
                          {"NONE.APF", base::ecFileNotFound}};
    for (const Case& c : cases) {
        for (const DocumentFormat format : {DocumentFormat::Pdf, DocumentFormat::Tiff}) {
            const std::string out = dir.folder() + "new.out";
            EXPECT_EQ(faxdoc::ExportFaxDocument(dir.folder() + c.fax, format, out), c.code) << c.fax;
            EXPECT_FALSE(std::filesystem::exists(out)) << c.fax;
        }
    }
    test::WriteFile(dir.path() / "old.pdf", "old");
    EXPECT_LT(faxdoc::ExportFaxDocument(dir.folder() + "CUT.APF", DocumentFormat::Pdf, dir.folder() + "old.pdf"), 0);
    EXPECT_EQ(test::ReadFile(dir.path() / "old.pdf"), "old");
}

TEST_F(DocumentExportTest, AStoppedOrUnwritableExportLeavesNoFile) {
    const std::string pdf = dir.folder() + "fax.pdf";
    int calls = 0;
    const auto stopLate = [&calls](const faxdoc::UnpackProgress&) {
        return ++calls < 3000 ? faxdoc::UnpackControl::Continue : faxdoc::UnpackControl::Abort;
    };
    EXPECT_EQ(faxdoc::ExportFaxDocument(Fax(), DocumentFormat::Pdf, pdf, stopLate), base::ecUnpackAbort);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_LT(faxdoc::ExportFaxDocument(Fax(), DocumentFormat::Tiff, dir.folder() + "gone/fax.tif"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "gone"));
}

}  // namespace
}  // namespace vl::faxtest
