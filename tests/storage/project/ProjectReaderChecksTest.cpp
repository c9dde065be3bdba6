#include "support/StorageTestSupport.h"

#include "editing/history/ActionManager.h"
#include "platform/Exceptions.h"
#include "storage/chunks/FileCompression.h"
#include "storage/pictures/BitmapWriter.h"
#include "storage/project/Predictor.h"
#include "storage/project/ProjectPreview.h"
#include "storage/project/ProjectReader.h"
#include "storage/project/ProjectRecords.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>

namespace kv::test {
namespace {

// A hand-built one-image, one-layer file whose records a test may bend.
struct HandFile {
    file::RootRecord root{0, kProjectSecondVersion, kProjectFormatVersion, 1};
    file::ImageRecord image{file::ImageRecord::kCurrent, 1,        1, 4, 3, kDefaultResolution,
                            kDefaultResolution,          0x200000, 1};
    file::LayerRecord layer{file::LayerRecord::kCurrent,       1, 1, 1, 4, 3, 0, 0, 1,
                            std::bit_cast<std::uint32_t>(0.5f)};
    file::SamplingRecord sampling{0, 0};
    file::BitmapRecord bitmap{0, 4, 3, 0, 0, kBitmapFormat32};
    file::FillRecord fill{0, {0, 0, 4, 3}, 1};
    std::vector<std::uint8_t> fillValue{255};
    file::BitmapDataRecord data{0, {0, 0, 4, 3}, 2, 0, 0, 3, StoredNumber(FileCompression::Lzrc)};
    std::size_t extraDataRecordBytes = 0; // a longer record from a newer writer
    bool writePalette = false;
    file::PaletteRecord palette{0, 0};
    file::PaletteDataRecord paletteData{0, 0, 0, 2, 0};
    std::vector<std::uint8_t> paletteBytes;
    bool writeLayer = true;

    // The layer's pixels with the given alpha.
    static PixelArray Pixels(Color32 alpha) {
        PixelArray pixels(4, 3);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < 4; ++x)
                pixels.set(x, y,
                           MakeColor32(x * 50 + y * y * 9, y * 70 + x * x * 5, 200 - x * y * 9, 0) |
                               alpha);
        return pixels;
    }

    std::vector<std::uint8_t> build() const {
        MemoryChunkFile file;
        ChunkWriter& w = file.writer;
        auto begin = [&w](std::uint32_t tag, const auto& record) {
            w.beginChunk(tag);
            w.writeRecord(&record, sizeof record);
        };
        begin(kTagProject, root);
        begin(kTagImage, image);
        if (writePalette) {
            begin(kTagPalette, palette);
            begin(kTagData, paletteData);
            w.write(paletteBytes.data(), paletteBytes.size());
            w.endChunk();
            w.endChunk();
        }
        if (writeLayer) {
            begin(kTagLayer, layer);
            begin(kTagData, sampling);
            begin(kTagBitmap, bitmap);
            begin(kTagFill, fill);
            w.write(fillValue.data(), fillValue.size());
            w.endChunk();
            w.beginChunk(kTagData);
            std::vector<std::uint8_t> record(sizeof data + extraDataRecordBytes, 0xEE);
            std::memcpy(record.data(), &data, sizeof data);
            w.writeRecord(record.data(), record.size());
            std::vector<std::uint8_t> residuals;
            RgbPlaneBytes(Pixels(0), std::max(0, data.tileWidth), std::max(0, data.tileHeight),
                          std::clamp(data.prediction, 0, 5), residuals);
            const bool compress = data.compression == 1 || data.compression == 2;
            if (compress) w.beginCompression(StoredFileCompression(data.compression));
            w.write(residuals.data(), residuals.size());
            if (compress) w.endCompression();
        }
        return file.finish(); // completes the open chunks
    }
};

class ProjectReaderChecks : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallActionManagers(); }

    std::string failure(const HandFile& file, bool relaxed = false) {
        std::string error;
        if (LoadFromMemory(file.build(), relaxed, &error)) return "loaded";
        return error;
    }
    CapturingReporter reporter;
};

// A locked palette of three entries of which the file sets the last two.
void Palettized(HandFile& f) {
    f.image.targetFormat = 0x40001;
    f.image.flags |= file::ImageRecord::kPaletteLocked;
    f.writePalette = true;
    f.palette.count = 3;
    f.paletteData = file::PaletteDataRecord{0, 1, 2, 3, 0};
    f.paletteBytes = {128, 1, 2, 3, 255, 4, 5, 6};
}

TEST_F(ProjectReaderChecks, HandBuiltFilesLoadWithTheirPixels) {
    // Every prediction method and tiling in each compression, some with data
    // records longer than this version's, as a newer writer may write them,
    // some with a palette.
    const PixelArray expected = HandFile::Pixels(0xFF000000u);
    const std::pair<std::int32_t, std::int32_t> tilings[] = {{0, 0}, {1, 1}, {3, 2}, {64, 4}};
    for (int prediction = 0; prediction < Predictor::kMethodCount; ++prediction)
        for (const auto& [width, height] : tilings)
            for (const int compression : {0, 1, 2}) {
                SCOPED_TRACE(testing::Message()
                             << "method " << prediction << ", tiles " << width << "x" << height
                             << ", compression " << compression);
                HandFile file;
                file.data.prediction = prediction;
                file.data.tileWidth = width;
                file.data.tileHeight = height;
                file.data.compression = compression;
                file.extraDataRecordBytes = prediction % 2 ? 12 : 0;
                if (prediction == 5) Palettized(file); // the palette cases below start from this
                const auto project = LoadFromMemory(file.build(), false);
                ASSERT_TRUE(project);
                const LayerBase* layer = project->firstImage()->currentLayer();
                ASSERT_TRUE(layer);
                EXPECT_EQ(layer->opacity(), 0.5f);
                ExpectSamePixels(expected, layer->pixels(), "layer");
                EXPECT_EQ(project->currentImage(), project->firstImage());
            }
}

std::function<void(const Project&)> Counts(int images, int layers) {
    return [=](const Project& project) {
        EXPECT_EQ(project.imageCount(), images);
        if (images) {
            EXPECT_EQ(project.firstImage()->layerCount(), layers);
        }
    };
}

TEST_F(ProjectReaderChecks, DamagedRecordsFailStrictlyAndSomeLoadRelaxed) {
    struct Case {
        const char* what;
        std::function<void(HandFile&)> bend;
        const char* strict;                          // null: any message
        std::function<void(const Project&)> relaxed; // null: fails relaxed too, alike
    };
    const float inf = std::numeric_limits<float>::infinity(),
                nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"newer version", [](HandFile& f) { f.root.lowestVersion = 0x05040302; },
         "This file should be opened by Korvane version\u00A05.4.3.2\u00A0or later.\n"
         "Try to enable relaxed integrity checks",
         Counts(1, 1)},
        {"resolutions", [=](HandFile& f) { f.image.resolutionX = inf, f.image.resolutionY = nan; },
         "Invalid data",
         [](const Project& p) {
             const Image* image = p.firstImage();
             EXPECT_EQ(std::pair(image->horizontalResolution(), image->verticalResolution()),
                       std::pair(kDefaultResolution, kDefaultResolution));
         }},
        {"opacity", [](HandFile& f) { f.layer.opacityBits = 0x7FC00000u; }, "Invalid data", // NaN
         [](const Project& p) { EXPECT_EQ(p.firstImage()->bottomLayer()->opacity(), 0.0f); }},
        {"image type", [](HandFile& f) { f.image.type = 2; }, "Unknown image type", Counts(0, 0)},
        {"layer kind", [](HandFile& f) { f.layer.kind = 7; }, "Unknown layer type", Counts(1, 0)},
        {"image count", [](HandFile& f) { f.root.imageCount = 3; }, "Project is corrupted",
         Counts(1, 1)},
        {"layer count", [](HandFile& f) { f.image.layerCount = 2; }, "Image is corrupted",
         Counts(1, 1)},
        // Sizes and ranges that would lead the reader outside its buffers.
        {"image width", [](HandFile& f) { f.image.width = 0; }, "Invalid data", nullptr},
        {"layer size", [](HandFile& f) { f.layer.height = 2; }, "Invalid data", nullptr},
        {"bitmap size", [](HandFile& f) { f.bitmap.width = 5; }, "Invalid data", nullptr},
        {"fill area", [](HandFile& f) { f.fill.area.right = 5; }, "Invalid data", nullptr},
        {"fill inverted", [](HandFile& f) { f.fill.area.left = 3, f.fill.area.right = 2; },
         "Invalid data", nullptr},
        {"data area", [](HandFile& f) { f.data.area.top = -1; }, "Invalid data", nullptr},
        {"tile width", [](HandFile& f) { f.data.tileWidth = -3; }, "Invalid data", nullptr},
        {"prediction", [](HandFile& f) { f.data.prediction = 6; }, "Unknown prediction method",
         nullptr},
        {"huge palette", [](HandFile& f) { Palettized(f), f.palette.count = 0x7FFFFFFF; },
         "Invalid data", nullptr},
        {"beyond the palette", [](HandFile& f) { Palettized(f), f.paletteData.first = 2; },
         "Invalid data", nullptr},
        {"negative entry count", [](HandFile& f) { Palettized(f), f.paletteData.count = -1; },
         "Invalid data", nullptr},
        {"missing entry bytes", [](HandFile& f) { Palettized(f), f.paletteBytes.resize(5); },
         nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HandFile file;
        c.bend(file);
        const std::string message = failure(file);
        EXPECT_NE(message, "loaded");
        EXPECT_EQ(message, c.strict ? std::string(c.strict) : message);
        if (c.relaxed) {
            const auto project = LoadFromMemory(file.build(), true);
            ASSERT_TRUE(project);
            c.relaxed(*project);
        } else {
            EXPECT_EQ(failure(file, true), message);
        }
    }
}

TEST_F(ProjectReaderChecks, HugeSizesFailWithoutAllocating) {
    HandFile file;
    file.image.width = file.image.height = 0x7FFFFFFF;
    file.writeLayer = false;
    file.image.layerCount = 0;
    EXPECT_EQ(failure(file), "Insufficient memory");

    // A supersampled layer needs 85 times its pixels.
    ProjectReader reader(false);
    reader.setPixelBudget(4 * 4 * 3 + 4 * 3 * 10);
    HandFile super;
    super.sampling.sampling = 3;
    const auto bytes = super.build();
    try {
        reader.readMemory(bytes.data(), bytes.size());
        ADD_FAILURE() << "loaded beyond the budget";
    } catch (const CKVException& e) {
        EXPECT_EQ(e.message(), "Insufficient memory");
    }
}

// Damaged inputs bred by fuzzing the reader, the well-formed files they grew
// from, and any input that ever breaks the reader: each must load or fail
// with a message, strictly and relaxed, and give the preview reader an answer.
TEST_F(ProjectReaderChecks, EveryCorpusInputEndsInAProjectOrAMessage) {
    const std::filesystem::path folder = KORVANE_PROJECT_CORPUS_DIR;
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        for (const bool relaxed : {false, true}) {
            std::string error;
            if (!LoadFromMemory(bytes, relaxed, &error)) {
                EXPECT_FALSE(error.empty()) << entry.path();
            }
        }
        ProjectPreview preview;
        if (ReadProjectPreviewMemory(bytes.data(), bytes.size(), true, preview) &&
            preview.hasPicture) {
            EXPECT_GT(preview.picture.width(), 0) << entry.path();
        }
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

} // namespace
} // namespace kv::test
