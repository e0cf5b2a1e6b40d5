#include "printfax/PageFit.h"

#include <algorithm>
#include <cmath>

#include "printfax/FaxGeometry.h"

namespace vl::printfax {

namespace {

// Renderers round a page to whole pixels.
constexpr double kToleranceMm = 2;
// Stated pixel aspects beyond these are taken for nonsense.
constexpr double kMinAspect = 0.25;
constexpr double kMaxAspect = 4;

std::string Millimetres(double mm) { return std::to_string(static_cast<long>(std::lround(mm))); }

std::string PageName(int pageNumber) { return "page " + std::to_string(pageNumber); }

}  // namespace

std::string FitRenderedPage(const QImage& grey, bool fine, int pageNumber, QImage& placed) {
    const double widthMm = grey.width() * kMillimetresPerInch / kFaxDotsPerInch;
    const double lengthMm = grey.height() * kMillimetresPerInch / LinesPerInch(fine);
    if (std::min(widthMm, lengthMm) > kMaxPageShortMm + kToleranceMm ||
        std::max(widthMm, lengthMm) > kMaxPageLongMm + kToleranceMm)
        return PageName(pageNumber) + " is " + Millimetres(widthMm) + " x " + Millimetres(lengthMm) +
               " mm, larger than A3 (297 x 420 mm)";
    if (grey.width() <= kFaxWidth) {
        placed = grey;
        return {};
    }
    const long lines = std::max(1L, std::lround(static_cast<double>(grey.height()) * kFaxWidth / grey.width()));
    placed = grey.scaled(kFaxWidth, static_cast<int>(lines), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_Grayscale8);
    return {};
}

std::string FitImagePage(const QImage& grey, bool fine, int pageNumber, QImage& scaled) {
    double aspect = 1;
    if (grey.dotsPerMeterX() > 0 && grey.dotsPerMeterY() > 0)
        aspect = std::clamp(static_cast<double>(grey.dotsPerMeterX()) / grey.dotsPerMeterY(), kMinAspect, kMaxAspect);
    const double lines = static_cast<double>(grey.height()) * kFaxWidth / grey.width() * aspect * LinesPerInch(fine) /
                         kFaxDotsPerInch;
    const double lengthMm = lines * kMillimetresPerInch / LinesPerInch(fine);
    if (lengthMm > kMaxPageLongMm + kToleranceMm)
        return PageName(pageNumber) + " would be " + Millimetres(lengthMm) +
               " mm long across the fax width, longer than A3 (420 mm)";
    scaled = grey.scaled(kFaxWidth, static_cast<int>(std::max(1L, std::lround(lines))), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_Grayscale8);
    return {};
}

QImage GreyOnWhite(const QImage& image) {
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_Grayscale8);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage grey(argb.size(), QImage::Format_Grayscale8);
    grey.setDotsPerMeterX(image.dotsPerMeterX());
    grey.setDotsPerMeterY(image.dotsPerMeterY());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            out[x] = static_cast<uchar>((qGray(in[x]) * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }
    return grey;
}

}  // namespace vl::printfax
