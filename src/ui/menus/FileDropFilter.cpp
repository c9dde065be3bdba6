#include "ui/menus/FileDropFilter.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace kv {

FileDropFilter::FileDropFilter(QWidget& window, Handler handler)
    : QObject(&window), m_handler(std::move(handler)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

QString FileDropFilter::firstFile(const QMimeData& data) {
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData() && !firstFile(*drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = drop->mimeData() ? firstFile(*drop->mimeData()) : QString();
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        // The dragging program gets its answer before the questions come.
        QTimer::singleShot(0, this, [this, path] { m_handler(path); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kv
