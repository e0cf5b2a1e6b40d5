#include "gfx/TextDrawing.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "gfx/BitmapPainting.h"
#include "gfx/GuiApplication.h"
#include "gfx/QtFonts.h"

namespace vl::gfx {

namespace {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

TextExtent MeasureText(const FontSpec& font, std::string_view utf8) {
    EnsureGuiApplication();
    const QFontMetrics metrics(ToQFont(font));
    return {metrics.horizontalAdvance(ToQString(utf8)), metrics.height()};
}

void DrawText(MonoBitmap& bitmap, int x, int y, std::string_view utf8, const FontSpec& font) {
    if (bitmap.Empty() || utf8.empty()) return;
    EnsureGuiApplication();
    const QFont qfont = ToQFont(font);
    const QFontMetrics metrics(qfont);
    const QString text = ToQString(utf8);

    // Ink can reach past the advance (italics, overhanging glyphs) and past
    // the line box (accents), so paint a margin of one em around it.
    const long long em = qfont.pixelSize();
    const long long left = std::max<long long>(0, x - em);
    const long long top = std::max<long long>(0, y - em);
    const long long right = std::min<long long>(bitmap.Width(), static_cast<long long>(x) + metrics.horizontalAdvance(text) + em);
    const long long bottom = std::min<long long>(bitmap.Height(), static_cast<long long>(y) + metrics.height() + em);
    if (left >= right || top >= bottom) return;

    QImage canvas(static_cast<int>(right - left), static_cast<int>(bottom - top), QImage::Format_Grayscale8);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(qfont);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(static_cast<int>(x - left), static_cast<int>(y - top) + metrics.ascent()), text);
    }

    for (int row = 0; row < canvas.height(); ++row) {
        const uchar* grey = canvas.constScanLine(row);
        for (int col = 0; col < canvas.width(); ++col) {
            if (grey[col] < 128) bitmap.SetBlack(static_cast<int>(left) + col, static_cast<int>(top) + row, true);
        }
    }
}

void DrawTextInBox(MonoBitmap& bitmap, const PixelBox& box, std::string_view utf8, const FontSpec& font) {
    if (utf8.empty()) return;
    PaintArea(bitmap, box.x0, box.y0, box.x1, box.y1, [&](QPainter& painter) {
        painter.setFont(ToQFont(font));
        painter.setPen(Qt::black);
        painter.drawText(QRect(box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, ToQString(utf8));
    });
}

}  // namespace vl::gfx
