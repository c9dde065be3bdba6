#pragma once
#include "storage/codecs/LzrcModel.h"
#include "storage/codecs/QzCodecStream.h"
#include "storage/codecs/RangeDecoder.h"

#include <memory>

namespace kv {

// Decompressor of the LZ77 + range coder method. It always holds the next
// output byte decoded ahead, so the end of the data is known as soon as the
// last byte has been handed out.
class QzLzrcDecoder final : public QzCodecStream {
  public:
    explicit QzLzrcDecoder(QzHandle& handle);

    bool allocated() const override { return m_model && m_window; }
    // Primes the range decoder and decodes the first byte.
    void start();
    std::size_t read(void* buffer, std::size_t count) override;

  private:
    static constexpr std::uint32_t kWindowMask = 0xFFFF;

    void produceNext();
    bool decodeSymbol();

    std::unique_ptr<LzrcModel> m_model;
    std::unique_ptr<std::uint8_t[]> m_window;
    RangeDecoder m_decoder;
    std::uint64_t m_stored = 0;    // bytes handed out and kept in the window
    std::uint32_t m_matchLeft = 0; // match bytes still to copy after the look-ahead
    std::uint32_t m_distance = 0;
    std::uint8_t m_lookahead = 0;
};

} // namespace kv
