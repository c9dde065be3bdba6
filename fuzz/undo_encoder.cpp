// The undo data coder against the plain statement of its rules: the input
// is a little script of literal bytes and runs of repeated pixels (the
// coder's shortcut for runs is where it departs from the byte-wise rules),
// fed in pieces whose sizes the script also chooses. The output must equal
// the reference bit for bit and decode back to the input.
#include "editing/history/ActionCoder.h"
#include "support/ReferenceUndoLzw.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kMaxInput = 1 << 18;

// Each step: a byte b; b < 128 copies the next b + 1 bytes; otherwise the
// next four bytes are a pixel repeated ((b - 128) * 37 + 1) times.
Bytes Expand(const std::uint8_t* data, std::size_t size) {
    Bytes out;
    std::size_t at = 0;
    while (at < size && out.size() < kMaxInput) {
        const std::uint8_t b = data[at++];
        if (b < 128) {
            const std::size_t n = std::min<std::size_t>(b + 1u, size - at);
            out.insert(out.end(), data + at, data + at + n);
            at += n;
        } else {
            std::uint8_t pixel[4] = {};
            const std::size_t n = std::min<std::size_t>(4, size - at);
            std::memcpy(pixel, data + at, n);
            at += n;
            for (std::size_t r = 0; r < std::size_t(b - 128) * 37 + 1; ++r)
                out.insert(out.end(), pixel, pixel + 4);
        }
    }
    if (out.size() > kMaxInput) out.resize(kMaxInput);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t piece = std::size_t(data[0]) * 97 + 1;
    const Bytes input = Expand(data + 1, size - 1);

    kv::test::ReferenceUndoLzw reference;
    for (std::uint8_t c : input)
        reference.push(c);
    const Bytes expected = reference.finish();

    kv::ActionCoder& coder = kv::ActionCoder::instance();
    coder.reset();
    if (!coder.begin()) __builtin_trap();
    for (std::size_t at = 0; at < input.size(); at += piece)
        coder.feed(input.data() + at, std::min(piece, input.size() - at));
    const std::unique_ptr<kv::ActionData> encoded = coder.finish();
    if (!encoded) __builtin_trap();

    Bytes got;
    for (const kv::ActionData::Block* b = encoded->firstBlock(); b; b = b->next)
        got.insert(got.end(), b->bytes(), b->bytes() + b->size);
    if (got != expected) __builtin_trap();

    Bytes decoded;
    if (!kv::DecodeActionData(*encoded, decoded) || decoded != input) __builtin_trap();
    return 0;
}
