#include "storage/codecs/QzLzrcDecoder.h"

#include <new>

namespace kv {

QzLzrcDecoder::QzLzrcDecoder(QzHandle& handle)
    : QzCodecStream(QzStreamType::LzrcDecoder, handle), m_model(new (std::nothrow) LzrcModel),
      m_window(new (std::nothrow) std::uint8_t[kWindowMask + 1]), m_decoder(lower()) {
    if (m_model) m_model->reset();
}

void QzLzrcDecoder::start() {
    m_decoder.start();
    if (m_decoder.failed()) {
        setErrorIfNone(QzError::ReadFailed);
        return;
    }
    produceNext();
}

// Decodes symbols until one yields a byte into m_lookahead; false at the end
// of the data or on an error.
bool QzLzrcDecoder::decodeSymbol() {
    for (;;) {
        const unsigned context = m_stored == 0 ? 0 : m_window[(m_stored - 1) & kWindowMask] >> 4;
        const unsigned symbol = m_decoder.decodeTree(m_model->symbols[context], 9);
        if (m_decoder.failed()) {
            setErrorIfNone(QzError::ReadFailed);
            return false;
        }
        if (symbol < LzrcModel::kFirstMatchSymbol) {
            m_lookahead = static_cast<std::uint8_t>(symbol);
            return true;
        }
        if (symbol == LzrcModel::kEndSymbol) {
            markDone();
            return false;
        }
        if (symbol == LzrcModel::kResetSymbol) {
            m_model->reset();
            continue;
        }
        const std::uint32_t length = symbol - 253;
        const std::uint32_t distance = m_decoder.decodeTree(m_model->distances, 16) + 1;
        // A match may not reach before the first byte of the output.
        if (m_decoder.failed() || distance > m_stored) {
            setErrorIfNone(QzError::ReadFailed);
            return false;
        }
        m_distance = distance;
        m_lookahead = m_window[(m_stored - distance) & kWindowMask];
        m_matchLeft = length - 1;
        return true;
    }
}

void QzLzrcDecoder::produceNext() {
    if (m_matchLeft > 0) {
        m_lookahead = m_window[(m_stored - m_distance) & kWindowMask];
        --m_matchLeft;
        return;
    }
    decodeSymbol();
}

std::size_t QzLzrcDecoder::read(void* buffer, std::size_t count) {
    if (lower()->error() != QzError::None) {
        setErrorIfNone(QzError::ReadFailed);
        return 0;
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint8_t* const window = m_window.get();
    std::size_t done = 0;
    while (done < count && !this->done()) {
        out[done++] = m_lookahead;
        window[m_stored & kWindowMask] = m_lookahead;
        ++m_stored;
        if (m_matchLeft > 0) {
            m_lookahead = window[(m_stored - m_distance) & kWindowMask];
            --m_matchLeft;
        } else {
            decodeSymbol();
        }
    }
    return done;
}

} // namespace kv
