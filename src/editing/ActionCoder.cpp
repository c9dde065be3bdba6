#include "editing/ActionCoder.h"

#include "platform/ErrorReporter.h"

#include <new>

namespace kv {
namespace {
constexpr std::uint32_t kHashStart = 0xFFFFFFFFu;
constexpr std::uint32_t kHashPrime = 16777619u;
constexpr std::uint32_t kSingleByteHash = 0xFEFFFE6Du; // kHashStart * kHashPrime
constexpr std::uint16_t kNoEntry = 0xFFFF;
const char* const kFailureText = "Action data compression failed";

inline std::uint32_t BucketOf(std::uint32_t h) { return (h & 0xFFFu) ^ (h >> 20); }
} // namespace

static_assert(kSingleByteHash == static_cast<std::uint32_t>(kHashStart * kHashPrime));

ActionCoder& ActionCoder::instance() {
    static ActionCoder coder;
    return coder;
}

ActionCoder::ActionCoder() { resetDictionary(); }

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
        if (m_buffer.size() != kBufferSize)
            m_buffer.assign(kBufferSize, 0);
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
    if (m_state != State::Compressing || m_bufferUsed == 0)
        return;
    if (!m_data->appendBlock(m_buffer.data(), static_cast<std::uint32_t>(m_bufferUsed))) {
        fail();
        return;
    }
    m_bufferUsed = 0;
}

void ActionCoder::emit(std::uint32_t code) {
    m_accumulator = (m_accumulator << m_width) | code;
    m_pendingBits += m_width;
    while (m_pendingBits >= 8) {
        m_pendingBits -= 8;
        m_buffer[m_bufferUsed++] = static_cast<std::uint8_t>(m_accumulator >> m_pendingBits);
        if (m_bufferUsed == kBufferSize)
            flush();
    }
}

inline void ActionCoder::encodeByte(std::uint8_t c) {
    if (m_prefix < 0) {
        m_prefix = c;
        m_hash = kSingleByteHash ^ c;
        return;
    }
    const std::uint32_t h = (m_hash * kHashPrime) ^ c;
    const std::uint32_t bucket = BucketOf(h);
    for (std::uint16_t e = m_bucketHead[bucket]; e != kNoEntry; e = m_nextInBucket[e]) {
        if (m_prefixOf[e] == m_prefix) {
            m_prefix = e;
            m_hash = h;
            return;
        }
    }
    emit(static_cast<std::uint32_t>(m_prefix));
    if (m_codeCount < kMaxCodes) {
        const auto code = static_cast<std::uint16_t>(m_codeCount++);
        m_prefixOf[code] = static_cast<std::uint16_t>(m_prefix);
        m_nextInBucket[code] = m_bucketHead[bucket];
        m_bucketHead[bucket] = code;
        if (m_codeCount > (1u << m_width))
            ++m_width;
    } else {
        emit(kClearCode);
        resetDictionary();
    }
    m_prefix = c;
    m_hash = kSingleByteHash ^ c;
}

void ActionCoder::feed(const std::uint8_t* bytes, std::size_t count) {
    if (m_state != State::Compressing)
        return;
    for (std::size_t i = 0; i < count; ++i)
        encodeByte(bytes[i]);
    m_fed += static_cast<std::uint32_t>(count);
}

void ActionCoder::feedDifference(const std::uint8_t* values, const std::uint8_t* reference,
                                 std::size_t count) {
    if (m_state != State::Compressing)
        return;
    for (std::size_t i = 0; i < count; ++i)
        encodeByte(static_cast<std::uint8_t>(values[i] - reference[i]));
    m_fed += static_cast<std::uint32_t>(count);
}

std::unique_ptr<ActionData> ActionCoder::finish() {
    if (m_state != State::Compressing) {
        if (m_state != State::Failed)
            ReportError(kFailureText);
        return nullptr;
    }
    if (m_prefix >= 0) {
        emit(static_cast<std::uint32_t>(m_prefix));
        if (m_codeCount < kMaxCodes && m_codeCount == (1u << m_width))
            ++m_width;
    }
    emit(kEndCode);
    if (m_pendingBits > 0 && m_state == State::Compressing) {
        m_buffer[m_bufferUsed++] =
            static_cast<std::uint8_t>(m_accumulator << (8 - m_pendingBits));
        m_pendingBits = 0;
        if (m_bufferUsed == kBufferSize)
            flush();
    }
    flush();
    if (m_state != State::Compressing)
        return nullptr; // a failed flush has already told the user
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
            if (!m_block)
                return false;
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
        if (code == ActionCoder::kEndCode)
            return out.size() == data.uncompressedSize();
        if (code == ActionCoder::kClearCode) {
            count = ActionCoder::kFirstFree;
            width = 9;
            previous = -1;
            continue;
        }
        if (code > count || (code == count && previous < 0))
            return false;
        // The string of the code (or, for the next free code, of the previous
        // string followed by its own first byte), written backwards.
        std::uint32_t walk = code == count ? static_cast<std::uint32_t>(previous) : code;
        int n = 0;
        if (code == count)
            stack[n++] = first[previous];
        while (walk >= 256) {
            stack[n++] = suffix[walk];
            walk = prefix[walk];
        }
        stack[n++] = static_cast<std::uint8_t>(walk);
        const std::uint8_t head = static_cast<std::uint8_t>(walk);
        if (out.size() + static_cast<std::size_t>(n) > data.uncompressedSize())
            return false;
        for (int i = n - 1; i >= 0; --i)
            out.push_back(stack[i]);
        if (previous >= 0 && count < static_cast<std::uint32_t>(kMax)) {
            prefix[count] = static_cast<std::uint16_t>(previous);
            suffix[count] = head;
            first[count] = first[previous];
            ++count;
            if (count < static_cast<std::uint32_t>(kMax) && count == (1u << width))
                ++width;
        }
        previous = static_cast<std::int32_t>(code);
    }
    return false;
}

} // namespace kv
