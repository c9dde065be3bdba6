// Damaged files end in a picture or the host's message, never in a crash,
// a hang or a huge allocation: the inputs the fuzzers kept, and every cut
// and many changed bytes of sound files of each format.
#include "FormatTestSupport.h"
#include "HandMadeFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

// Imports a file: either some images or exactly one message.
void ExpectPictureOrMessage(const test::FormatHost& folder, const std::string& path,
                            const std::string& what) {
    std::string error;
    const std::unique_ptr<Project> project = folder.import(path, &error);
    if (project)
        EXPECT_GT(project->imageCount(), 0) << what;
    else
        EXPECT_FALSE(error.empty()) << what;
}

TEST(DamagedFiles, TheInputsTheFuzzersKept) {
    test::FormatHost folder;
    for (const char* reader : {"ico", "png", "bmp"}) {
        const fs::path dir = fs::path(KORVANE_DAMAGED_CORPUS_DIR) / reader;
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(dir))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        EXPECT_FALSE(files.empty()) << dir;
        const std::string path = folder.file(std::string("damaged.") + reader);
        for (const fs::path& file : files) {
            fs::copy_file(file, path, fs::copy_options::overwrite_existing);
            ExpectPictureOrMessage(folder, path, file.string());
        }
    }
}

// Sound files of each format, as the plug-ins and the test write them.
std::vector<std::pair<std::string, Bytes>> SoundFiles(const test::FormatHost& folder) {
    Project project;
    const TargetFormat targets[] = {TargetFormat::Rgba32, TargetFormat::Palette8,
                                    TargetFormat::Palette4, TargetFormat::Mono};
    for (std::size_t i = 0; i < std::size(targets); ++i)
        project.addImage(test::ImageOf(
            test::DrawnIcon(12 + std::int32_t(i) * 5, 9, std::uint32_t(i)), targets[i]));
    std::vector<std::pair<std::string, Bytes>> files;
    EXPECT_TRUE(folder.exportProject(project, folder.file("s.ico"), "ICO icon"));
    files.emplace_back("ico", test::ReadBytes(folder.file("s.ico")));
    for (const Image* image : {project.imageAt(1), project.imageAt(3)}) {
        EXPECT_TRUE(folder.exportImage(*image, folder.file("s.png"), "PNG image"));
        files.emplace_back("png", test::ReadBytes(folder.file("s.png")));
        EXPECT_TRUE(folder.exportImage(*image, folder.file("s.bmp"), "BMP image"));
        files.emplace_back("bmp", test::ReadBytes(folder.file("s.bmp")));
    }
    test::DibFields rle;
    rle.width = 8;
    rle.height = 4;
    rle.bits = 4;
    rle.compression = 2;
    rle.palette.assign(16, MakeColor32(1, 2, 3, 255));
    rle.codes = {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 0, 4, 0xAB, 0, 0, 8, 0x77, 0, 1};
    files.emplace_back("bmp", test::BmpFile(rle));
    return files;
}

TEST(DamagedFiles, EveryCutAndManyChangedBytes) {
    test::FormatHost folder;
    std::uint32_t random = 2463534242u;
    const auto next = [&random] {
        random ^= random << 13;
        random ^= random >> 17;
        random ^= random << 5;
        return random;
    };
    for (const auto& [extension, sound] : SoundFiles(folder)) {
        const std::string path = folder.file("damaged." + extension);
        const std::size_t step = std::max<std::size_t>(1, sound.size() / 600);
        for (std::size_t length = 0; length < sound.size(); length += step) {
            test::WriteBytes(path, Bytes(sound.begin(), sound.begin() + long(length)));
            ExpectPictureOrMessage(folder, path, extension + " cut at " + std::to_string(length));
        }
        for (int round = 0; round < 300; ++round) {
            Bytes changed = sound;
            for (std::uint32_t n = 1 + next() % 4; n > 0; --n)
                changed[next() % changed.size()] = std::uint8_t(next());
            test::WriteBytes(path, changed);
            ExpectPictureOrMessage(folder, path,
                                   extension + " changed, round " + std::to_string(round));
        }
    }
}

} // namespace
} // namespace kv
