#include "storage/codecs/QzCodecs.h"

#include "storage/codecs/QzLzrcDecoder.h"
#include "storage/codecs/QzLzrcEncoder.h"
#include "storage/codecs/QzLzwDecoder.h"
#include "storage/codecs/QzLzwEncoder.h"
#include "storage/stream/QzHandle.h"

#include <new>

namespace kv {

namespace {

// Creates the codec on top of `below`; a codec whose tables cannot be
// allocated is removed again.
template <typename Codec> Codec* Push(QzStream& below) {
    auto* codec = new (std::nothrow) Codec(below.handle());
    if (!codec) {
        below.setError(QzError::OutOfMemory);
        return nullptr;
    }
    if (!codec->allocated()) {
        delete codec;
        below.setError(QzError::OutOfMemory);
        return nullptr;
    }
    return codec;
}

} // namespace

void QzPushDecoder(QzStream& below, QzMethod method) {
    if (method == QzMethod::Lzrc) {
        if (auto* codec = Push<QzLzrcDecoder>(below)) codec->start();
    } else if (method == QzMethod::Lzw) {
        if (auto* codec = Push<QzLzwDecoder>(below)) codec->start();
    } else {
        below.setError(QzError::UnknownMethod);
    }
}

void QzPushEncoder(QzStream& below, QzMethod method) {
    if (method == QzMethod::Lzrc)
        Push<QzLzrcEncoder>(below);
    else if (method == QzMethod::Lzw)
        Push<QzLzwEncoder>(below);
    else
        below.setError(QzError::UnknownMethod);
}

} // namespace kv
