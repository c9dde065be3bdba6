#include "storage/pictures/PngEncoder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace kv {
namespace {

// Decoded by the system's zlib and libpng, so the tests check our streams
// against independent readers rather than against themselves.
std::string Inflate(const std::string& zlib) {
    std::string out(200000, '\0');
    uLongf size = out.size();
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                         reinterpret_cast<const Bytef*>(zlib.data()), zlib.size()),
              Z_OK);
    out.resize(size);
    return out;
}

TEST(PngEncoder, ChecksumsMatchKnownValues) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Adler32("Wikipedia"), 0x11E60398u);
}

TEST(PngEncoder, CompressedDataComesBackExactly) {
    std::mt19937 random(7);
    std::string noise(70000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::string runs;
    for (int i = 0; i < 200; ++i)
        runs += std::string(static_cast<std::size_t>(i * 7 % 300), static_cast<char>(i));
    const std::string inputs[] = {"",    "a",  std::string(100000, 'z'),
                                  noise, runs, noise.substr(0, 40000) + noise.substr(0, 40000)};
    for (const std::string& input : inputs)
        EXPECT_EQ(Inflate(ZlibCompress(input)), input) << input.size();
    EXPECT_LT(ZlibCompress(std::string(100000, 'z')).size(), 1000u);
}

TEST(PngEncoder, WritesAPictureLibpngReadsBack) {
    const std::vector<Color32> pixels = {
        MakeColor32(1, 2, 3, 4),     MakeColor32(255, 0, 128, 255), MakeColor32(9, 9, 9, 0),
        MakeColor32(10, 20, 30, 40), MakeColor32(50, 60, 70, 80),   MakeColor32(90, 100, 110, 120)};
    const std::string png = EncodePng(pixels.data(), 3, 2);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) << image.message;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Color32 c = pixels[i];
        EXPECT_EQ(MakeColor32(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2], rgba[i * 4 + 3]), c)
            << i;
    }
}

} // namespace
} // namespace kv
