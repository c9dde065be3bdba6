#include "storage/codecs/QzLzwEncoder.h"

#include "storage/codecs/LzwCodes.h"

#include <algorithm>
#include <new>

namespace kv {

namespace {
constexpr std::uint32_t kHashPrime = 16777619u;
constexpr std::uint32_t kStartHash = 0xFFFFFFFFu * kHashPrime;
constexpr unsigned kBuckets = 32768;

unsigned BucketOf(std::uint32_t hash) {
    return (hash >> 17) ^ (hash & 0x7FFF);
}
} // namespace

QzLzwEncoder::QzLzwEncoder(QzHandle& handle)
    : QzCodecStream(QzStreamType::LzwEncoder, handle),
      m_prefix(new (std::nothrow) std::uint16_t[lzw::kCodeLimit + 1]),
      m_chain(new (std::nothrow) std::uint16_t[lzw::kCodeLimit + 1]),
      m_heads(new (std::nothrow) std::uint16_t[kBuckets]), m_current(lzw::kNoCode),
      m_hash(0xFFFFFFFFu), m_out(lower()) {
    if (allocated()) resetDictionary();
}

void QzLzwEncoder::resetDictionary() {
    std::fill(m_heads.get(), m_heads.get() + kBuckets, lzw::kNoCode);
    for (unsigned c = 0; c < 256; ++c) {
        const unsigned bucket = c ^ 0x112;
        m_prefix[c] = lzw::kNoCode;
        m_chain[c] = m_heads[bucket];
        m_heads[bucket] = static_cast<std::uint16_t>(c);
    }
    m_next = lzw::kFirstFreeCode;
    m_width = lzw::kInitialWidth;
}

std::size_t QzLzwEncoder::write(const void* buffer, std::size_t count) {
    if (done() || lower()->error() != QzError::None) {
        setErrorIfNone(QzError::WriteFailed);
        return 0;
    }
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::uint16_t* const prefix = m_prefix.get();
    std::uint16_t* const chain = m_chain.get();
    std::uint16_t* const heads = m_heads.get();
    std::uint16_t current = m_current;
    std::uint32_t hash = m_hash;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t c = in[i];
        const std::uint32_t extended = hash * kHashPrime ^ c;
        const unsigned bucket = BucketOf(extended);
        std::uint16_t code = heads[bucket];
        while (code != lzw::kNoCode && prefix[code] != current)
            code = chain[code];
        if (code != lzw::kNoCode) {
            current = code;
            hash = extended;
            continue;
        }
        putCode(current);
        if (m_next < lzw::kCodeLimit) {
            prefix[m_next] = current;
            chain[m_next] = heads[bucket];
            heads[bucket] = static_cast<std::uint16_t>(m_next);
            ++m_next;
            if (m_next > (1u << m_width)) ++m_width;
        } else {
            putCode(lzw::kClearCode);
            resetDictionary();
        }
        current = c;
        hash = kStartHash ^ c;
    }
    m_current = current;
    m_hash = hash;
    if (m_out.failed()) {
        setErrorIfNone(QzError::WriteFailed);
        return 0;
    }
    return count;
}

void QzLzwEncoder::flush() {
    if (done()) {
        // A section that failed stays failed for whoever finishes it.
        if (error() != QzError::None) setError(error());
        return;
    }
    if (m_current != lzw::kNoCode) putCode(m_current);
    // The decoder adds one more entry on reading that last code.
    if (m_next < lzw::kCodeLimit && m_next == (1u << m_width)) ++m_width;
    putCode(lzw::kEndCode);
    if (m_bitCount > 0) m_out.put(static_cast<std::uint8_t>(m_bits << (8 - m_bitCount)));
    m_bitCount = 0;
    m_bits = 0;
    if (!m_out.flush()) setErrorIfNone(QzError::WriteFailed);
    markDone();
}

void QzLzwEncoder::close() {
    flush();
    QzCodecStream::close();
}

} // namespace kv
