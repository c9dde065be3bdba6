#include "ui/menus/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kv {
namespace {

const QColor kInk(0x30, 0x30, 0x38);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kFolder(0xE8, 0xB8, 0x48);
const QColor kDisk(0x38, 0x60, 0xB0);
const QColor kArrow(0x28, 0x78, 0x38);
const QColor kGlass(0xC8, 0xE0, 0xF8);

// A one-unit outline along whole units: the pen runs through the middle of
// the edge pixels, so it covers exactly one pixel (two at scale 2).
void Outline(QPainter& p, const QRectF& r, const QColor& fill) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(fill);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

void Sheet(QPainter& p, qreal x, qreal y) {
    // A page with a folded corner.
    QPainterPath page;
    page.moveTo(x + 0.5, y + 0.5);
    page.lineTo(x + 6.5, y + 0.5);
    page.lineTo(x + 9.5, y + 3.5);
    page.lineTo(x + 9.5, y + 11.5);
    page.lineTo(x + 0.5, y + 11.5);
    page.closeSubpath();
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(x + 6.5, y + 0.5), QPointF(x + 6.5, y + 3.5));
    p.drawLine(QPointF(x + 6.5, y + 3.5), QPointF(x + 9.5, y + 3.5));
}

void NewFile(QPainter& p) {
    Sheet(p, 3, 2);
    p.fillRect(QRectF(10, 10, 5, 1), kArrow);
    p.fillRect(QRectF(12, 8, 1, 5), kArrow);
}

void OpenFile(QPainter& p) {
    Outline(p, QRectF(1, 4, 12, 10), kFolder);
    Outline(p, QRectF(1, 3, 5, 2), kFolder);
    QPainterPath front;
    front.moveTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(12.5, 13.5);
    front.lineTo(1.5, 13.5);
    front.closeSubpath();
    p.setBrush(kFolder.lighter(115));
    p.drawPath(front);
}

void SaveFile(QPainter& p) {
    Outline(p, QRectF(2, 2, 12, 12), kDisk);
    Outline(p, QRectF(4, 2, 8, 5), kPaper);
    p.fillRect(QRectF(9, 3, 2, 3), kInk);
    Outline(p, QRectF(5, 10, 6, 4), QColor(0xD0, 0xD0, 0xD0));
}

void Cut(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(4.5, 1.5), QPointF(10.5, 10.5));
    p.drawLine(QPointF(11.5, 1.5), QPointF(5.5, 10.5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1.5));
    p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
    p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
}

void Copy(QPainter& p) {
    Sheet(p, 1, 1);
    Sheet(p, 5, 4);
}

void Paste(QPainter& p) {
    Outline(p, QRectF(2, 2, 10, 13), kFolder.darker(120));
    Outline(p, QRectF(5, 1, 4, 3), QColor(0xB0, 0xB0, 0xB0));
    Sheet(p, 6, 4);
}

// A curved arrow turning left (undo) or right (redo).
void Turn(QPainter& p, bool right) {
    if (right) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kArrow, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(5, 6);
    arc.cubicTo(10, 6, 14, 7, 14, 10.5);
    arc.cubicTo(14, 13, 12, 14, 9, 14);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(kArrow);
    QPainterPath head;
    head.moveTo(1, 6);
    head.lineTo(6, 1.5);
    head.lineTo(6, 10.5);
    head.closeSubpath();
    p.drawPath(head);
}

void Magnifier(QPainter& p, bool plus) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kGlass);
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(4, 6, 5, 1), kInk);
    if (plus) p.fillRect(QRectF(6, 4, 1, 5), kInk);
}

// A square in four quarters: the picture the view modes show differently.
void ModeSquare(QPainter& p, const QColor quarters[4]) {
    p.fillRect(QRectF(2, 2, 6, 6), quarters[0]);
    p.fillRect(QRectF(8, 2, 6, 6), quarters[1]);
    p.fillRect(QRectF(2, 8, 6, 6), quarters[2]);
    p.fillRect(QRectF(8, 8, 6, 6), quarters[3]);
    Outline(p, QRectF(1, 1, 14, 14), Qt::transparent);
}

void NormalView(QPainter& p) {
    // Colours over a chequer: some of them see-through.
    const QColor q[4] = {QColor(0xD0, 0x30, 0x30), QColor(0xC0, 0xC0, 0xC0),
                         QColor(0xF0, 0xF0, 0xF0), QColor(0x30, 0x70, 0xD0)};
    ModeSquare(p, q);
    p.fillRect(QRectF(8, 2, 3, 3), QColor(0xF0, 0xF0, 0xF0));
    p.fillRect(QRectF(11, 5, 3, 3), QColor(0xF0, 0xF0, 0xF0));
    p.fillRect(QRectF(2, 8, 3, 3), QColor(0xC0, 0xC0, 0xC0));
    p.fillRect(QRectF(5, 11, 3, 3), QColor(0xC0, 0xC0, 0xC0));
}

void ColorOnly(QPainter& p) {
    const QColor q[4] = {QColor(0xD0, 0x30, 0x30), QColor(0x30, 0xA0, 0x40),
                         QColor(0xE8, 0xC0, 0x30), QColor(0x30, 0x70, 0xD0)};
    ModeSquare(p, q);
}

void AlphaOnly(QPainter& p) {
    const QColor q[4] = {QColor(0xFF, 0xFF, 0xFF), QColor(0x00, 0x00, 0x00),
                         QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF)};
    ModeSquare(p, q);
}

void Draw(QPainter& p, ToolbarPicture picture) {
    switch (picture) {
    case ToolbarPicture::NewFile:
        return NewFile(p);
    case ToolbarPicture::OpenFile:
        return OpenFile(p);
    case ToolbarPicture::SaveFile:
        return SaveFile(p);
    case ToolbarPicture::Cut:
        return Cut(p);
    case ToolbarPicture::Copy:
        return Copy(p);
    case ToolbarPicture::Paste:
        return Paste(p);
    case ToolbarPicture::Undo:
        return Turn(p, false);
    case ToolbarPicture::Redo:
        return Turn(p, true);
    case ToolbarPicture::ZoomIn:
        return Magnifier(p, true);
    case ToolbarPicture::ZoomOut:
        return Magnifier(p, false);
    case ToolbarPicture::NormalView:
        return NormalView(p);
    case ToolbarPicture::ColorOnly:
        return ColorOnly(p);
    case ToolbarPicture::AlphaOnly:
        return AlphaOnly(p);
    }
}

} // namespace

QPixmap ToolbarPixmap(ToolbarPicture picture, int scale) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(scale, scale);
    Draw(painter, picture);
    return pixmap;
}

QIcon ToolbarIcon(ToolbarPicture picture) {
    QIcon icon;
    icon.addPixmap(ToolbarPixmap(picture, 1));
    icon.addPixmap(ToolbarPixmap(picture, 2));
    return icon;
}

} // namespace kv
