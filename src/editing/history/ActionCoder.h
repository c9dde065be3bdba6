#pragma once
#include "editing/history/ActionData.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

// The process-wide LZW coder for undo data: codes 0-255 are bytes, 256
// clears the dictionary, 257 ends the data, codes grow from 9 to 12 bits and
// are packed most significant bit first into 65536-byte output blocks.
class ActionCoder {
  public:
    enum class State { Idle, Compressing, Finished, Failed };
    static constexpr int kMaxCodes = 4096;
    static constexpr std::uint32_t kClearCode = 256;
    static constexpr std::uint32_t kEndCode = 257;
    static constexpr std::uint32_t kFirstFree = 258;
    static constexpr std::size_t kBufferSize = 65536;

    static ActionCoder& instance();

    State state() const { return m_state; }
    // Back to idle, also out of the failed state; drops an unfinished stream.
    void reset();
    // Starts a new stream; false (and the user told) when the coder is busy,
    // failed, or out of memory.
    bool begin();
    void feed(const std::uint8_t* bytes, std::size_t count);
    // Feeds (value - reference) modulo 256 for each byte.
    void feedDifference(const std::uint8_t* values, const std::uint8_t* reference,
                        std::size_t count);
    // Completes the stream and hands it over; null (and the user told) on failure.
    std::unique_ptr<ActionData> finish();

  private:
    ActionCoder();
    void resetDictionary();
    void emit(std::uint32_t code);
    void flush();
    void fail();
    void encode(const std::uint8_t* bytes, std::size_t count);
    std::size_t encodeBytewise(const std::uint8_t* bytes, std::size_t count);
    std::size_t encodeRepeats(const std::uint8_t* bytes, std::size_t count);
    void addCode(std::uint32_t prefix, std::uint8_t c, std::uint32_t bucket);
    std::size_t repeatLength(const std::uint8_t* bytes, std::size_t count) const;
    void probePath(int phase);
    [[gnu::noinline]] void enterRepeats(const std::uint8_t* at);
    void forgetPaths();

    State m_state = State::Idle;
    std::unique_ptr<ActionData> m_data;
    std::uint32_t m_fed = 0;

    std::uint32_t m_codeCount = kFirstFree;
    int m_width = 9;
    std::int32_t m_prefix = -1; // -1: no current string
    std::uint32_t m_hash = 0;
    std::array<std::uint16_t, kMaxCodes> m_bucketHead{};
    std::array<std::uint16_t, kMaxCodes> m_nextInBucket{};
    std::array<std::uint16_t, kMaxCodes> m_prefixOf{};

    // Long stretches of one repeated 4-byte pixel (zeros, or a flat area's
    // difference) are coded a whole string at a time. The dictionary holds,
    // for each of the four phases of the pixel, a chain of strings of the
    // repeated pixel one byte longer each: m_paths[phase] lists their codes
    // (and string hashes) from length 1 up to the longest one present. The
    // greedy coder, entering such a chain, always walks to its end, so
    // knowing the end is enough to skip the byte-by-byte lookups. Every new
    // code that extends a chain's end is appended; a dictionary reset or a
    // different pixel forgets them.
    struct PathStep {
        std::uint16_t code;
        std::uint32_t hash;
    };
    std::array<std::uint8_t, 4> m_pixel{}; // the repeated bytes, by position modulo 4
    std::array<std::vector<PathStep>, 4> m_paths;
    bool m_onPath = false; // the current string is m_paths[m_phase][m_depth - 1]
    int m_phase = 0;
    std::uint32_t m_depth = 0;

    std::vector<std::uint8_t> m_differences;
    void prefetchNextRow(const std::uint8_t* values, const std::uint8_t* reference,
                         std::size_t count);
    std::uintptr_t m_lastRow = 0;
    std::uintptr_t m_lastStride = 0;

    std::uint32_t m_accumulator = 0;
    int m_pendingBits = 0;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_bufferUsed = 0;
};

// Reads an ActionData stream back. Corrupt codes or a stream that ends early
// give false; nothing past the end code is read.
bool DecodeActionData(const ActionData& data, std::vector<std::uint8_t>& out);

} // namespace kv
