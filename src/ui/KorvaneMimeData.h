#pragma once
#include "editing/clipboard/ClipPicture.h"

#include <QMimeData>

#include <map>

namespace kv {

// A copied picture on the clipboard. It holds the picture itself and
// renders a form only when some program asks for it: the private form for
// other instances of this program, PNG and BMP for everybody else.
class KorvaneMimeData final : public QMimeData {
    Q_OBJECT
  public:
    explicit KorvaneMimeData(ClipPicture picture);

    const ClipPicture& picture() const { return m_picture; }
    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;
    // How many forms some program has asked for so far.
    std::size_t renderedFormCount() const { return m_rendered.size(); }

  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

  private:
    ClipPicture m_picture;
    // Each form is rendered once.
    mutable std::map<QString, QByteArray> m_rendered;
};

} // namespace kv
