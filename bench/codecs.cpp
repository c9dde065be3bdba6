// Throughput and ratio of both compression methods next to zlib level 6 on
// the same buffers, plus the cost of file streams over raw system reads.
#include "storage/stream/QzInterface.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <unistd.h>
#include <vector>

using namespace kv;
using Bytes = std::vector<std::uint8_t>;

namespace {

// An icon-like picture: a soft background gradient, a few filled shapes
// with anti-aliased rims and a drop shadow; RGB, one byte per channel.
std::vector<std::uint32_t> IconPicture(int size, int scale) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(size) * size);
    const int logical = size / scale;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int lx = x / scale, ly = y / scale; // supersampled: blocks repeat
            int r = 40 + lx * 120 / logical, g = 60 + ly * 100 / logical, b = 160;
            const int dx = lx - logical / 2, dy = ly - logical / 2;
            const int d2 = dx * dx + dy * dy, radius = logical * 3 / 8;
            if (d2 < radius * radius) {
                const int shade = 255 - (d2 * 90) / (radius * radius);
                r = shade, g = shade * 3 / 4, b = 30;
            } else if (d2 < (radius + 2) * (radius + 2)) {
                r = (r + 255) / 2, g = (g + 190) / 2, b = (b + 30) / 2; // rim
            }
            if (lx > logical / 8 && lx < logical / 3 && ly > logical * 5 / 8 &&
                ly < logical * 7 / 8)
                r = 20, g = 120 + (lx + ly) % 7, b = 40;
            px[static_cast<std::size_t>(y) * size + x] =
                static_cast<std::uint32_t>(r << 16 | g << 8 | b);
        }
    return px;
}

// Left-neighbour differences of each channel, laid out plane after plane.
Bytes ResidualPlanes(const std::vector<std::uint32_t>& px, int size) {
    Bytes out(px.size() * 3);
    for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;
        std::uint8_t* plane = out.data() + px.size() * c;
        for (int y = 0; y < size; ++y) {
            int previous = 0;
            for (int x = 0; x < size; ++x) {
                const int value = (px[static_cast<std::size_t>(y) * size + x] >> shift) & 0xFF;
                plane[static_cast<std::size_t>(y) * size + x] =
                    static_cast<std::uint8_t>(value - previous);
                previous = value;
            }
        }
    }
    return out;
}

const Bytes& Buffer(int which) {
    static const Bytes icon = ResidualPlanes(IconPicture(256, 1), 256);
    static const Bytes super = ResidualPlanes(IconPicture(2048, 8), 2048);
    static const Bytes noise = [] {
        Bytes b(1 << 20);
        std::mt19937 rng(1);
        for (auto& v : b)
            v = static_cast<std::uint8_t>(rng());
        return b;
    }();
    return which == 0 ? icon : which == 1 ? super : noise;
}

const char* BufferName(int which) {
    return which == 0 ? "icon256" : which == 1 ? "super2048" : "random1M";
}

Bytes QzCompress(QzMethod method, const Bytes& data) {
    Bytes out;
    QzHandle* h = QzOpenMemoryForWriting(out);
    QzBeginCodec(h, method);
    QzWrite(h, data.data(), data.size(), nullptr);
    QzClose(h);
    return out;
}

// False when fewer bytes came back than expected: the benchmark reports it
// and the run goes on with the other programs.
bool QzDecompress(QzMethod method, const Bytes& packed, Bytes& out) {
    QzHandle* h = QzOpenMemoryForReading(packed.data(), packed.size());
    QzBeginCodec(h, method);
    std::size_t got = 0;
    QzRead(h, out.data(), out.size(), &got);
    QzClose(h);
    return got == out.size();
}

Bytes ZCompress(const Bytes& data) {
    uLongf size = compressBound(data.size());
    Bytes out(size);
    compress2(out.data(), &size, data.data(), data.size(), 6);
    out.resize(size);
    return out;
}

void Report(benchmark::State& state, const Bytes& data, std::size_t packedSize) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
    state.counters["ratio"] = static_cast<double>(packedSize) / static_cast<double>(data.size());
    state.SetLabel(BufferName(static_cast<int>(state.range(0))));
}

void Encode(benchmark::State& state, int method) {
    const Bytes& data = Buffer(static_cast<int>(state.range(0)));
    std::size_t packed = 0;
    for (auto _ : state)
        packed = method == 0 ? ZCompress(data).size()
                             : QzCompress(static_cast<QzMethod>(method), data).size();
    Report(state, data, packed);
}

void Decode(benchmark::State& state, int method) {
    const Bytes& data = Buffer(static_cast<int>(state.range(0)));
    const Bytes packed =
        method == 0 ? ZCompress(data) : QzCompress(static_cast<QzMethod>(method), data);
    Bytes out(data.size());
    for (auto _ : state) {
        if (method == 0) {
            uLongf size = out.size();
            uncompress(out.data(), &size, packed.data(), packed.size());
        } else if (!QzDecompress(static_cast<QzMethod>(method), packed, out)) {
            state.SkipWithError("the stream decoded short");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    if (out != data) state.SkipWithError("round trip failed");
    Report(state, data, packed.size());
}

void BM_Lzw_Encode(benchmark::State& s) {
    Encode(s, static_cast<int>(QzMethod::Lzw));
}
void BM_Lzw_Decode(benchmark::State& s) {
    Decode(s, static_cast<int>(QzMethod::Lzw));
}
void BM_Lzrc_Encode(benchmark::State& s) {
    Encode(s, static_cast<int>(QzMethod::Lzrc));
}
void BM_Lzrc_Decode(benchmark::State& s) {
    Decode(s, static_cast<int>(QzMethod::Lzrc));
}
void BM_Zlib6_Encode(benchmark::State& s) {
    Encode(s, 0);
}
void BM_Zlib6_Decode(benchmark::State& s) {
    Decode(s, 0);
}

BENCHMARK(BM_Lzw_Encode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzw_Decode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzrc_Encode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzrc_Decode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zlib6_Encode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zlib6_Decode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A 64 MB file, read in blocks of range(0) bytes: raw system reads against
// the file reader. The file stays in the page cache between iterations.
const std::string& BigFile() {
    static const std::string path = [] {
        std::string p = "/tmp/korvane-bench-" + std::to_string(::getpid());
        FILE* f = std::fopen(p.c_str(), "wb");
        Bytes block(1 << 20, 0x5A);
        for (int i = 0; i < 64; ++i)
            std::fwrite(block.data(), 1, block.size(), f);
        std::fclose(f);
        std::atexit([] { std::remove(BigFile().c_str()); });
        return p;
    }();
    return path;
}

void BM_File_RawRead(benchmark::State& state) {
    const auto block = static_cast<std::size_t>(state.range(0));
    Bytes buffer(block);
    for (auto _ : state) {
        const int fd = ::open(BigFile().c_str(), O_RDONLY);
        while (::read(fd, buffer.data(), block) > 0) {
        }
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (64 << 20));
}

void BM_File_QzRead(benchmark::State& state) {
    const auto block = static_cast<std::size_t>(state.range(0));
    Bytes buffer(block);
    for (auto _ : state) {
        QzHandle* h = QzOpenForReading(BigFile());
        std::size_t got = block;
        while (got == block)
            QzRead(h, buffer.data(), block, &got);
        QzClose(h);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (64 << 20));
}

BENCHMARK(BM_File_RawRead)->Arg(4096)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_File_QzRead)->Arg(4096)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
