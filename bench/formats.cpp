// A ten-image icon project (16 to 256 pixels, 32-bit) exported to an ICO file
// through the ICO and CUR plug-in and imported back, beside ImageMagick's
// convert doing the same job on the same pictures in the same run: writing
// the icon from the raw pictures, then decoding every entry of it.
#include "BenchSupport.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/PluginHost.h"
#include "plugins/host/PluginTransfer.h"
#include "plugins/portable/PortableExport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kv::bench {
namespace {

namespace fs = std::filesystem;

const std::int32_t kSizes[] = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};

double TotalPixels() {
    double n = 0;
    for (std::int32_t s : kSizes)
        n += double(s) * s;
    return n;
}

// The pictures, the host with the shipped plug-ins and a scratch folder,
// made once for every benchmark of the run.
struct Fixture {
    Fixture() : folder(fs::temp_directory_path() / ("korvane-bench-" + std::to_string(getpid()))) {
        fs::create_directories(folder);
        host.loadFolder(KORVANE_FORMAT_PLUGIN_DIR "/");
        host.buildTypeLists();
        for (std::size_t i = 0; i < std::size(kSizes); ++i) {
            const std::int32_t s = kSizes[i];
            auto image = std::make_unique<Image>();
            {
                ImageUpdateLock lock(*image);
                image->setSize(s, s);
                image->setTargetFormat(TargetFormat::Rgba32);
                auto layer = std::make_unique<Layer>();
                layer->setSize(s, s);
                const PixelArray pixels = IconLike(s, s, std::uint32_t(i));
                CopyRaster(layer->pixels(), 0, 0, pixels, 0, 0, s, s);
                image->insertLayer(std::move(layer));
            }
            writeRaw(image->composite(), rawPath(i));
            project.addImage(std::move(image));
        }
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::string rawPath(std::size_t i) const {
        return folder / ("p" + std::to_string(i) + ".rgba");
    }
    static void writeRaw(const PixelArray& p, const std::string& path) {
        std::vector<std::uint8_t> raw;
        for (std::size_t i = 0; i < p.pixelCount(); ++i) {
            const Color32 c = p.data()[i];
            raw.insert(raw.end(), {std::uint8_t(RedOf(c)), std::uint8_t(GreenOf(c)),
                                   std::uint8_t(BlueOf(c)), std::uint8_t(AlphaOf(c))});
        }
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(raw.data()), std::streamsize(raw.size()));
    }
    const FileTypeEntry* icoType(bool exportable) const {
        for (const FileTypeEntry& e : exportable ? host.exportableTypes() : host.importableTypes())
            if (e.name == "ICO icon") return &e;
        return nullptr;
    }

    fs::path folder;
    PluginHost host;
    Project project;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

bool ExportIcon(const Fixture& f, const std::string& path) {
    const FileTypeEntry* type = f.icoType(true);
    PortableDocumentPtr document = BuildProjectDocument(f.project);
    return type && document && ExportDocument(*type, path, *document, nullptr);
}

// A file's size in KB, or 0 when a failed step left no file: a benchmark
// that failed says so by its error, and the run goes on.
double FileKilobytes(const std::string& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    return error ? 0.0 : static_cast<double>(size) / 1024;
}

// Whether the ICO plug-in was found; otherwise the benchmark is skipped.
bool HaveIco(benchmark::State& state, const Fixture& f) {
    if (f.icoType(true) && f.icoType(false)) return true;
    state.SkipWithError("no ICO plug-in in " KORVANE_FORMAT_PLUGIN_DIR);
    return false;
}

void BM_ExportIco(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string path = f.folder / "ours.ico";
    if (!HaveIco(state, f)) return;
    for (auto _ : state)
        if (!ExportIcon(f, path)) {
            state.SkipWithError("export failed");
            break;
        }
    state.counters["file KB"] = FileKilobytes(path);
    ReportMegapixels(state, TotalPixels());
}

void BM_ImportIco(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string path = f.folder / "ours.ico";
    if (!HaveIco(state, f)) return;
    if (!ExportIcon(f, path)) {
        state.SkipWithError("export failed");
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<Project> back = ImportFile(*f.icoType(false), path, ImportOptions());
        if (!back || back->imageCount() != 10) {
            state.SkipWithError("import failed");
            break;
        }
        benchmark::DoNotOptimize(back.get());
    }
    ReportMegapixels(state, TotalPixels());
}

void BM_ExportAndImportIco(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string path = f.folder / "ours.ico";
    if (!HaveIco(state, f)) return;
    for (auto _ : state) {
        if (!ExportIcon(f, path)) {
            state.SkipWithError("export failed");
            break;
        }
        std::unique_ptr<Project> back = ImportFile(*f.icoType(false), path, ImportOptions());
        if (!back || back->imageCount() != 10) {
            state.SkipWithError("import failed");
            break;
        }
    }
    ReportMegapixels(state, TotalPixels());
}

// The same two steps by ImageMagick: the raw pictures into an icon, and the
// icon's every entry decoded to raw pixels. Each step is one process, as
// a script would run it.
void BM_ImageMagickExportAndImportIco(benchmark::State& state) {
    Fixture& f = Shared();
    std::string write = "convert";
    for (std::size_t i = 0; i < std::size(kSizes); ++i)
        write += " -size " + std::to_string(kSizes[i]) + "x" + std::to_string(kSizes[i]) +
                 " -depth 8 RGBA:" + f.rawPath(i);
    const std::string icon = f.folder / "magick.ico";
    write += " " + icon + " 2>/dev/null";
    const std::string read = "convert " + icon +
                             " -depth 8 RGBA:" + (f.folder / "magick-%d.rgba").string() +
                             " 2>/dev/null";
    if (std::system("command -v convert >/dev/null 2>&1") != 0) {
        state.SkipWithError("ImageMagick is not installed");
        return;
    }
    for (auto _ : state)
        if (std::system(write.c_str()) != 0 || std::system(read.c_str()) != 0) {
            state.SkipWithError("convert failed");
            break;
        }
    state.counters["file KB"] = FileKilobytes(icon);
    ReportMegapixels(state, TotalPixels());
}

// Wall time throughout: ImageMagick's work happens in child processes.
BENCHMARK(BM_ExportIco)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportIco)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportAndImportIco)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickExportAndImportIco)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace kv::bench

BENCHMARK_MAIN();
