#include "ui/KorvaneMimeData.h"

#include "editing/clipboard/ClipboardFormats.h"

namespace kv {
namespace {

QByteArray Bytes(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

} // namespace

KorvaneMimeData::KorvaneMimeData(ClipPicture picture) : m_picture(std::move(picture)) {}

QStringList KorvaneMimeData::formats() const {
    return {kPrivateClipType, kPngClipType, kBmpClipType};
}

bool KorvaneMimeData::hasFormat(const QString& mimeType) const {
    return formats().contains(mimeType);
}

QVariant KorvaneMimeData::retrieveData(const QString& mimeType, QMetaType) const {
    if (!hasFormat(mimeType)) return {};
    auto rendered = m_rendered.find(mimeType);
    if (rendered == m_rendered.end()) {
        QByteArray bytes;
        if (mimeType == kPrivateClipType)
            bytes = Bytes(PrivateClipData(m_picture));
        else if (mimeType == kPngClipType)
            bytes = QByteArray::fromStdString(PngClipData(m_picture));
        else
            bytes = Bytes(BmpFileData(m_picture));
        rendered = m_rendered.emplace(mimeType, bytes).first;
    }
    return rendered->second;
}

} // namespace kv
