#include "storage/codecs/QzLzwDecoder.h"

#include "storage/codecs/LzwCodes.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kv {

QzLzwDecoder::QzLzwDecoder(QzHandle& handle)
    : QzCodecStream(QzStreamType::LzwDecoder, handle),
      m_entries(new (std::nothrow) Entry[lzw::kCodeLimit + 1]),
      m_string(new (std::nothrow) std::uint8_t[lzw::kCodeLimit + 1]) {
    if (!allocated()) return;
    for (unsigned c = 0; c < 256; ++c)
        m_entries[c] =
            Entry{lzw::kNoCode, 1, static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c)};
    resetDictionary();
}

void QzLzwDecoder::resetDictionary() {
    m_next = lzw::kFirstFreeCode;
    m_width = lzw::kInitialWidth;
    m_previous = lzw::kNoCode;
}

int QzLzwDecoder::readCode() {
    while (m_bitCount < m_width) {
        const int value = lower()->getByte();
        if (value < 0) {
            setErrorIfNone(QzError::ReadFailed);
            return -1;
        }
        m_bits = (m_bits << 8) | static_cast<std::uint32_t>(value);
        m_bitCount += 8;
    }
    m_bitCount -= m_width;
    const unsigned code = (m_bits >> m_bitCount) & ((1u << m_width) - 1);
    m_bits &= (1u << m_bitCount) - 1;
    return static_cast<int>(code);
}

// Writes the string of a known code into m_string, last byte first.
void QzLzwDecoder::expand(unsigned code) {
    const std::size_t length = m_entries[code].length;
    for (std::size_t i = length; i-- > 0;) {
        m_string[i] = m_entries[code].last;
        code = m_entries[code].prefix;
    }
    m_stringStart = 0;
    m_stringEnd = length;
}

void QzLzwDecoder::decodeNext() {
    for (;;) {
        const int read = readCode();
        if (read < 0) return;
        const auto code = static_cast<unsigned>(read);
        if (code == lzw::kEndCode) {
            markDone();
            return;
        }
        if (code == lzw::kClearCode) {
            resetDictionary();
            continue;
        }
        const bool canAdd = m_previous != lzw::kNoCode && m_next < lzw::kCodeLimit;
        if (code > m_next || (code == m_next && !canAdd)) {
            setErrorIfNone(QzError::CorruptData);
            return;
        }
        if (code == m_next) {
            // The string being defined: the previous one plus its own first byte.
            const Entry& previous = m_entries[m_previous];
            m_entries[m_next] = Entry{static_cast<std::uint16_t>(m_previous),
                                      static_cast<std::uint16_t>(previous.length + 1),
                                      previous.first, previous.first};
        } else if (canAdd) {
            const Entry& previous = m_entries[m_previous];
            m_entries[m_next] = Entry{static_cast<std::uint16_t>(m_previous),
                                      static_cast<std::uint16_t>(previous.length + 1),
                                      m_entries[code].first, previous.first};
        }
        expand(code);
        if (canAdd && ++m_next == (1u << m_width)) ++m_width;
        m_previous = code;
        return;
    }
}

std::size_t QzLzwDecoder::read(void* buffer, std::size_t count) {
    if (lower()->error() != QzError::None) {
        setErrorIfNone(QzError::ReadFailed);
        return 0;
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (m_stringStart == m_stringEnd) {
            if (this->done()) break;
            decodeNext();
            continue;
        }
        const std::size_t take = std::min(count - done, m_stringEnd - m_stringStart);
        std::memcpy(out + done, m_string.get() + m_stringStart, take);
        m_stringStart += take;
        done += take;
    }
    // Keep one string decoded ahead so that the end is known as soon as the
    // last byte has been handed out.
    if (m_stringStart == m_stringEnd && !this->done()) decodeNext();
    return done;
}

} // namespace kv
