#include "StreamTestSupport.h"

#include "storage/QzHandle.h"
#include "storage/QzInterface.h"
#include "storage/QzStream.h"

#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

namespace kv::test {

Bytes Compress(int method, const Bytes& data) {
    Bytes out;
    QzHandle* h = QzOpenMemoryForWriting(out);
    EXPECT_EQ(QzBeginCodec(h, method), QzError::None);
    std::size_t transferred = 0;
    EXPECT_EQ(QzWrite(h, data.data(), data.size(), &transferred), QzError::None);
    EXPECT_EQ(transferred, data.size());
    EXPECT_EQ(QzEndCodec(h), QzError::None);
    EXPECT_EQ(QzClose(h), QzError::None);
    return out;
}

Decoded Decompress(int method, const Bytes& compressed, std::size_t limit, std::size_t piece) {
    Decoded result;
    QzHandle* h = QzOpenMemoryForReading(compressed.data(), compressed.size());
    result.beginError = QzBeginCodec(h, method);
    Bytes buffer(piece);
    while (result.bytes.size() < limit) {
        std::size_t got = 0;
        result.readError = QzRead(h, buffer.data(), piece, &got);
        result.bytes.insert(result.bytes.end(), buffer.begin(), buffer.begin() + got);
        if (got < piece) break;
    }
    result.atEnd = QzAtEnd(h);
    result.consumed = h->top()->lower() ? h->top()->lower()->tell() : 0;
    QzClose(h);
    return result;
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out(size);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(rng());
    return out;
}

Bytes ResidualLike(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::geometric_distribution<int> magnitude(0.55);
    Bytes out(size);
    for (auto& b : out) {
        const int m = std::min(magnitude(rng), 127);
        b = static_cast<std::uint8_t>((rng() & 1) ? m : -m);
    }
    return out;
}

Bytes PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndWidths) {
    Bytes out;
    std::uint64_t bits = 0;
    unsigned count = 0;
    for (const auto& [code, width] : codesAndWidths) {
        bits = bits << width | code;
        count += width;
        while (count >= 8) {
            count -= 8;
            out.push_back(static_cast<std::uint8_t>(bits >> count));
        }
    }
    if (count > 0) out.push_back(static_cast<std::uint8_t>(bits << (8 - count)));
    return out;
}

TempDir::TempDir() {
    m_path =
        std::filesystem::temp_directory_path() / ("korvane-test-" + std::to_string(::getpid()) +
                                                  "-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace kv::test
