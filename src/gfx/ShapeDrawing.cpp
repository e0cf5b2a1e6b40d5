#include "gfx/ShapeDrawing.h"

#include <algorithm>

#include <QPen>
#include <QRectF>

#include "gfx/BitmapPainting.h"

namespace vl::gfx {

namespace {

QPen BlackPen(int width) {
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, width));
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QBrush FillBrush(ShapeFill fill) {
    switch (fill) {
        case ShapeFill::White: return QBrush(Qt::white);
        case ShapeFill::Black: return QBrush(Qt::black);
        case ShapeFill::Clear: break;
    }
    return Qt::NoBrush;
}

// The outline's pixels lie on the box's last column and row, so the box is
// drawn one pixel narrower and lower than its corners say.
QRectF OutlineRect(const PixelBox& box) {
    return QRectF(box.x0, box.y0, std::max(0, box.x1 - box.x0 - 1), std::max(0, box.y1 - box.y0 - 1));
}

void PaintBox(MonoBitmap& bitmap, const PixelBox& box, int penWidth, const std::function<void(QPainter&)>& paint) {
    // A wide pen reaches half its width past the box on every side.
    const long long reach = std::max(1, penWidth) / 2 + 1;
    PaintArea(bitmap, std::min(box.x0, box.x1) - reach, std::min(box.y0, box.y1) - reach,
              static_cast<long long>(std::max(box.x0, box.x1)) + reach,
              static_cast<long long>(std::max(box.y0, box.y1)) + reach, paint);
}

}  // namespace

void DrawRectangle(MonoBitmap& bitmap, const PixelBox& box, int penWidth, ShapeFill fill, int cornerDiameter) {
    PaintBox(bitmap, box, penWidth, [&](QPainter& painter) {
        painter.setPen(BlackPen(penWidth));
        painter.setBrush(FillBrush(fill));
        if (cornerDiameter > 0) {
            const double radius = cornerDiameter / 2.0;
            painter.drawRoundedRect(OutlineRect(box), radius, radius, Qt::AbsoluteSize);
        } else {
            painter.drawRect(OutlineRect(box));
        }
    });
}

void DrawEllipse(MonoBitmap& bitmap, const PixelBox& box, int penWidth, ShapeFill fill) {
    PaintBox(bitmap, box, penWidth, [&](QPainter& painter) {
        painter.setPen(BlackPen(penWidth));
        painter.setBrush(FillBrush(fill));
        painter.drawEllipse(OutlineRect(box));
    });
}

void DrawLine(MonoBitmap& bitmap, int x0, int y0, int x1, int y1, int penWidth) {
    PaintBox(bitmap, {x0, y0, x1, y1}, penWidth, [&](QPainter& painter) {
        painter.setPen(BlackPen(penWidth));
        painter.drawLine(x0, y0, x1, y1);
    });
}

}  // namespace vl::gfx
