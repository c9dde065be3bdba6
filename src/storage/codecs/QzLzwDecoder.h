#pragma once
#include "storage/codecs/QzCodecStream.h"

#include <memory>

namespace kv {

// LZW decompressor. Every code is checked against the dictionary before it
// is expanded, so corrupt input ends in QzError::CorruptData, never in a
// read outside the tables.
class QzLzwDecoder final : public QzCodecStream {
  public:
    explicit QzLzwDecoder(QzHandle& handle);

    bool allocated() const override { return m_entries && m_string; }
    // Reads the first code, as the decoder always holds one decoded string.
    void start() { decodeNext(); }
    std::size_t read(void* buffer, std::size_t count) override;

  private:
    struct Entry {
        std::uint16_t prefix;
        std::uint16_t length;
        std::uint8_t last;
        std::uint8_t first;
    };

    void resetDictionary();
    int readCode();
    void decodeNext();
    void expand(unsigned code);

    std::unique_ptr<Entry[]> m_entries;
    std::unique_ptr<std::uint8_t[]> m_string; // the current string, not yet handed out
    std::size_t m_stringStart = 0;
    std::size_t m_stringEnd = 0;
    unsigned m_previous = 0; // lzw::kNoCode when there is none
    unsigned m_next = 0;
    unsigned m_width = 0;
    std::uint32_t m_bits = 0;
    unsigned m_bitCount = 0;
};

} // namespace kv
