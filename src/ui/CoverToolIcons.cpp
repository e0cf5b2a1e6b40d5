#include "ui/CoverToolIcons.h"

#include <QPainter>
#include <QPixmap>

namespace vl::ui {

namespace {

constexpr int kSide = 24;

void DrawText(QPainter& painter, const QString& text, int pixels, const char* family = "Sans")
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, kSide, kSide), Qt::AlignCenter, text);
}

void DrawTool(QPainter& painter, cover::PanelState tool)
{
    using cover::PanelState;
    switch (tool) {
        case PanelState::Pointing: {
            const QPolygon arrow({{7, 3}, {7, 20}, {11, 16}, {14, 22}, {16, 21}, {13, 15}, {19, 15}});
            painter.setBrush(Qt::black);
            painter.drawPolygon(arrow);
            break;
        }
        case PanelState::Label: DrawText(painter, QStringLiteral("A"), 18); break;
        case PanelState::SymbolLabel: DrawText(painter, QString(QChar(0x263A)), 18); break;
        case PanelState::Rectangle: painter.drawRect(4, 6, 16, 12); break;
        case PanelState::Ellipse: painter.drawEllipse(3, 6, 18, 12); break;
        case PanelState::RoundRectangle: painter.drawRoundedRect(4, 6, 16, 12, 4, 4); break;
        case PanelState::Line: painter.drawLine(12, 3, 12, 21); break;
        case PanelState::Message:
            painter.setPen(Qt::DotLine);
            painter.drawRect(3, 4, 18, 16);
            painter.setPen(Qt::black);
            for (int y : {8, 12, 16}) painter.drawLine(6, y, 18, y);
            break;
        case PanelState::Importance:
            painter.drawRect(3, 8, 7, 7);
            painter.drawLine(4, 11, 6, 14);
            painter.drawLine(6, 14, 9, 8);
            painter.drawLine(13, 12, 21, 12);
            break;
        case PanelState::Field: DrawText(painter, QStringLiteral("[ ]"), 13); break;
    }
}

}  // namespace

QIcon CoverToolIcon(cover::PanelState tool)
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    DrawTool(painter, tool);
    return QIcon(pixmap);
}

}  // namespace vl::ui
