// Detecting the kind of a job, fitting pages onto the fax line and making
// them black and white.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "printfax/FaxDither.h"
#include "printfax/FaxGeometry.h"
#include "printfax/InputKind.h"
#include "printfax/PageFit.h"

namespace vl::printfax {
namespace {

using namespace std::string_literals;

TEST(InputKind, TheBytesDecideNotTheName)
{
    struct Case {
        std::string bytes;
        InputKind kind;
    };
    for (const Case& c : std::vector<Case>{
             {"%PDF-1.7\n", InputKind::Pdf},
             {"\x1B%-12345X@PJL\n%PDF-1.4\n", InputKind::Pdf},
             {"%!PS-Adobe-3.0\n", InputKind::PostScript},
             {"\xC5\xD0\xD3\xC6 eps", InputKind::PostScript},
             {"\x89PNG\r\n\x1A\n....", InputKind::Png},
             {"\xFF\xD8\xFF\xE0", InputKind::Jpeg},
             {"II*\0"s, InputKind::Tiff},
             {"MM\0*"s, InputKind::Tiff},
             {"Dear Ann,\n%!not at the start\n", InputKind::Text},
             {"Caf\xE9\n", InputKind::Text},
             {"GIF89a\0\0"s, InputKind::Binary},
             {"MM*\0"s, InputKind::Binary},
         })
        EXPECT_EQ(DetectInputKind(c.bytes), c.kind) << c.bytes;
}

QImage Grey(int width, int height, int level)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(level);
    return image;
}

int BlackIn(const gfx::MonoBitmap& page, int x0, int x1)
{
    int black = 0;
    for (int y = 0; y < page.Height(); ++y)
        for (int x = x0; x < x1; ++x)
            black += page.Black(x, y);
    return black;
}

TEST(FaxDither, NearBlackAndNearWhiteStayAsTheyAreAndGreysAreSpread)
{
    // Three bands side by side: the middle grey must not bleed error into
    // the solid bands around it.
    QImage image = Grey(300, 40, 255);
    for (int y = 0; y < 40; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < 100; ++x) row[x] = kNearBlack;
        for (int x = 100; x < 200; ++x) row[x] = 128;
        for (int x = 200; x < 300; ++x) row[x] = kNearWhite;
    }
    const gfx::MonoBitmap page = DitherToFax(image);
    ASSERT_EQ(page.Width(), kFaxWidth);
    ASSERT_EQ(page.Height(), 40);
    const int left = (kFaxWidth - 300) / 2;
    EXPECT_EQ(BlackIn(page, left, left + 100), 100 * 40);
    EXPECT_EQ(BlackIn(page, left + 200, left + 300), 0);
    const int grey = BlackIn(page, left + 100, left + 200);
    EXPECT_NEAR(grey, 50 * 40, 100);
    EXPECT_EQ(BlackIn(page, 0, left) + BlackIn(page, left + 300, kFaxWidth), 0) << "outside the image is white";
}

TEST(PageFit, RenderedPagesUpToA3EitherWayRoundAreTaken)
{
    struct Case {
        double widthMm, lengthMm;
        bool fine;
        bool taken;
    };
    const auto pixels = [](double mm, int perInch) { return static_cast<int>(mm / kMillimetresPerInch * perInch + 0.5); };
    for (const Case& c : std::vector<Case>{
             {210, 297, true, true},
             {297, 420, true, true},
             {420, 297, false, true},
             {300, 420, true, false},
             {297, 425, false, false},
             {600, 900, true, false},
         }) {
        const QImage page = Grey(pixels(c.widthMm, kFaxDotsPerInch), pixels(c.lengthMm, LinesPerInch(c.fine)), 255);
        QImage placed;
        const std::string failure = FitRenderedPage(page, c.fine, 2, placed);
        EXPECT_EQ(failure.empty(), c.taken) << c.widthMm << " x " << c.lengthMm << ": " << failure;
        if (!c.taken) {
            EXPECT_NE(failure.find("page 2 is"), std::string::npos) << failure;
            continue;
        }
        // Wider than the line: scaled down, proportions kept; else as it is.
        EXPECT_LE(placed.width(), kFaxWidth);
        if (page.width() > kFaxWidth)
            EXPECT_NEAR(placed.height(), page.height() * kFaxWidth / page.width(), 1);
        else
            EXPECT_EQ(placed.size(), page.size());
    }
}

TEST(PageFit, ImagesFillTheLineAndKeepTheirStatedPixelAspect)
{
    // A fax scanned at 204 x 98 dots per inch: its pixels are twice as tall
    // as wide, so at fine resolution it needs twice its rows.
    QImage fax = Grey(1728, 1100, 255);
    fax.setDotsPerMeterX(8031);
    fax.setDotsPerMeterY(3858);
    QImage scaled;
    ASSERT_EQ(FitImagePage(fax, true, 1, scaled), "");
    EXPECT_EQ(scaled.width(), kFaxWidth);
    EXPECT_NEAR(scaled.height(), 2 * 1100, 3);

    // Square pixels, normal resolution: 98 lines per inch for 204 dots.
    QImage square = Grey(864, 400, 128);
    ASSERT_EQ(FitImagePage(square, false, 1, scaled), "");
    EXPECT_NEAR(scaled.height(), 800 * 98 / 204, 1);

    // Taller than an A3 page would be on the fax width.
    const std::string failure = FitImagePage(Grey(100, 300, 0), true, 3, scaled);
    EXPECT_NE(failure.find("page 3 would be"), std::string::npos) << failure;
}

TEST(PageFit, TransparentPartsOfAnImageAreWhite)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 0, 0, 255));
    const QImage grey = GreyOnWhite(image);
    EXPECT_EQ(grey.pixelColor(0, 0).value(), 255);
    EXPECT_EQ(grey.pixelColor(1, 0).value(), 0);
}

}  // namespace
}  // namespace vl::printfax
