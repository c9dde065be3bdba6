#include "ui/view/ViewCursors.h"

#include "ui/view/CursorArt.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace kv {

const QCursor& ViewCursors::cursor(CursorRole role, qreal devicePixelRatio) {
    // Whole device pixels per cursor pixel: fractional ratios would blur.
    const int scale = std::max(1, static_cast<int>(std::lround(devicePixelRatio)));
    const auto key = std::make_pair(role, scale);
    auto it = m_cursors.find(key);
    if (it == m_cursors.end()) it = m_cursors.emplace(key, build(role, scale)).first;
    return it->second;
}

QCursor ViewCursors::build(CursorRole role, int scale) {
    switch (role) {
    case CursorRole::Pan:
        return QCursor(Qt::ClosedHandCursor);
    case CursorRole::Arrow:
    case CursorRole::NoImage:
        return QCursor(Qt::ArrowCursor);
    default:
        break;
    }
    const CursorArt art = ArtFor(role);
    const int height = static_cast<int>(art.rows.size());
    const int width = height ? static_cast<int>(art.rows.front().size()) : 0;
    QPixmap pixmap(width * scale, height * scale);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const char c = art.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                if (c == '#' || c == '.')
                    painter.fillRect(x * scale, y * scale, scale, scale,
                                     c == '#' ? Qt::black : Qt::white);
            }
    }
    pixmap.setDevicePixelRatio(scale);
    return QCursor(pixmap, art.hotX, art.hotY);
}

} // namespace kv
