#pragma once
#include "storage/codecs/LzrcModel.h"
#include "storage/codecs/MatchFinder.h"
#include "storage/codecs/PriceTable.h"
#include "storage/codecs/QzBlockOutput.h"
#include "storage/codecs/QzCodecStream.h"
#include "storage/codecs/RangeEncoder.h"

#include <memory>

namespace kv {

// Compressor of the LZ77 + range coder method. Each position is decided
// once 256 bytes of look-ahead stand behind it: a match found there is held
// back for one position and then either coded, or dropped for a better one
// starting a byte later, by comparing the prices of the alternatives.
class QzLzrcEncoder final : public QzCodecStream {
  public:
    explicit QzLzrcEncoder(QzHandle& handle);

    bool allocated() const override { return m_model && m_finder.allocated(); }
    std::size_t write(const void* buffer, std::size_t count) override;
    void flush() override;
    void endCodec() override { flush(); }
    void close() override;

  private:
    struct Pending {
        bool active = false;
        unsigned context = 0;
        std::uint8_t byte = 0;
        std::uint32_t length = 0;
        std::uint32_t distance = 0;
    };

    void processPosition();
    void codeLiteral(unsigned context, std::uint8_t byte);
    void codeMatch(unsigned context, std::uint32_t length, std::uint32_t distance);
    std::uint32_t literalPrice(unsigned context, std::uint8_t byte) const;
    std::uint32_t matchPrice(unsigned context, std::uint32_t length, std::uint32_t distance) const;

    std::unique_ptr<LzrcModel> m_model;
    LzrcMatchFinder m_finder;
    PriceTable m_prices;
    QzBlockOutput m_out;
    RangeEncoder m_encoder;
    unsigned m_context = 0;
    std::uint32_t m_skip = 0;
    Pending m_pending;
};

} // namespace kv
