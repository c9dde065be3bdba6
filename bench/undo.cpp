// Undo capture and restore speed: the difference of a whole 256 x 256 layer
// and of a 2048 x 2048 detail level (a 256 x 256 supersampled layer's 8x
// level). Throughput is counted in bytes of input; the compressed size is
// reported as a counter. Target: at least 80 MB/s of capture.
#include "editing/history/ActionCoder.h"
#include "editing/records/RegionRecord.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using kv::PixelArray;

// "Before" is a smooth picture; "after" adds a few brush-like strokes, so
// the difference is mostly zero with dense changed runs, as in real edits.
struct EditPair {
    PixelArray before;
    PixelArray after;
    explicit EditPair(std::int32_t size) : before(size, size), after(size, size) {
        for (std::int32_t y = 0; y < size; ++y)
            for (std::int32_t x = 0; x < size; ++x)
                before.set(x, y, kv::MakeColor32(x & 0xFF, y & 0xFF, (x + y) & 0xFF, 255));
        after.assign(before);
        std::mt19937 rng(17);
        const std::int32_t strokes = 12;
        for (std::int32_t s = 0; s < strokes; ++s) {
            std::int32_t x = static_cast<std::int32_t>(rng() % size);
            std::int32_t y = static_cast<std::int32_t>(rng() % size);
            const kv::Color32 color = rng() | 0xFF000000u;
            for (std::int32_t step = 0; step < size / 2; ++step) {
                after.fillRect({x, y, x + size / 32 + 1, y + size / 32 + 1}, color);
                x = (x + static_cast<std::int32_t>(rng() % 3) - 1 + size) % size;
                y = (y + 1) % size;
            }
        }
    }
    std::int64_t bytes() const { return static_cast<std::int64_t>(before.pixelCount()) * 4; }
};

void Capture(benchmark::State& state) {
    EditPair pair(static_cast<std::int32_t>(state.range(0)));
    std::uint32_t compressed = 0;
    for (auto _ : state) {
        kv::ActionCoder::instance().reset();
        auto record = kv::CaptureRegion(pair.after, nullptr, &pair.before);
        if (!record) {
            state.SkipWithError("capture failed");
            return;
        }
        compressed = record->data->compressedSize();
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(state.iterations() * pair.bytes());
    state.counters["compressed"] = compressed;
    state.counters["ratio%"] = 100.0 * compressed / static_cast<double>(pair.bytes());
}

void Restore(benchmark::State& state) {
    EditPair pair(static_cast<std::int32_t>(state.range(0)));
    kv::ActionCoder::instance().reset();
    auto record = kv::CaptureRegion(pair.after, nullptr, &pair.before);
    if (!record) {
        state.SkipWithError("capture failed");
        return;
    }
    bool forward = true;
    for (auto _ : state) {
        // Alternating redo and undo keeps the target valid between rounds.
        kv::RestoreRegion(record.get(), pair.before,
                          forward ? kv::RestoreMode::Add : kv::RestoreMode::Subtract);
        forward = !forward;
    }
    state.SetBytesProcessed(state.iterations() * pair.bytes());
    state.counters["compressed"] = record->data->compressedSize();
}

void CaptureRandom(benchmark::State& state) {
    // Worst case: nothing repeats, the dictionary fills and resets constantly.
    PixelArray noise(256, 256);
    std::mt19937 rng(3);
    for (std::size_t i = 0; i < noise.pixelCount(); ++i)
        noise.data()[i] = rng();
    for (auto _ : state) {
        kv::ActionCoder::instance().reset();
        auto record = kv::CaptureRegion(noise, nullptr, nullptr);
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(state.iterations() * 256 * 256 * 4);
}

BENCHMARK(Capture)->Arg(256)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(Restore)->Arg(256)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(CaptureRandom)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
