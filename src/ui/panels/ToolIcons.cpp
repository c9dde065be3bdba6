#include "ui/panels/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <initializer_list>

namespace kv {
namespace {

constexpr int kIconSize = 20;
using Drawing = std::function<void(QPainter&)>;

// Draws on a 20x20 grid at both densities.
QIcon Draw(const Drawing& draw) {
    QIcon icon;
    for (int ratio : {1, 2}) {
        QPixmap pixmap(kIconSize * ratio, kIconSize * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(40, 40, 40), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        draw(painter);
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A closed outline through the corners, filled.
void DrawFilled(QPainter& p, std::initializer_list<QPointF> corners, const QColor& fill) {
    p.setBrush(fill);
    p.drawPolygon(corners.begin(), static_cast<int>(corners.size()));
}

void DrawSelection(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1.5, Qt::DashLine));
    p.drawRect(QRectF(3.5, 4.5, 13, 11));
}

void DrawWand(QPainter& p) {
    p.drawLine(QPointF(4, 16), QPointF(13, 7));
    p.setPen(QPen(QColor(200, 150, 0), 1.5));
    p.drawLine(QPointF(15, 2), QPointF(15, 6));
    p.drawLine(QPointF(13, 4), QPointF(17, 4));
}

void DrawMove(QPainter& p) {
    p.drawLine(QPointF(10, 2.5), QPointF(10, 17.5));
    p.drawLine(QPointF(2.5, 10), QPointF(17.5, 10));
    for (auto [a, b, c] : {std::tuple{QPointF(7, 5), QPointF(10, 2.5), QPointF(13, 5)},
                           std::tuple{QPointF(7, 15), QPointF(10, 17.5), QPointF(13, 15)},
                           std::tuple{QPointF(5, 7), QPointF(2.5, 10), QPointF(5, 13)},
                           std::tuple{QPointF(15, 7), QPointF(17.5, 10), QPointF(15, 13)}}) {
        p.drawLine(a, b);
        p.drawLine(b, c);
    }
}

void DrawPicker(QPainter& p) {
    p.drawLine(QPointF(3, 17), QPointF(12, 8));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(14.5, 5.5), 3, 3);
}

void DrawPencil(QPainter& p) {
    DrawFilled(p, {{3, 17}, {4.5, 12.5}, {14, 3}, {17, 6}, {7.5, 15.5}}, QColor(240, 200, 90));
}

void DrawBrush(QPainter& p) {
    p.drawLine(QPointF(17, 3), QPointF(9, 11));
    p.setBrush(QColor(60, 110, 200));
    QPainterPath tip;
    tip.moveTo(9, 10);
    tip.cubicTo(6, 9, 3, 13, 3, 17);
    tip.cubicTo(7, 17, 11, 14, 10, 11);
    p.drawPath(tip);
}

void DrawGradient(QPainter& p) {
    QLinearGradient gradient(3, 0, 17, 0);
    gradient.setColorAt(0, Qt::black);
    gradient.setColorAt(1, Qt::white);
    p.setBrush(gradient);
    p.drawRect(QRectF(3, 4, 14, 12));
}

void DrawFill(QPainter& p) {
    DrawFilled(p, {{4, 8}, {10, 3}, {16, 9}, {10, 15}}, QColor(230, 230, 230));
    p.setBrush(QColor(60, 110, 200));
    p.drawEllipse(QPointF(16, 15), 2, 2.5);
}

void DrawEraser(QPainter& p) {
    DrawFilled(p, {{3, 13}, {11, 5}, {17, 11}, {12, 16}, {6, 16}}, QColor(240, 150, 170));
}

void DrawText(QPainter& p) {
    QFont font = p.font();
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, kIconSize, kIconSize), Qt::AlignCenter, "A");
}

void DrawRectangle(QPainter& p) {
    p.setBrush(QColor(60, 110, 200));
    p.drawRect(QRectF(3.5, 5.5, 13, 9));
}

void DrawEllipse(QPainter& p) {
    p.setBrush(QColor(60, 110, 200));
    p.drawEllipse(QRectF(3, 5, 14, 10));
}

void DrawGlyph(QPainter& p, ButtonGlyph glyph) {
    switch (glyph) {
    case ButtonGlyph::Plus:
        p.drawLine(QPointF(10, 4), QPointF(10, 16));
        [[fallthrough]];
    case ButtonGlyph::Minus:
        p.drawLine(QPointF(4, 10), QPointF(16, 10));
        break;
    case ButtonGlyph::Properties:
        p.drawRect(QRectF(4.5, 3.5, 11, 13));
        for (double y : {7.0, 10.0, 13.0})
            p.drawLine(QPointF(7, y), QPointF(13, y));
        break;
    case ButtonGlyph::Up:
    case ButtonGlyph::Down: {
        const double s = glyph == ButtonGlyph::Up ? 1 : -1;
        p.drawLine(QPointF(10, 10 - 6 * s), QPointF(10, 10 + 6 * s));
        p.drawLine(QPointF(5, 10 - s), QPointF(10, 10 - 6 * s));
        p.drawLine(QPointF(15, 10 - s), QPointF(10, 10 - 6 * s));
        break;
    }
    case ButtonGlyph::Duplicate:
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        p.drawRect(QRectF(7.5, 7.5, 9, 9));
        break;
    case ButtonGlyph::Merge:
        p.drawRect(QRectF(4.5, 3.5, 11, 5));
        p.drawRect(QRectF(4.5, 11.5, 11, 5));
        p.drawLine(QPointF(10, 8.5), QPointF(10, 11.5));
        break;
    case ButtonGlyph::Open:
        p.drawRect(QRectF(3.5, 6.5, 13, 9));
        p.drawLine(QPointF(3.5, 6.5), QPointF(7, 3.5));
        p.drawLine(QPointF(7, 3.5), QPointF(10, 6.5));
        break;
    case ButtonGlyph::Save:
        p.drawRect(QRectF(3.5, 3.5, 13, 13));
        p.drawRect(QRectF(6.5, 3.5, 7, 5));
        break;
    case ButtonGlyph::Swap:
        p.drawLine(QPointF(5, 5), QPointF(15, 5));
        p.drawLine(QPointF(12, 2), QPointF(15, 5));
        p.drawLine(QPointF(5, 15), QPointF(15, 15));
        p.drawLine(QPointF(5, 15), QPointF(8, 18));
        break;
    case ButtonGlyph::Reset:
        p.setBrush(Qt::black);
        p.drawRect(QRectF(3.5, 3.5, 8, 8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8.5, 8.5, 8, 8));
        break;
    case ButtonGlyph::ZoomIn:
    case ButtonGlyph::ZoomOut:
        p.drawEllipse(QPointF(8.5, 8.5), 5.5, 5.5);
        p.drawLine(QPointF(12.5, 12.5), QPointF(17, 17));
        p.drawLine(QPointF(6, 8.5), QPointF(11, 8.5));
        if (glyph == ButtonGlyph::ZoomIn) p.drawLine(QPointF(8.5, 6), QPointF(8.5, 11));
        break;
    case ButtonGlyph::Chequer:
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                p.fillRect(QRectF(4 + 4 * x, 4 + 4 * y, 4, 4),
                           (x + y) % 2 ? QColor(190, 190, 190) : QColor(90, 90, 90));
        break;
    case ButtonGlyph::Lock:
        p.drawRect(QRectF(5.5, 9.5, 9, 7));
        p.drawArc(QRectF(7, 4, 6, 8), 0, 180 * 16);
        break;
    case ButtonGlyph::Eye:
        p.drawEllipse(QRectF(3, 6, 14, 8));
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QPointF(10, 10), 2, 2);
        break;
    }
}

} // namespace

QIcon ToolIcon(ToolId id) {
    static const Drawing drawings[] = {DrawSelection, DrawWand,  DrawMove,      DrawPicker,
                                       DrawPencil,    DrawBrush, DrawGradient,  DrawFill,
                                       DrawEraser,    DrawText,  DrawRectangle, DrawEllipse};
    return Draw(drawings[static_cast<int>(id)]);
}

QIcon ButtonIcon(ButtonGlyph glyph) {
    return Draw([glyph](QPainter& p) { DrawGlyph(p, glyph); });
}

} // namespace kv
