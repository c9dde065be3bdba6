#include "storage/codecs/QzLzrcEncoder.h"

#include <new>

namespace kv {

QzLzrcEncoder::QzLzrcEncoder(QzHandle& handle)
    : QzCodecStream(QzStreamType::LzrcEncoder, handle), m_model(new (std::nothrow) LzrcModel),
      m_out(lower()), m_encoder(m_out) {
    if (m_model) m_model->reset();
}

std::uint32_t QzLzrcEncoder::literalPrice(unsigned context, std::uint8_t byte) const {
    return m_prices.tree(m_model->symbols[context], 9, byte);
}

std::uint32_t QzLzrcEncoder::matchPrice(unsigned context, std::uint32_t length,
                                        std::uint32_t distance) const {
    return m_prices.tree(m_model->symbols[context], 9, length + 253) +
           m_prices.tree(m_model->distances, 16, distance - 1);
}

void QzLzrcEncoder::codeLiteral(unsigned context, std::uint8_t byte) {
    m_encoder.encodeTree(m_model->symbols[context], 9, byte);
}

void QzLzrcEncoder::codeMatch(unsigned context, std::uint32_t length, std::uint32_t distance) {
    m_encoder.encodeTree(m_model->symbols[context], 9, length + 253);
    m_encoder.encodeTree(m_model->distances, 16, distance - 1);
}

// Decides the encode position, then moves past it.
void QzLzrcEncoder::processPosition() {
    const std::uint8_t c = m_finder.current();
    if (m_skip > 0) {
        m_finder.insert();
        --m_skip;
    } else {
        const LzrcMatchFinder::Match found = m_finder.search();
        const bool isMatch = found.length >= LzrcModel::kMinMatch;
        if (!m_pending.active) {
            if (isMatch)
                m_pending = Pending{true, m_context, c, found.length, found.distance};
            else
                codeLiteral(m_context, c);
        } else {
            // All products wrap at 32 bits, as the format's encoder defines them.
            const Pending held = m_pending;
            const std::uint32_t lit = literalPrice(held.context, held.byte);
            const std::uint32_t mat = matchPrice(held.context, held.length, held.distance);
            if (isMatch &&
                (matchPrice(m_context, found.length, found.distance) + lit) * held.length <
                    (found.length + 1) * mat) {
                codeLiteral(held.context, held.byte);
                m_pending = Pending{true, m_context, c, found.length, found.distance};
            } else if ((literalPrice(m_context, c) + lit) * held.length >= 2 * mat) {
                codeMatch(held.context, held.length, held.distance);
                m_skip = held.length - 2;
                m_pending.active = false;
            } else {
                codeLiteral(held.context, held.byte);
                codeLiteral(m_context, c);
                m_pending.active = false;
            }
        }
    }
    m_context = c >> 4;
    m_finder.advance();
}

std::size_t QzLzrcEncoder::write(const void* buffer, std::size_t count) {
    if (done() || lower()->error() != QzError::None) {
        setErrorIfNone(QzError::WriteFailed);
        return 0;
    }
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    for (std::size_t i = 0; i < count; ++i) {
        m_finder.push(in[i]);
        if (m_finder.pending() == LzrcMatchFinder::kLookahead) processPosition();
    }
    if (m_out.failed()) {
        setErrorIfNone(QzError::WriteFailed);
        return 0;
    }
    return count;
}

void QzLzrcEncoder::flush() {
    if (done()) {
        // A section that failed stays failed for whoever finishes it.
        if (error() != QzError::None) setError(error());
        return;
    }
    while (m_finder.pending() > 0)
        processPosition();
    m_encoder.encodeTree(m_model->symbols[m_context], 9, LzrcModel::kEndSymbol);
    m_encoder.finish();
    if (!m_out.flush()) setErrorIfNone(QzError::WriteFailed);
    markDone();
}

void QzLzrcEncoder::close() {
    flush();
    QzCodecStream::close();
}

} // namespace kv
