#include "ui/text/QtTextRenderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>

namespace kv {
namespace {

QFont MakeFont(const TextFont& font) {
    QFont f(QString::fromStdString(font.face));
    // The height asks for the characters' height, as a negative height does
    // of the platform's fonts elsewhere.
    f.setPixelSize(font.height);
    f.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic());
    f.setUnderline(false);
    f.setStrikeOut(false);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// One line: line breaks are drawn as spaces rather than starting a new line.
QString SingleLine(const std::string& text) {
    QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

} // namespace

bool QtTextRenderer::measure(const std::string& text, const TextFont& font, TextExtent& extent) {
    if (font.height <= 0) return false;
    const QFontMetrics metrics(MakeFont(font));
    const QString line = SingleLine(text);
    extent.width = metrics.horizontalAdvance(line);
    extent.height = metrics.height();
    // Negative when the last glyph reaches past its advance.
    extent.trailingBearing = line.isEmpty() ? 0 : metrics.rightBearing(line.back());
    return true;
}

bool QtTextRenderer::draw(const std::string& text, const TextFont& font, PixelArray& surface) {
    // The surface's words are 0xAARRGGBB, as the image's 32-bit format.
    QImage image(reinterpret_cast<uchar*>(surface.data()), surface.width(), surface.height(),
                 static_cast<qsizetype>(surface.width()) * 4, QImage::Format_RGB32);
    if (image.isNull()) return false;
    const QFont qfont = MakeFont(font);
    QPainter painter(&image);
    if (!painter.isActive()) return false;
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(qfont);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(0, QFontMetrics(qfont).ascent()), SingleLine(text));
    return painter.end();
}

void InstallQtTextRenderer() {
    SetTextRendererFactory([] { return std::make_unique<QtTextRenderer>(); });
}

} // namespace kv
