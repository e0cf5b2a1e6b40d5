// A fax page held against Ghostscript's own rendering of the document page
// it came from, the rendering in the middle of the fax line as the print
// tool places it. For suites that link Qt Gui and the fax documents.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>

#include <string>

#include "faxdoc/PageImage.h"
#include "faxdoc/Unpacker.h"
#include "support/SampleReport.h"

namespace vl::test {

struct PageMatch {
    long black = 0;        // black pixels of the thresholded rendering, outside the photograph
    long differ = 0;       // of those pixels, how many the fax page has otherwise
    double photoInk = 0;   // the share of black in the fax page's photograph
    double photoGrey = 0;  // the share of darkness in the rendering's
};

// Page `number` (from 1) of the PDF as Ghostscript renders it in grey at
// fax resolution; a null image when it cannot.
inline QImage RenderedPage(const std::string& pdf, int number, bool fine, const std::string& folder)
{
    const std::string file = folder + "rendered-" + std::to_string(number) + ".pgm";
    const RunResult run =
        RunGhostscript({"-sDEVICE=pgmraw", fine ? "-r204x196" : "-r204x98", "-dFirstPage=" + std::to_string(number),
                        "-dLastPage=" + std::to_string(number), "-sOutputFile=" + file, pdf});
    return run.status == 0 ? QImage(QString::fromStdString(file), "PGM") : QImage();
}

// Page `number` of an APF file, one row per scan line.
inline faxdoc::PageImage ApfPageImage(const std::string& apf, unsigned number)
{
    faxdoc::UnpackOptions options;
    options.aspect = faxdoc::AspectMode::None;
    faxdoc::PageImage page;
    EXPECT_EQ(faxdoc::UnpackApfPage(apf, number, options, page), 0) << apf << " page " << number;
    return page;
}

// The unpacked page ends at its last inked byte; beyond it is white.
inline bool InkAt(const faxdoc::PageImage& page, int x, int y)
{
    return x < page.width && y < page.height && page.Black(x, y);
}

// Pixels in `photo` (the rendering's pixels; empty for none) are dithered
// by the tool, so only their share of ink is compared. Error spreading from
// the photograph reaches a few pixels past it, which count as photograph.
inline PageMatch MatchRenderedPage(const faxdoc::PageImage& page, const QImage& rendered, QRect photo = {})
{
    constexpr int kFaxWidth = 1728;
    constexpr int kSpread = 4;
    if (!photo.isEmpty())
        photo.adjust(-kSpread, -kSpread, kSpread, kSpread);
    const int offset = (kFaxWidth - rendered.width()) / 2;
    PageMatch match;
    long photoPixels = 0;
    long photoBlack = 0;
    double photoDark = 0;
    for (int y = 0; y < rendered.height(); ++y) {
        const uchar* row = rendered.constScanLine(y);
        for (int x = 0; x < rendered.width(); ++x) {
            if (photo.contains(x, y)) {
                ++photoPixels;
                photoBlack += InkAt(page, offset + x, y);
                photoDark += (255 - row[x]) / 255.0;
                continue;
            }
            const bool want = row[x] < 128;
            match.black += want;
            match.differ += want != InkAt(page, offset + x, y);
        }
    }
    if (photoPixels > 0) {
        match.photoInk = static_cast<double>(photoBlack) / photoPixels;
        match.photoGrey = photoDark / photoPixels;
    }
    return match;
}

// The photograph of the sample report in pixels of a rendering at the
// given lines per inch.
inline QRect ReportPhotoPixels(int linesPerInch)
{
    constexpr int kPageHeightPt = 842;
    const auto across = [](int pt) { return pt * 204 / 72; };
    const auto down = [&](int pt) { return (kPageHeightPt - pt) * linesPerInch / 72; };
    return QRect(QPoint(across(kReportPhoto.left), down(kReportPhoto.top)),
                 QPoint(across(kReportPhoto.right), down(kReportPhoto.bottom)));
}

}  // namespace vl::test
