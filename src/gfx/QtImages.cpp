#include "gfx/QtImages.h"

#include <algorithm>
#include <cstring>

#include <QColor>

namespace vl::gfx {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

bool IsDark(QRgb colour) { return qGray(colour) < 128; }

// For one-bit images: which of the two indexes is black, from the colour table.
// A missing table means Qt's default, index 1 = black.
bool IndexIsDark(const QImage& image, int index) {
    const auto table = image.colorTable();
    if (index >= table.size()) return index == 1;
    return IsDark(table[index]);
}

}  // namespace

QImage ToQImage(const MonoBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Mono);
    image.setColorTable({kWhite, kBlack});
    // Qt pads each row to 32 bits; copy row by row and keep the padding white.
    const auto stride = static_cast<std::size_t>(image.bytesPerLine());
    for (int y = 0; y < bitmap.Height(); ++y) {
        const auto row = bitmap.Row(y);
        uchar* line = image.scanLine(y);
        std::memcpy(line, row.data(), row.size());
        std::memset(line + row.size(), 0, stride - row.size());
    }
    return image;
}

MonoBitmap MonoFromQImage(const QImage& image) {
    MonoBitmap bitmap(image.width(), image.height());
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) {
        const bool darkOne = IndexIsDark(image, 1);
        const bool darkZero = IndexIsDark(image, 0);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool dark = image.pixelIndex(x, y) == 1 ? darkOne : darkZero;
                if (dark) bitmap.SetBlack(x, y, true);
            }
        }
        return bitmap;
    }
    const QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(grey.constScanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            if (qAlpha(line[x]) != 0 && IsDark(line[x])) bitmap.SetBlack(x, y, true);
        }
    }
    return bitmap;
}

ColorBitmap ColorFromQImage(const QImage& image) {
    ColorBitmap bitmap;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    bitmap.width = argb.width();
    bitmap.height = argb.height();
    bitmap.pixels.reserve(static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = qAlpha(line[x]) == 0 ? kWhite : line[x];
            bitmap.pixels.push_back(pixel & 0xFFFFFFu);
        }
    }
    return bitmap;
}

}  // namespace vl::gfx
