// Saving and loading a ten-image icon project (3 layers each, one of them a
// 256 x 256 layer supersampled at 8x) at each compression setting. Counters
// give the file size next to the raw pixel bytes and to zlib level 9 of them.
#include "editing/history/ActionManager.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/project/ProjectReader.h"
#include "storage/project/ProjectWriter.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <memory>
#include <vector>

namespace kv::bench {
namespace {

// A drawn-looking picture: a soft-edged disc with a gradient fill on a
// transparent ground, and a band of flat color; `layer` varies the layout.
void PaintIcon(PixelArray& p, int layer, std::uint32_t seed) {
    const double w = p.width(), h = p.height();
    const double cx = w * (0.4 + 0.1 * layer), cy = h * (0.5 - 0.05 * layer),
                 r = std::min(w, h) * 0.35;
    for (std::int32_t y = 0; y < p.height(); ++y)
        for (std::int32_t x = 0; x < p.width(); ++x) {
            Color32 c = 0;
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (layer == 0) {
                c = MakeColor32(40 + seed % 50, static_cast<unsigned>(90 + 100 * y / h), 200, 255);
            } else if (d < r + 1) {
                const double edge = std::clamp(r + 1 - d, 0.0, 1.0);
                c = MakeColor32(
                    static_cast<unsigned>(255 * x / w), static_cast<unsigned>(160 - 100 * y / h),
                    static_cast<unsigned>(seed * 37 % 256), static_cast<unsigned>(255 * edge));
            } else if (layer == 2 && y > h * 0.7 && y < h * 0.8) {
                c = MakeColor32(250, 250, 250, 255);
            }
            p.set(x, y, c);
        }
}

struct IconProject {
    Project project;
    std::vector<std::uint8_t> rawPixels; // every stored bitmap's pixels

    IconProject() {
        InstallActionManagers();
        const std::int32_t sizes[] = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};
        for (const std::int32_t size : sizes) {
            auto image = std::make_unique<Image>();
            image->lockUpdates();
            image->setSize(size, size);
            image->setTargetFormat(TargetFormat::Rgba32);
            for (int l = 0; l < 3; ++l) {
                auto layer = std::make_unique<Layer>();
                layer->setSize(size, size);
                Layer* added = static_cast<Layer*>(image->insertLayer(std::move(layer)));
                if (size == 256 && l == 1) {
                    added->setSupersampled(true);
                    PaintIcon(added->supersampleSet()->detail(), l,
                              static_cast<std::uint32_t>(size));
                    added->refreshFromDetail(nullptr);
                } else {
                    PaintIcon(added->pixels(), l, static_cast<std::uint32_t>(size));
                }
                const PixelArray& stored = added->editablePixels();
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(stored.data());
                rawPixels.insert(rawPixels.end(), bytes,
                                 bytes + std::size_t(stored.width()) * stored.height() * 4);
            }
            image->unlockUpdates();
            project.addImage(std::move(image));
        }
    }
};

IconProject& Sample() {
    static IconProject sample;
    return sample;
}

std::vector<std::uint8_t> Save(const Project& project, int setting) {
    std::vector<std::uint8_t> bytes;
    ChunkWriter writer;
    writer.errors().setThrowOnError(true);
    writer.openMemory(bytes);
    ProjectWriterOptions options;
    options.compression = static_cast<CompressionLevel>(setting);
    ProjectWriter(options).write(writer, project);
    writer.close();
    return bytes;
}

double Zlib9Size(const std::vector<std::uint8_t>& data) {
    static double cached = 0;
    if (cached == 0) {
        uLongf size = compressBound(data.size());
        std::vector<std::uint8_t> out(size);
        compress2(out.data(), &size, data.data(), data.size(), 9);
        cached = static_cast<double>(size);
    }
    return cached;
}

void SizeCounters(benchmark::State& state, std::size_t fileSize) {
    const IconProject& sample = Sample();
    state.counters["file_bytes"] = static_cast<double>(fileSize);
    state.counters["raw_bytes"] = static_cast<double>(sample.rawPixels.size());
    state.counters["zlib9_bytes"] = Zlib9Size(sample.rawPixels);
}

void BM_SaveProject(benchmark::State& state) {
    const int setting = static_cast<int>(state.range(0));
    const Project& project = Sample().project;
    std::size_t size = 0;
    for (auto _ : state) {
        const auto bytes = Save(project, setting);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    SizeCounters(state, size);
}

void BM_LoadProject(benchmark::State& state) {
    const int setting = static_cast<int>(state.range(0));
    const auto bytes = Save(Sample().project, setting);
    for (auto _ : state) {
        auto project = ProjectReader(false).readMemory(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(project.get());
    }
    SizeCounters(state, bytes.size());
}

BENCHMARK(BM_SaveProject)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kv::bench

BENCHMARK_MAIN();
