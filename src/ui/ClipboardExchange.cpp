#include "ui/ClipboardExchange.h"

#include "ui/KorvaneMimeData.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QUrl>

#include <cstring>

namespace kv {
namespace {

constexpr const char* kUriListType = "text/uri-list";
// What QClipboard::setImage offers; within one process the picture may be
// on offer only this way, as a QImage rather than encoded bytes.
constexpr const char* kQtImageType = "application/x-qt-image";

const std::uint8_t* Data(const QByteArray& bytes) {
    return reinterpret_cast<const std::uint8_t*>(bytes.constData());
}

std::optional<PastePicture> Read(bool (*reader)(const std::uint8_t*, std::size_t, PastePicture&),
                                 const QByteArray& bytes) {
    PastePicture picture;
    if (bytes.isEmpty() || !reader(Data(bytes), static_cast<std::size_t>(bytes.size()), picture))
        return std::nullopt;
    return picture;
}

// The forms other programs offer, best first; the private one keeps exact
// pixels and resolution.
std::optional<PastePicture> ReadOffered(const QMimeData& data) {
    if (data.hasFormat(kPrivateClipType))
        if (auto picture = Read(ReadPrivateClipData, data.data(kPrivateClipType))) return picture;
    if (data.hasFormat(kPngClipType))
        if (auto picture = PastePictureFromPng(data.data(kPngClipType))) return picture;
    for (const char* type : {kBmpClipType, "image/x-bmp", "image/x-MS-bmp"})
        if (data.hasFormat(type))
            if (auto picture = Read(ReadBmpFileData, data.data(type))) return picture;
    if (data.hasImage()) {
        const QVariant offered = data.imageData();
        if (offered.typeId() == QMetaType::QPixmap)
            return PastePictureFromImage(offered.value<QPixmap>().toImage());
        return PastePictureFromImage(offered.value<QImage>());
    }
    return std::nullopt;
}

} // namespace

ClipboardExchange::ClipboardExchange(QClipboard* clipboard, QObject* parent)
    : QObject(parent), m_clipboard(clipboard ? clipboard : QGuiApplication::clipboard()) {
    connect(m_clipboard, &QClipboard::dataChanged, this, &ClipboardExchange::onDataChanged);
}

QStringList ClipboardExchange::acceptedTypes() {
    return {kPrivateClipType, kPngClipType, kBmpClipType, "image/x-bmp",
            "image/x-MS-bmp", kQtImageType, kUriListType};
}

bool ClipboardExchange::put(ClipPicture picture) {
    m_clipboard->setMimeData(new KorvaneMimeData(std::move(picture)));
    return true;
}

bool ClipboardExchange::hasUsableData() const {
    const QMimeData* data = m_clipboard->mimeData();
    if (!data) return false;
    for (const QString& type : acceptedTypes())
        if (data->hasFormat(type)) return type != kUriListType || !FileOfUriList(*data).empty();
    return false;
}

ClipboardData ClipboardExchange::read() const {
    ClipboardData result;
    const QMimeData* data = m_clipboard->mimeData();
    if (!data) return result;
    // Our own copy is read as held, without rendering a form.
    if (const auto* own = qobject_cast<const KorvaneMimeData*>(data)) {
        PastePicture picture;
        if (ReadClipPicture(own->picture(), picture)) result.picture = std::move(picture);
        return result;
    }
    result.picture = ReadOffered(*data);
    if (!result.picture && data->hasFormat(kUriListType)) result.file = FileOfUriList(*data);
    return result;
}

void ClipboardExchange::onDataChanged() {
    emit pasteAvailabilityChanged(hasUsableData());
}

std::string FileOfUriList(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isFile()) return info.absoluteFilePath().toStdString();
    }
    return {};
}

std::optional<PastePicture> PastePictureFromPng(const QByteArray& bytes) {
    return PastePictureFromImage(QImage::fromData(bytes, "PNG"));
}

std::optional<PastePicture> PastePictureFromImage(const QImage& offered) {
    if (offered.isNull()) return std::nullopt;
    // Straight (not premultiplied) B, G, R, A words: the program's pixels.
    const QImage image = offered.convertToFormat(QImage::Format_ARGB32);
    PastePicture picture;
    picture.pixels.setSize(image.width(), image.height());
    if (picture.pixels.isEmpty()) return std::nullopt;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(picture.pixels.row(y), image.constScanLine(y),
                    static_cast<std::size_t>(image.width()) * sizeof(Color32));
    picture.resolutionX = static_cast<float>(image.dotsPerMeterX());
    picture.resolutionY = static_cast<float>(image.dotsPerMeterY());
    return picture;
}

} // namespace kv
