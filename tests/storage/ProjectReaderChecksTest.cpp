#include "ProjectTestSupport.h"

#include "editing/ActionManager.h"
#include "storage/FileCompression.h"
#include "storage/ProjectRecords.h"
#include "storage/ProjectReader.h"
#include "storage/Predictor.h"
#include "platform/Exceptions.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <bit>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace kv::test {
namespace {

// A hand-built one-image, one-layer file whose records a test may bend.
struct HandFile {
    RootRecord root{0, kProjectSecondVersion, kProjectFormatVersion, 1};
    ImageRecord image{ImageRecord::kCurrent, 1, 1, 4, 3, kDefaultResolution, kDefaultResolution,
                      0x200000, 1};
    LayerRecord layer{LayerRecord::kCurrent, 1, 1, 1, 4, 3, 0, 0, 1, std::bit_cast<std::uint32_t>(0.5f)};
    SamplingRecord sampling{0, 0};
    BitmapRecord bitmap{0, 4, 3, 0, 0, kBitmapFormat32};
    FillRecord fill{0, {0, 0, 4, 3}, 1};
    std::vector<std::uint8_t> fillValue{255};
    BitmapDataRecord data{0, {0, 0, 4, 3}, 2, 0, 0, 3, kFileCompressionLzrc};
    std::size_t extraDataRecordBytes = 0; // a longer record from a newer writer
    bool writePalette = false;
    PaletteRecord palette{0, 0};
    PaletteDataRecord paletteData{0, 0, 0, 2, 0};
    std::vector<std::uint8_t> paletteBytes;
    bool writeLayer = true;

    // The RGB of pixel (x, y).
    static Color32 Rgb(std::int32_t x, std::int32_t y) {
        return MakeColor32(static_cast<unsigned>(x * 50 + y), static_cast<unsigned>(y * 70), 200u - x * 9, 0);
    }

    std::vector<std::uint8_t> build() const {
        MemoryChunkFile file;
        ChunkWriter& w = file.writer;
        w.beginChunk(kTagProject);
        w.writeRecord(&root, sizeof root);
        w.beginChunk(kTagImage);
        w.writeRecord(&image, sizeof image);
        if (writePalette) {
            w.beginChunk(kTagPalette);
            w.writeRecord(&palette, sizeof palette);
            w.beginChunk(kTagData);
            w.writeRecord(&paletteData, sizeof paletteData);
            w.write(paletteBytes.data(), paletteBytes.size());
            w.endChunk();
            w.endChunk();
        }
        if (writeLayer) {
            w.beginChunk(kTagLayer);
            w.writeRecord(&layer, sizeof layer);
            w.beginChunk(kTagData);
            w.writeRecord(&sampling, sizeof sampling);
            w.beginChunk(kTagBitmap);
            w.writeRecord(&bitmap, sizeof bitmap);
            w.beginChunk(kTagFill);
            w.writeRecord(&fill, sizeof fill);
            w.write(fillValue.data(), fillValue.size());
            w.endChunk();
            w.beginChunk(kTagData);
            std::vector<std::uint8_t> record(sizeof data + extraDataRecordBytes, 0xEE);
            std::memcpy(record.data(), &data, sizeof data);
            w.writeRecord(record.data(), record.size());
            PixelArray pixels(4, 3);
            for (std::int32_t y = 0; y < 3; ++y)
                for (std::int32_t x = 0; x < 4; ++x) pixels.set(x, y, Rgb(x, y));
            std::vector<std::uint8_t> residuals(4 * 3 * 3);
            const Predictor predictor(std::clamp(data.prediction, 0, 5));
            for (std::int32_t y = 0; y < 3; ++y) predictor.encodeRow(pixels, y, 0, 4, &residuals[y * 12]);
            const bool compress = data.compression == 1 || data.compression == 2;
            if (compress) w.beginCompression(data.compression);
            w.write(residuals.data(), residuals.size());
            if (compress) w.endCompression();
            w.endChunk();
            w.endChunk();
            w.endChunk();
            w.endChunk();
        }
        w.endChunk();
        w.endChunk();
        return file.finish();
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

TEST_F(ProjectReaderChecks, HandBuiltFileLoadsWithItsPixels) {
    HandFile file;
    const auto project = LoadFromMemory(file.build(), false);
    ASSERT_TRUE(project);
    const LayerBase* layer = project->firstImage()->currentLayer();
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->opacity(), 0.5f);
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 4; ++x) EXPECT_EQ(layer->pixels().get(x, y), HandFile::Rgb(x, y) | 0xFF000000u);
    EXPECT_EQ(project->currentImage(), project->firstImage());
}

TEST_F(ProjectReaderChecks, LongerDataRecordsFromNewerWritersAreSkipped) {
    for (const int compression : {0, 1, 2}) {
        HandFile file;
        file.extraDataRecordBytes = 12;
        file.data.compression = compression;
        const auto project = LoadFromMemory(file.build(), false);
        ASSERT_TRUE(project) << compression;
        EXPECT_EQ(project->firstImage()->bottomLayer()->pixels().get(3, 2), HandFile::Rgb(3, 2) | 0xFF000000u);
    }
}

TEST_F(ProjectReaderChecks, NewerVersionFailsOnlyInStrictMode) {
    HandFile file;
    file.root.lowestVersion = 0x05040302;
    EXPECT_EQ(failure(file),
              "This file should be opened by Korvane version\u00A05.4.3.2\u00A0or later.\n"
              "Try to enable relaxed integrity checks");
    EXPECT_EQ(failure(file, true), "loaded");
    file.root.lowestVersion = 0x0A000000;
    EXPECT_NE(failure(file).find("version\u00A010.0\u00A0or later."), std::string::npos);
}

TEST_F(ProjectReaderChecks, NonFiniteNumbersAreReplacedOnlyInRelaxedMode) {
    HandFile file;
    file.image.resolutionY = std::numeric_limits<float>::quiet_NaN();
    file.image.resolutionX = std::numeric_limits<float>::infinity();
    EXPECT_EQ(failure(file), "Invalid data");
    auto project = LoadFromMemory(file.build(), true);
    ASSERT_TRUE(project);
    EXPECT_EQ(project->firstImage()->horizontalResolution(), kDefaultResolution);
    EXPECT_EQ(project->firstImage()->verticalResolution(), kDefaultResolution);

    HandFile opacity;
    opacity.layer.opacityBits = 0x7FC00000u; // NaN
    EXPECT_EQ(failure(opacity), "Invalid data");
    project = LoadFromMemory(opacity.build(), true);
    ASSERT_TRUE(project);
    EXPECT_EQ(project->firstImage()->bottomLayer()->opacity(), 0.0f);
}

TEST_F(ProjectReaderChecks, UnknownKindsAndWrongCountsPassOnlyInRelaxedMode) {
    struct Case {
        const char* what;
        std::function<void(HandFile&)> bend;
        const char* strict;
        int relaxedImages;
        int relaxedLayers;
    };
    const Case cases[] = {
        {"image type", [](HandFile& f) { f.image.type = 2; }, "Unknown image type", 0, 0},
        {"layer kind", [](HandFile& f) { f.layer.kind = 7; }, "Unknown layer type", 1, 0},
        {"image count", [](HandFile& f) { f.root.imageCount = 3; }, "Project is corrupted", 1, 1},
        {"layer count", [](HandFile& f) { f.image.layerCount = 2; }, "Image is corrupted", 1, 1},
    };
    for (const Case& c : cases) {
        HandFile file;
        c.bend(file);
        EXPECT_EQ(failure(file), c.strict) << c.what;
        const auto project = LoadFromMemory(file.build(), true);
        ASSERT_TRUE(project) << c.what;
        EXPECT_EQ(project->imageCount(), c.relaxedImages) << c.what;
        if (c.relaxedImages) {
            EXPECT_EQ(project->firstImage()->layerCount(), c.relaxedLayers) << c.what;
        }
    }
}

TEST_F(ProjectReaderChecks, RangeAndFormatChecksHoldInBothModes) {
    struct Case {
        const char* what;
        std::function<void(HandFile&)> bend;
        const char* message;
    };
    const Case cases[] = {
        {"image count preset", [](HandFile& f) { f.root.imageCount = -1; }, "Invalid data"},
        {"image width", [](HandFile& f) { f.image.width = 0; }, "Invalid data"},
        {"layer count preset", [](HandFile& f) { f.image.layerCount = -1; }, "Invalid data"},
        {"target format", [](HandFile& f) { f.image.targetFormat = 0x80000; }, "Unknown target format"},
        {"opacity preset", [](HandFile& f) { f.layer.opacityBits = 0xFFFFFFFFu; }, "Invalid data"},
        {"layer size", [](HandFile& f) { f.layer.height = 2; }, "Invalid data"},
        {"layer zero field", [](HandFile& f) { f.layer.zero2 = 1; }, "Invalid data"},
        {"blend mode", [](HandFile& f) { f.layer.blendMode = 3; }, "Unknown blend mode"},
        {"sampling", [](HandFile& f) { f.sampling.sampling = 1; }, "Invalid data"},
        {"sampling preset", [](HandFile& f) { f.sampling.sampling = -1; }, "Invalid data"},
        {"bitmap size", [](HandFile& f) { f.bitmap.width = 5; }, "Invalid data"},
        {"bitmap zero field", [](HandFile& f) { f.bitmap.zero1 = 2; }, "Invalid data"},
        {"bitmap format", [](HandFile& f) { f.bitmap.format = 2; }, "Unknown bitmap format"},
        {"fill area", [](HandFile& f) { f.fill.area.right = 5; }, "Invalid data"},
        {"fill inverted", [](HandFile& f) { f.fill.area.left = 3, f.fill.area.right = 2; }, "Invalid data"},
        {"fill format", [](HandFile& f) { f.fill.format = 4; }, "Unknown fill format"},
        {"data area", [](HandFile& f) { f.data.area.top = -1; }, "Invalid data"},
        {"tile width", [](HandFile& f) { f.data.tileWidth = -3; }, "Invalid data"},
        {"alpha prediction", [](HandFile& f) { f.data.pixelFormat = 1; }, "Alpha prediction is not supported"},
        {"pixel format", [](HandFile& f) { f.data.pixelFormat = 3; }, "Unknown pixel format"},
        {"prediction", [](HandFile& f) { f.data.prediction = 6; }, "Unknown prediction method"},
        {"compression", [](HandFile& f) { f.data.compression = 3; }, "Unknown compression method"},
    };
    for (const Case& c : cases) {
        HandFile file;
        c.bend(file);
        EXPECT_EQ(failure(file), c.message) << c.what;
        EXPECT_EQ(failure(file, true), c.message) << c.what << " (relaxed)";
    }
}

TEST_F(ProjectReaderChecks, PaletteRecordsAreChecked) {
    auto palettized = [](HandFile& f) {
        f.image.targetFormat = 0x40001;
        f.image.flags |= ImageRecord::kPaletteLocked;
        f.writePalette = true;
        f.palette.count = 3;
        f.paletteData = PaletteDataRecord{0, 1, 2, 3, 0};
        f.paletteBytes = {128, 1, 2, 3, 255, 4, 5, 6};
    };
    HandFile good;
    palettized(good);
    const auto project = LoadFromMemory(good.build(), false);
    ASSERT_TRUE(project);
    const Palette* palette = project->firstImage()->palette();
    ASSERT_EQ(palette->count(), 3);
    EXPECT_EQ(palette->entry(0).color(), MakeColor32(0, 0, 0, 255)); // reset, not in the data
    EXPECT_EQ(palette->entry(1).color(), MakeColor32(1, 2, 3, 128));
    EXPECT_EQ(palette->entry(2).color(), MakeColor32(4, 5, 6, 255));

    struct Case {
        const char* what;
        std::function<void(HandFile&)> bend;
        const char* message;
    };
    const Case cases[] = {
        {"count preset", [](HandFile& f) { f.palette.count = -1; }, "Invalid data"},
        {"huge count", [](HandFile& f) { f.palette.count = 0x7FFFFFFF; }, "Invalid data"},
        {"beyond the palette", [](HandFile& f) { f.paletteData.first = 2; }, "Invalid data"},
        {"negative count", [](HandFile& f) { f.paletteData.count = -1; }, "Invalid data"},
        {"compression preset", [](HandFile& f) { f.paletteData.compression = -1; }, "Invalid data"},
        {"entry format", [](HandFile& f) { f.paletteData.format = 4; }, "Unknown palette format"},
        {"missing bytes", [](HandFile& f) { f.paletteBytes.resize(5); }, nullptr},
    };
    for (const Case& c : cases) {
        HandFile file;
        palettized(file);
        c.bend(file);
        const std::string message = failure(file);
        if (c.message)
            EXPECT_EQ(message, c.message) << c.what;
        else
            EXPECT_NE(message, "loaded") << c.what;
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

TEST_F(ProjectReaderChecks, DamagedFilesFailWithAMessage) {
    Project project;
    project.addImage(MakeImage(24, 17, 3, 8));
    for (const int compression : {0, 1, 2}) {
        const auto bytes = SaveToMemory(project, compression);
        for (std::size_t length = 0; length < bytes.size(); length += 7) {
            const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
            std::string error;
            EXPECT_FALSE(LoadFromMemory(cut, true, &error)) << length;
            EXPECT_FALSE(error.empty()) << length;
        }
        // Flipped bytes either still load or fail with a message, never crash.
        for (std::size_t at = 0; at < bytes.size(); at += 5) {
            auto bent = bytes;
            bent[at] ^= 0x5A;
            std::string error;
            if (!LoadFromMemory(bent, true, &error)) {
                EXPECT_FALSE(error.empty()) << at;
            }
        }
    }
}

} // namespace
} // namespace kv::test
