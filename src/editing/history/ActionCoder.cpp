#include "editing/history/ActionCoder.h"

#include "platform/ErrorReporter.h"

#include <algorithm>
#include <new>

namespace kv {
namespace {
constexpr std::uint32_t kHashStart = 0xFFFFFFFFu;
constexpr std::uint32_t kHashPrime = 16777619u;
constexpr std::uint32_t kSingleByteHash = 0xFEFFFE6Du; // kHashStart * kHashPrime
constexpr std::uint16_t kNoEntry = 0xFFFF;
const char* const kFailureText = "Action data compression failed";

inline std::uint32_t BucketOf(std::uint32_t h) {
    return (h & 0xFFFu) ^ (h >> 20);
}
} // namespace

static_assert(kSingleByteHash == static_cast<std::uint32_t>(kHashStart * kHashPrime));

ActionCoder& ActionCoder::instance() {
    static ActionCoder coder;
    return coder;
}

ActionCoder::ActionCoder() {
    resetDictionary();
}

void ActionCoder::reset() {
    m_data.reset();
    m_state = State::Idle;
}

void ActionCoder::fail() {
    m_data.reset();
    m_state = State::Failed;
    ReportError(kFailureText);
}

bool ActionCoder::begin() {
    if (m_state == State::Compressing || m_state == State::Failed) {
        ReportError(kFailureText);
        return false;
    }
    try {
        m_data = std::make_unique<ActionData>();
        if (m_buffer.size() != kBufferSize) m_buffer.assign(kBufferSize, 0);
    } catch (const std::bad_alloc&) {
        fail();
        return false;
    }
    m_state = State::Compressing;
    m_fed = 0;
    m_bufferUsed = 0;
    m_accumulator = 0;
    m_pendingBits = 0;
    m_prefix = -1;
    resetDictionary();
    return true;
}

void ActionCoder::resetDictionary() {
    m_bucketHead.fill(kNoEntry);
    m_codeCount = kFirstFree;
    m_width = 9;
}

void ActionCoder::flush() {
    if (m_state != State::Compressing || m_bufferUsed == 0) return;
    const bool stored =
        m_data->appendBlock(m_buffer.data(), static_cast<std::uint32_t>(m_bufferUsed));
    m_bufferUsed = 0; // also on failure, so that writing can never run past the buffer
    if (!stored) fail();
}

void ActionCoder::emit(std::uint32_t code) {
    m_accumulator = (m_accumulator << m_width) | code;
    m_pendingBits += m_width;
    while (m_pendingBits >= 8) {
        m_pendingBits -= 8;
        m_buffer[m_bufferUsed++] = static_cast<std::uint8_t>(m_accumulator >> m_pendingBits);
        if (m_bufferUsed == kBufferSize) flush();
    }
}

// The hot loop keeps the coder's state in locals: the output buffer is
// written through byte pointers, which would otherwise force the compiler to
// reload every member after each write.
template <bool Difference>
void ActionCoder::encode(const std::uint8_t* values, const std::uint8_t* reference,
                         std::size_t count) {
    if (m_state != State::Compressing || count == 0) return;
    std::size_t i = 0;
    if (m_prefix < 0) {
        const std::uint8_t c =
            Difference ? static_cast<std::uint8_t>(values[0] - reference[0]) : values[0];
        m_prefix = c;
        m_hash = kSingleByteHash ^ c;
        i = 1;
    }
    std::uint32_t prefix = static_cast<std::uint32_t>(m_prefix);
    std::uint32_t hash = m_hash;
    std::uint32_t codeCount = m_codeCount;
    int width = m_width;
    std::uint32_t acc = m_accumulator;
    int bits = m_pendingBits;
    std::size_t used = m_bufferUsed;
    std::uint8_t* const buffer = m_buffer.data();
    std::uint16_t* const heads = m_bucketHead.data();
    std::uint16_t* const chain = m_nextInBucket.data();
    std::uint16_t* const prefixes = m_prefixOf.data();

    auto put = [&](std::uint32_t code) {
        acc = (acc << width) | code;
        bits += width;
        while (bits >= 8) {
            bits -= 8;
            buffer[used++] = static_cast<std::uint8_t>(acc >> bits);
            if (used == kBufferSize) {
                m_bufferUsed = used;
                flush();
                used = m_bufferUsed;
            }
        }
    };

    for (; i < count; ++i) {
        const std::uint8_t c =
            Difference ? static_cast<std::uint8_t>(values[i] - reference[i]) : values[i];
        const std::uint32_t h = (hash * kHashPrime) ^ c;
        const std::uint32_t bucket = BucketOf(h);
        std::uint16_t e = heads[bucket];
        while (e != kNoEntry && prefixes[e] != prefix)
            e = chain[e];
        if (e != kNoEntry) {
            prefix = e;
            hash = h;
            continue;
        }
        put(prefix);
        if (m_state != State::Compressing)
            return; // a block could not be allocated; the stream is gone
        if (codeCount < static_cast<std::uint32_t>(kMaxCodes)) {
            const auto code = static_cast<std::uint16_t>(codeCount++);
            prefixes[code] = static_cast<std::uint16_t>(prefix);
            chain[code] = heads[bucket];
            heads[bucket] = code;
            if (codeCount > (1u << width)) ++width;
        } else {
            put(kClearCode);
            if (m_state != State::Compressing) return;
            std::fill(heads, heads + kMaxCodes, kNoEntry);
            codeCount = kFirstFree;
            width = 9;
        }
        prefix = c;
        hash = kSingleByteHash ^ c;
    }
    m_prefix = static_cast<std::int32_t>(prefix);
    m_hash = hash;
    m_codeCount = codeCount;
    m_width = width;
    m_accumulator = acc;
    m_pendingBits = bits;
    m_bufferUsed = used;
    m_fed += static_cast<std::uint32_t>(count);
}

void ActionCoder::feed(const std::uint8_t* bytes, std::size_t count) {
    encode<false>(bytes, nullptr, count);
}

void ActionCoder::feedDifference(const std::uint8_t* values, const std::uint8_t* reference,
                                 std::size_t count) {
    encode<true>(values, reference, count);
}

std::unique_ptr<ActionData> ActionCoder::finish() {
    if (m_state != State::Compressing) {
        if (m_state != State::Failed) ReportError(kFailureText);
        return nullptr;
    }
    if (m_prefix >= 0) {
        emit(static_cast<std::uint32_t>(m_prefix));
        if (m_codeCount < kMaxCodes && m_codeCount == (1u << m_width)) ++m_width;
    }
    emit(kEndCode);
    if (m_pendingBits > 0 && m_state == State::Compressing) {
        m_buffer[m_bufferUsed++] = static_cast<std::uint8_t>(m_accumulator << (8 - m_pendingBits));
        m_pendingBits = 0;
        if (m_bufferUsed == kBufferSize) flush();
    }
    flush();
    if (m_state != State::Compressing) return nullptr; // a failed flush has already told the user
    m_data->setUncompressedSize(m_fed);
    m_state = State::Finished;
    return std::move(m_data);
}

namespace {
// Pulls codes most significant bit first from the block chain.
class CodeReader {
  public:
    explicit CodeReader(const ActionData& data) : m_block(data.firstBlock()) {}
    bool read(int width, std::uint32_t& code) {
        while (m_bits < width) {
            while (m_block && m_pos >= m_block->size) {
                m_block = m_block->next;
                m_pos = 0;
            }
            if (!m_block) return false;
            m_acc = (m_acc << 8) | m_block->bytes()[m_pos++];
            m_bits += 8;
        }
        m_bits -= width;
        code = (m_acc >> m_bits) & ((1u << width) - 1);
        return true;
    }

  private:
    const ActionData::Block* m_block;
    std::uint32_t m_pos = 0;
    std::uint32_t m_acc = 0;
    int m_bits = 0;
};
} // namespace

bool DecodeActionData(const ActionData& data, std::vector<std::uint8_t>& out) {
    constexpr int kMax = ActionCoder::kMaxCodes;
    std::vector<std::uint16_t> prefix(kMax);
    std::vector<std::uint8_t> suffix(kMax), first(kMax);
    std::vector<std::uint8_t> stack(kMax);
    for (int i = 0; i < 256; ++i)
        suffix[i] = first[i] = static_cast<std::uint8_t>(i);
    out.clear();
    out.reserve(data.uncompressedSize());
    CodeReader reader(data);
    std::uint32_t count = ActionCoder::kFirstFree;
    int width = 9;
    std::int32_t previous = -1;
    std::uint32_t code = 0;
    while (reader.read(width, code)) {
        if (code == ActionCoder::kEndCode) return out.size() == data.uncompressedSize();
        if (code == ActionCoder::kClearCode) {
            count = ActionCoder::kFirstFree;
            width = 9;
            previous = -1;
            continue;
        }
        if (code > count || (code == count && previous < 0)) return false;
        // The string of the code (or, for the next free code, of the previous
        // string followed by its own first byte), written backwards.
        std::uint32_t walk = code == count ? static_cast<std::uint32_t>(previous) : code;
        int n = 0;
        if (code == count) stack[n++] = first[previous];
        while (walk >= 256) {
            stack[n++] = suffix[walk];
            walk = prefix[walk];
        }
        stack[n++] = static_cast<std::uint8_t>(walk);
        const std::uint8_t head = static_cast<std::uint8_t>(walk);
        if (out.size() + static_cast<std::size_t>(n) > data.uncompressedSize()) return false;
        for (int i = n - 1; i >= 0; --i)
            out.push_back(stack[i]);
        if (previous >= 0 && count < static_cast<std::uint32_t>(kMax)) {
            prefix[count] = static_cast<std::uint16_t>(previous);
            suffix[count] = head;
            first[count] = first[previous];
            ++count;
            if (count < static_cast<std::uint32_t>(kMax) && count == (1u << width)) ++width;
        }
        previous = static_cast<std::int32_t>(code);
    }
    return false;
}

} // namespace kv
