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
    template <bool Difference>
    void encode(const std::uint8_t* values, const std::uint8_t* reference, std::size_t count);

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

    std::uint32_t m_accumulator = 0;
    int m_pendingBits = 0;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_bufferUsed = 0;
};

// Reads an ActionData stream back. Corrupt codes or a stream that ends early
// give false; nothing past the end code is read.
bool DecodeActionData(const ActionData& data, std::vector<std::uint8_t>& out);

} // namespace kv
