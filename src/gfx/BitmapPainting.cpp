#include "gfx/BitmapPainting.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>

#include <QImage>

#include "gfx/GuiApplication.h"

namespace vl::gfx {

void PaintArea(MonoBitmap& bitmap, long long left, long long top, long long right, long long bottom,
               const std::function<void(QPainter&)>& paint) {
    left = std::max<long long>(0, left);
    top = std::max<long long>(0, top);
    right = std::min<long long>(bitmap.Width(), right);
    bottom = std::min<long long>(bitmap.Height(), bottom);
    if (left >= right || top >= bottom) return;
    EnsureGuiApplication();

    const int x0 = static_cast<int>(left);
    const int y0 = static_cast<int>(top);
    QImage canvas(static_cast<int>(right - left), static_cast<int>(bottom - top), QImage::Format_Grayscale8);
    // Straight through the rows: a page-sized frame is millions of pixels.
    for (int row = 0; row < canvas.height(); ++row) {
        const std::span<const std::uint8_t> bits = std::as_const(bitmap).Row(y0 + row);
        uchar* grey = canvas.scanLine(row);
        for (int col = 0, x = x0; col < canvas.width(); ++col, ++x)
            grey[col] = (bits[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255;
    }
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.translate(-x0, -y0);
        paint(painter);
    }
    for (int row = 0; row < canvas.height(); ++row) {
        const std::span<std::uint8_t> bits = bitmap.Row(y0 + row);
        const uchar* grey = canvas.constScanLine(row);
        for (int col = 0, x = x0; col < canvas.width(); ++col, ++x) {
            const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
            if (grey[col] < 128) bits[x >> 3] |= mask;
            else bits[x >> 3] &= static_cast<std::uint8_t>(~mask);
        }
    }
}

}  // namespace vl::gfx
