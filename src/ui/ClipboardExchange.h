#pragma once
#include "commands/host/CommandHost.h"

#include <QObject>

class QClipboard;
class QImage;
class QMimeData;

namespace kv {

// The program's side of the system clipboard: a copy offers the picture
// lazily (KorvaneMimeData); a paste takes the best form on offer: the held
// picture itself, the private form, PNG, a bitmap file, a QImage another
// Qt program offered, or a file named by a URI list (for the import to
// read). It says when pasting becomes possible or impossible.
class ClipboardExchange : public QObject {
    Q_OBJECT
  public:
    explicit ClipboardExchange(QClipboard* clipboard = nullptr, QObject* parent = nullptr);

    bool put(ClipPicture picture);
    // Whether anything a paste can use is on offer.
    bool hasUsableData() const;
    ClipboardData read() const;

    // The types accepted besides the ones the program offers.
    static QStringList acceptedTypes();

  signals:
    void pasteAvailabilityChanged(bool available);

  private:
    void onDataChanged();

    QClipboard* m_clipboard;
};

// A file named by a text/uri-list: the first local file that exists, or "".
std::string FileOfUriList(const QMimeData& data);
// A picture decoded from PNG bytes.
std::optional<PastePicture> PastePictureFromPng(const QByteArray& bytes);
// Any QImage as a picture to paste, its alpha kept straight; none for a
// null image.
std::optional<PastePicture> PastePictureFromImage(const QImage& image);

} // namespace kv
