#include "gfx/BitmapPainting.h"

#include <algorithm>

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
    for (int row = 0; row < canvas.height(); ++row) {
        uchar* grey = canvas.scanLine(row);
        for (int col = 0; col < canvas.width(); ++col) grey[col] = bitmap.Black(x0 + col, y0 + row) ? 0 : 255;
    }
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.translate(-x0, -y0);
        paint(painter);
    }
    for (int row = 0; row < canvas.height(); ++row) {
        const uchar* grey = canvas.constScanLine(row);
        for (int col = 0; col < canvas.width(); ++col) bitmap.SetBlack(x0 + col, y0 + row, grey[col] < 128);
    }
}

}  // namespace vl::gfx
