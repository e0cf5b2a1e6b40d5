#include "ui/CoverObjectPainting.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "cover/TextFitting.h"
#include "gfx/QtFonts.h"

namespace vl::ui {

namespace {

// Colours are stored as 00BBGGRR.
QColor ToQColor(std::uint32_t color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

int ZoomedPenWidth(int width, float zoom)
{
    return zoom == 1.0F ? width : static_cast<int>(std::lround(width * static_cast<double>(zoom)));
}

QPen OutlinePen(QColor color, int width)
{
    QPen pen(color);
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The caption is UTF-8 (a symbol's one character included, as the renderer
// draws it), one line from the top-left corner.
void PaintText(QPainter& painter, const cover::FaxCoverBaseLabel& text)
{
    const QFont font = gfx::ToQFont(cover::ZoomedFont(text));
    painter.setFont(font);
    painter.setPen(ToQColor(text.font.color));
    painter.drawText(QPoint(0, QFontMetrics(font).ascent()), QString::fromStdString(text.caption));
    if (text.Kind() == cover::RecordKind::Message) {
        // The empty message area must stay visible while it is designed.
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, text.Width() - 1, text.Height() - 1);
    }
}

QBrush FillBrush(cover::ShapeFillType fill)
{
    switch (fill) {
    case cover::ShapeFillType::FilledWhite:
        return QBrush(Qt::white);
    case cover::ShapeFillType::FilledBlack:
        return QBrush(Qt::black);
    case cover::ShapeFillType::Transparent:
        break;
    }
    return Qt::NoBrush;
}

// With pen width w and h = w / 2 the outline runs from (h, h) to
// (Width + h - w + 1, Height + h - w + 1), the last corner not included, so
// a pen of any width keeps inside the bounds.
void PaintShape(QPainter& painter, const cover::FaxCoverShapes& shape)
{
    int w = ZoomedPenWidth(shape.pen.width, shape.Zoom());
    if (shape.pen.width > 0)
        w = std::max(1, w);
    const int h = w / 2;
    const QRectF outline(h, h, std::max(0, shape.Width() - w), std::max(0, shape.Height() - w));
    painter.setPen(w > 0 ? OutlinePen(Qt::black, w) : QPen(Qt::NoPen));
    painter.setBrush(FillBrush(shape.fillType));
    switch (shape.shape) {
    case cover::ShapeType::Rectangle:
    case cover::ShapeType::Square:
        painter.drawRect(outline);
        break;
    case cover::ShapeType::RoundRect:
    case cover::ShapeType::RoundSquare: {
        const int diameter = static_cast<int>(
            std::trunc(shape.roundPercent * 0.01 * std::max(shape.Width(), shape.Height())));
        painter.drawRoundedRect(outline, diameter / 2.0, diameter / 2.0, Qt::AbsoluteSize);
        break;
    }
    case cover::ShapeType::Ellipse:
    case cover::ShapeType::Circle:
        painter.drawEllipse(outline);
        break;
    }
}

// Straight lines end one pixel before their end point, as the outlines do.
void PaintLine(QPainter& painter, const cover::FaxCoverLine& line)
{
    const int w = ZoomedPenWidth(line.pen.width, line.Zoom());
    const int h = w / 2;
    const int width = line.Width();
    const int height = line.Height();
    painter.setPen(OutlinePen(ToQColor(line.pen.color), w));
    switch (line.lineStyle) {
    case cover::LineStyle::Horizontal:
        painter.drawLine(h, h, width + h - w, h);
        break;
    case cover::LineStyle::Vertical:
        painter.drawLine(h, h, h, height + h - w);
        break;
    case cover::LineStyle::AngleSlopingUp:
        painter.drawLine(width, 0, 0, height);
        break;
    case cover::LineStyle::AngleSlopingDown:
        painter.drawLine(0, 0, width, height);
        break;
    }
}

}  // namespace

void PaintCoverObject(QPainter& painter, const cover::GraphicControl& object)
{
    painter.save();
    painter.translate(object.Left(), object.Top());
    painter.setClipRect(0, 0, object.Width(), object.Height(), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (object.Kind()) {
    case cover::RecordKind::Shape:
        PaintShape(painter, static_cast<const cover::FaxCoverShapes&>(object));
        break;
    case cover::RecordKind::Line:
        PaintLine(painter, static_cast<const cover::FaxCoverLine&>(object));
        break;
    default:
        PaintText(painter, static_cast<const cover::FaxCoverBaseLabel&>(object));
        break;
    }
    painter.restore();
}

}  // namespace vl::ui
