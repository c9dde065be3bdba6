#pragma once
// Shared by the raster benchmarks: rates in megapixels per second and a memcpy
// of the same bytes as the yardstick for each operation.
#include "model/PixelArray.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace kv::bench {

inline void ReportMegapixels(benchmark::State& state, double pixelsPerIteration) {
    state.counters["Mpx/s"] =
        benchmark::Counter(pixelsPerIteration * static_cast<double>(state.iterations()) / 1e6,
                           benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(pixelsPerIteration * 4) * state.iterations());
}

// memcpy of `pixels` 32-bit words, reported like the operation it stands beside.
inline void MemcpyPixels(benchmark::State& state, std::int64_t pixels) {
    std::vector<std::uint32_t> from(static_cast<std::size_t>(pixels), 0x80402010u), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    ReportMegapixels(state, static_cast<double>(pixels));
}

// Icon-like content: runs of opaque, transparent and soft pixels, as drawn
// pictures have, rather than a new kind at every pixel.
inline PixelArray IconLike(std::int32_t w, std::int32_t h, std::uint32_t seed) {
    PixelArray a(w, h);
    std::mt19937 rng(seed);
    std::uint32_t kind = 0;
    std::int32_t run = 0;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            if (run-- <= 0) {
                kind = rng() % 8;
                run = static_cast<std::int32_t>(rng() % 24);
            }
            const std::uint32_t color = rng() & 0x00FFFFFFu;
            const std::uint32_t alpha = kind < 4 ? 255 : kind < 6 ? 0 : rng() % 256;
            a.set(x, y, color | alpha << 24);
        }
    return a;
}

// Every pixel random, so every one takes the slowest path.
inline PixelArray Noise(std::int32_t w, std::int32_t h, std::uint32_t seed) {
    PixelArray a(w, h);
    std::mt19937 rng(seed);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            a.set(x, y, static_cast<std::uint32_t>(rng()) | 0x01000000u);
    return a;
}

} // namespace kv::bench
