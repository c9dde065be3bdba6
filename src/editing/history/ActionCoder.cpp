#include "editing/history/ActionCoder.h"

#include "platform/ErrorReporter.h"

#include <algorithm>
#include <bit>
#include <cstring>
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
        if (m_differences.empty()) m_differences.assign(4096, 0);
        for (auto& path : m_paths)
            path.reserve(kMaxCodes);
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
    forgetPaths();
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

namespace {
static_assert(std::endian::native == std::endian::little, "repeatLength reads words");

// Whether the 16 bytes from p repeat with a period of 4: worth trying the
// chains of a repeated pixel.
inline bool RepeatsAhead(const std::uint8_t* p) {
    std::uint64_t a, b;
    std::memcpy(&a, p, 8);
    if (static_cast<std::uint32_t>(a) != static_cast<std::uint32_t>(a >> 32)) return false;
    std::memcpy(&b, p + 8, 8);
    return a == b;
}

} // namespace

void ActionCoder::forgetPaths() {
    for (auto& path : m_paths)
        path.clear();
    m_onPath = false;
}

// A new code for the string of `prefix` followed by c. When that string
// continues a chain of the repeated pixel from its end, the chain grows.
void ActionCoder::addCode(std::uint32_t prefix, std::uint8_t c, std::uint32_t hash) {
    const auto code = static_cast<std::uint16_t>(m_codeCount++);
    const std::uint32_t bucket = BucketOf(hash);
    m_prefixOf[code] = static_cast<std::uint16_t>(prefix);
    m_nextInBucket[code] = m_bucketHead[bucket];
    m_bucketHead[bucket] = code;
    if (m_codeCount > (1u << m_width)) ++m_width;
    for (int phase = 0; phase < 4; ++phase) {
        auto& path = m_paths[phase];
        if (!path.empty() && path.back().code == prefix &&
            c == m_pixel[(static_cast<std::size_t>(phase) + path.size()) & 3])
            path.push_back({code, hash});
    }
}

// How many of the count bytes from `bytes` continue the repeated pixel.
std::size_t ActionCoder::repeatLength(const std::uint8_t* bytes, std::size_t count) const {
    const unsigned at = m_fed & 3;
    std::uint64_t pattern = 0;
    for (unsigned j = 0; j < 8; ++j)
        pattern |= static_cast<std::uint64_t>(m_pixel[(at + j) & 3]) << (8 * j);
    std::size_t k = 0;
    for (; k + 8 <= count; k += 8) {
        std::uint64_t v;
        std::memcpy(&v, bytes + k, 8);
        if (const std::uint64_t diff = v ^ pattern)
            return k + static_cast<std::size_t>(std::countr_zero(diff) / 8);
    }
    while (k < count && bytes[k] == m_pixel[(at + k) & 3])
        ++k;
    return k;
}

// Finds the chain of a phase in the dictionary by walking it from the
// single byte, as the greedy coder would.
void ActionCoder::probePath(int phase) {
    auto& path = m_paths[phase];
    path.clear();
    std::uint32_t code = m_pixel[phase];
    std::uint32_t hash = kSingleByteHash ^ code;
    path.push_back({static_cast<std::uint16_t>(code), hash});
    while (path.size() < kMaxCodes) {
        const std::uint8_t c = m_pixel[(static_cast<std::size_t>(phase) + path.size()) & 3];
        const std::uint32_t h = (hash * kHashPrime) ^ c;
        std::uint16_t e = m_bucketHead[BucketOf(h)];
        while (e != kNoEntry && m_prefixOf[e] != code)
            e = m_nextInBucket[e];
        if (e == kNoEntry) break;
        code = e;
        hash = h;
        path.push_back({e, h});
    }
}

// Inside a stretch of the repeated pixel: the current string is on a chain;
// the coder would extend it to the chain's end, emit that, add the string
// one byte longer and start again with the next byte. Returns the bytes
// used; leaves the chains where the pixel stops repeating.
std::size_t ActionCoder::encodeRepeats(const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    while (m_state == State::Compressing) {
        auto& path = m_paths[m_phase];
        if (path.empty()) probePath(m_phase);
        const std::size_t length = path.size();
        const std::size_t need = length - m_depth + 1;
        const std::size_t run = repeatLength(bytes + i, std::min(need, count - i));
        if (run < need) {
            // The string ends inside the chain: here, or in the next call.
            i += run;
            m_fed += static_cast<std::uint32_t>(run);
            m_depth += static_cast<std::uint32_t>(run);
            m_prefix = path[m_depth - 1].code;
            m_hash = path[m_depth - 1].hash;
            if (i < count) m_onPath = false;
            return i;
        }
        const PathStep end = path.back();
        i += need;
        m_fed += static_cast<std::uint32_t>(need);
        const std::uint8_t c = bytes[i - 1];
        emit(end.code);
        if (m_state != State::Compressing) return i;
        if (m_codeCount < static_cast<std::uint32_t>(kMaxCodes)) {
            addCode(end.code, c, (end.hash * kHashPrime) ^ c);
        } else {
            emit(kClearCode);
            resetDictionary();
        }
        m_phase = static_cast<int>((m_fed - 1) & 3);
        m_depth = 1;
        m_prefix = c;
        m_hash = kSingleByteHash ^ c;
        m_onPath = true;
        if (i == count) return i;
    }
    return i;
}

// The string just started with the first of the four bytes at `at`, which
// repeat for a while: on to the chains of that pixel.
void ActionCoder::enterRepeats(const std::uint8_t* at) {
    const std::uint32_t position = m_fed - 1;
    std::array<std::uint8_t, 4> pixel;
    for (unsigned j = 0; j < 4; ++j)
        pixel[(position + j) & 3] = at[j];
    if (pixel != m_pixel) {
        forgetPaths();
        m_pixel = pixel;
    }
    m_onPath = true;
    m_phase = static_cast<int>(position & 3);
    m_depth = 1;
}

// The general loop keeps the coder's state in locals: the output buffer is
// written through byte pointers, which would otherwise force the compiler to
// reload every member after each write. It hands over to the chains of a
// repeated pixel when a new string starts a stretch of one.
std::size_t ActionCoder::encodeBytewise(const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    if (m_prefix < 0) {
        m_prefix = bytes[0];
        m_hash = kSingleByteHash ^ bytes[0];
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
    const bool anyPath =
        !m_paths[0].empty() || !m_paths[1].empty() || !m_paths[2].empty() || !m_paths[3].empty();

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
    auto save = [&] {
        m_prefix = static_cast<std::int32_t>(prefix);
        m_hash = hash;
        m_codeCount = codeCount;
        m_width = width;
        m_accumulator = acc;
        m_pendingBits = bits;
        m_bufferUsed = used;
        m_fed += static_cast<std::uint32_t>(i);
    };

    for (; i < count; ++i) {
        const std::uint8_t c = bytes[i];
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
        if (m_state != State::Compressing) {
            save();
            return count; // a block could not be allocated; the stream is gone
        }
        if (codeCount < static_cast<std::uint32_t>(kMaxCodes)) {
            if (anyPath) [[unlikely]] {
                // Rare enough that the general step may go through the members.
                m_codeCount = codeCount;
                m_width = width;
                addCode(prefix, c, h);
                codeCount = m_codeCount;
                width = m_width;
            } else {
                const auto code = static_cast<std::uint16_t>(codeCount++);
                prefixes[code] = static_cast<std::uint16_t>(prefix);
                chain[code] = heads[bucket];
                heads[bucket] = code;
                if (codeCount > (1u << width)) ++width;
            }
        } else {
            put(kClearCode);
            if (m_state != State::Compressing) {
                save();
                return count;
            }
            m_codeCount = codeCount;
            resetDictionary();
            codeCount = m_codeCount;
            width = m_width;
        }
        prefix = c;
        hash = kSingleByteHash ^ c;
        if (count - i >= 16 && RepeatsAhead(bytes + i)) [[unlikely]] {
            ++i;
            save();
            enterRepeats(bytes + i - 1);
            return i;
        }
    }
    save();
    return count;
}

void ActionCoder::encode(const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    while (i < count && m_state == State::Compressing)
        i += m_onPath ? encodeRepeats(bytes + i, count - i) : encodeBytewise(bytes + i, count - i);
}

void ActionCoder::feed(const std::uint8_t* bytes, std::size_t count) {
    prefetchNextRow(bytes, nullptr, count);
    encode(bytes, count);
}

// Captures walk a region tile by tile: row segments of one tile, a whole
// raster row apart, each on a page of its own that the processor does not
// see coming. When this call lies at the same distance from the previous
// one as that one from its predecessor, the segment the same distance on is
// fetched ahead. (Only a hint: a wrong guess costs a little bandwidth.)
void ActionCoder::prefetchNextRow(const std::uint8_t* values, const std::uint8_t* reference,
                                  std::size_t count) {
    const auto at = reinterpret_cast<std::uintptr_t>(values);
    const std::uintptr_t stride = at - m_lastRow;
    m_lastRow = at;
    if (stride != m_lastStride) {
        m_lastStride = stride;
        return;
    }
    const std::uintptr_t referenceAt = reinterpret_cast<std::uintptr_t>(reference);
    for (std::size_t k = 0; k < count; k += 64) {
        __builtin_prefetch(reinterpret_cast<const void*>(at + 2 * stride + k));
        if (reference)
            __builtin_prefetch(reinterpret_cast<const void*>(referenceAt + 2 * stride + k));
    }
}

// The differences go through a small buffer, so that the chains of a
// repeated pixel can look ahead in them.
void ActionCoder::feedDifference(const std::uint8_t* values, const std::uint8_t* reference,
                                 std::size_t count) {
    prefetchNextRow(values, reference, count);
    constexpr std::size_t kPiece = 4096;
    std::uint8_t* const out = m_differences.data();
    for (std::size_t at = 0; at < count && m_state == State::Compressing; at += kPiece) {
        const std::size_t n = std::min(kPiece, count - at);
        std::size_t k = 0;
        // Eight bytes at a time, each subtracted modulo 256 on its own: the
        // top bits are set aside so that no borrow crosses into the next byte.
        constexpr std::uint64_t kHigh = 0x8080808080808080u;
        for (; k + 8 <= n; k += 8) {
            std::uint64_t a, b;
            std::memcpy(&a, values + at + k, 8);
            std::memcpy(&b, reference + at + k, 8);
            const std::uint64_t d = ((a | kHigh) - (b & ~kHigh)) ^ ((a ^ ~b) & kHigh);
            std::memcpy(out + k, &d, 8);
        }
        for (; k < n; ++k)
            out[k] = static_cast<std::uint8_t>(values[at + k] - reference[at + k]);
        encode(out, n);
    }
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
