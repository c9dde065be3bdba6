// The undo data coder against the plain statement of its rules
// (support/ReferenceUndoLzw.h): the same bytes, bit for bit, over inputs
// that take each of its paths (long runs, repeated pixels, noise that fills
// the dictionary again and again, streams of many blocks), fed whole, in
// pieces and as differences, and decoded back.
#include "editing/history/ActionCoder.h"
#include "support/ReferenceUndoLzw.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Flatten(const ActionData& data) {
    Bytes out;
    for (const ActionData::Block* b = data.firstBlock(); b; b = b->next)
        out.insert(out.end(), b->bytes(), b->bytes() + b->size);
    return out;
}

Bytes ReferenceOf(const Bytes& input) {
    test::ReferenceUndoLzw reference;
    for (std::uint8_t c : input)
        reference.push(c);
    return reference.finish();
}

// Fed in pieces of the given sizes (repeated to the end), so that the
// coder's state has to survive every kind of cut.
std::unique_ptr<ActionData> EncodeInPieces(const Bytes& input,
                                           const std::vector<std::size_t>& pieces) {
    ActionCoder& coder = ActionCoder::instance();
    coder.reset();
    if (!coder.begin()) return nullptr;
    std::size_t at = 0;
    for (std::size_t i = 0; at < input.size(); ++i) {
        const std::size_t n = std::min(pieces[i % pieces.size()], input.size() - at);
        coder.feed(input.data() + at, n);
        at += n;
    }
    return coder.finish();
}

void ExpectSameAsReference(const Bytes& input, const std::vector<std::size_t>& pieces) {
    const Bytes expected = ReferenceOf(input);
    auto data = EncodeInPieces(input, pieces);
    ASSERT_TRUE(data);
    const Bytes got = Flatten(*data);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], expected[i]) << "first difference at output byte " << i;
    for (const ActionData::Block* b = data->firstBlock(); b; b = b->next)
        EXPECT_TRUE(!b->next || b->size == ActionCoder::kBufferSize) << "a short inner block";
    Bytes decoded;
    ASSERT_TRUE(DecodeActionData(*data, decoded));
    EXPECT_TRUE(decoded == input) << "the stream does not decode back";
}

Bytes Noise(std::size_t n, unsigned seed, unsigned alphabet) {
    std::mt19937 rng(seed);
    Bytes v(n);
    for (auto& b : v)
        b = static_cast<std::uint8_t>(rng() % alphabet);
    return v;
}

// Runs of one value, or of one repeated 4-byte pixel, of random lengths
// (some far longer than any string the dictionary can hold), as the
// difference of a filled or painted region gives.
Bytes Runs(std::size_t n, unsigned seed, std::size_t longest, bool pixels, bool zerosOnly) {
    std::mt19937 rng(seed);
    Bytes v;
    v.reserve(n);
    while (v.size() < n) {
        const std::size_t run = 1 + rng() % longest;
        // Pixels whose bytes repeat with a shorter period, or share a first
        // byte at two positions, besides zero and random ones.
        const std::uint32_t kinds[] = {0, 0x80808080u, 0x12341234u, 0x11221133u,
                                       static_cast<std::uint32_t>(rng())};
        const std::uint32_t pixel = zerosOnly ? 0 : kinds[rng() % 5];
        for (std::size_t i = 0; i < run && v.size() < n; ++i)
            v.push_back(static_cast<std::uint8_t>(pixels ? pixel >> (8 * (i % 4)) : pixel));
        if (zerosOnly && v.size() < n) v.push_back(static_cast<std::uint8_t>(1 + rng() % 255));
    }
    return v;
}

TEST(ActionCoderReference, SameStreamAsTheRulesForEveryKindOfInput) {
    struct Case {
        std::string name;
        Bytes input;
    };
    const Bytes pixelRun = Runs(3000000, 5, 4000000, true, false); // one pixel, repeated
    const Case cases[] = {
        {"nothing", {}},
        {"one byte", {0}},
        {"zeros", Bytes(3000000, 0)},
        {"one repeated pixel", pixelRun},
        {"short runs of bytes", Runs(400000, 1, 40, false, false)},
        {"long runs of zeros between single bytes", Runs(2000000, 2, 30000, false, true)},
        {"runs of pixels", Runs(1500000, 3, 9000, true, false)},
        {"noise, full alphabet, many blocks", Noise(1200000, 4, 256)},
        {"noise of four values", Noise(600000, 6, 4)},
    };
    const std::vector<std::size_t> whole{SIZE_MAX};
    const std::vector<std::size_t> cuts{1, 4093, 3, 65536, 17, 256 * 1024, 2};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSameAsReference(c.input, whole);
        ExpectSameAsReference(c.input, cuts);
    }
}

// Inputs that end just before, at and just after the byte that fills the
// dictionary, and just after the following clear code, where the finishing
// width rule and the reset meet.
TEST(ActionCoderReference, InputsEndingAroundTheDictionaryReset) {
    for (unsigned alphabet : {256u, 16u, 2u}) {
        SCOPED_TRACE(alphabet);
        const Bytes noise = Noise(400000, alphabet, alphabet);
        test::ReferenceUndoLzw reference;
        std::size_t full = 0, cleared = 0;
        for (std::size_t i = 0; i < noise.size() && !cleared; ++i) {
            reference.push(noise[i]);
            if (!full && reference.codeCount() == 4096) full = i + 1;
            if (full && reference.codeCount() == 258) cleared = i + 1;
        }
        ASSERT_TRUE(full && cleared) << "the input never filled the dictionary";
        for (std::size_t end : {full - 1, full, full + 1, cleared - 1, cleared, cleared + 1}) {
            SCOPED_TRACE(end);
            ExpectSameAsReference(Bytes(noise.begin(), noise.begin() + static_cast<long>(end)),
                                  {SIZE_MAX});
        }
    }
}

// The difference path must code exactly what the plain path codes for the
// bytes (value - reference) modulo 256.
TEST(ActionCoderReference, DifferencesCodeLikeTheirBytes) {
    const Bytes before = Noise(700000, 9, 256);
    Bytes after = before;
    std::mt19937 rng(10);
    for (std::size_t i = 0; i < after.size(); i += 1 + rng() % 20000)
        for (std::size_t j = i; j < std::min(after.size(), i + rng() % 9000); ++j)
            after[j] = static_cast<std::uint8_t>(after[j] + (j % 4 == 3 ? 0 : 40 + j % 4));
    Bytes diff(after.size());
    for (std::size_t i = 0; i < diff.size(); ++i)
        diff[i] = static_cast<std::uint8_t>(after[i] - before[i]);
    ActionCoder& coder = ActionCoder::instance();
    coder.reset();
    ASSERT_TRUE(coder.begin());
    for (std::size_t at = 0, n = 1; at < after.size(); at += n, n = n * 3 % 70001 + 1) {
        n = std::min(n, after.size() - at);
        coder.feedDifference(after.data() + at, before.data() + at, n);
    }
    auto data = coder.finish();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->uncompressedSize(), diff.size());
    EXPECT_TRUE(Flatten(*data) == ReferenceOf(diff));
}

} // namespace
} // namespace kv
