#pragma once
#include <QObject>
#include <QString>

#include <functional>

class QMimeData;

namespace kv {

// Lets a window take dropped files: the first local file of a drop goes to
// the handler, the others are ignored.
class FileDropFilter : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(const QString& path)>;

    FileDropFilter(QWidget& window, Handler handler);

    // The first local file the data names; empty when none.
    static QString firstFile(const QMimeData& data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Handler m_handler;
};

} // namespace kv
