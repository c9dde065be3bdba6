#pragma once
#include "model/PixelArray.h"
#include "storage/chunks/FileCompression.h"
#include "storage/project/CompressionLevel.h"
#include "storage/project/ProjectRecords.h"

#include <cstdint>
#include <vector>

namespace kv {

class ChunkWriter;

// The tiling, prediction and compression of a bitmap's byte planes for one
// compression level.
struct PlaneParameters {
    std::int32_t tileWidth;
    std::int32_t prediction; // -1: chosen by estimate
    FileCompression compression;
};
PlaneParameters RgbPlaneParameters(CompressionLevel level);
PlaneParameters AlphaPlaneParameters(CompressionLevel level);
// Throws "Unknown compression method" for a level cast from another number.
void CheckCompressionSetting(CompressionLevel level);

// The bytes of a plane in tile order over the whole bitmap.
void AlphaPlaneBytes(const PixelArray& pixels, std::int32_t tileWidth, std::int32_t tileHeight,
                     std::vector<std::uint8_t>& out);
void RgbPlaneBytes(const PixelArray& pixels, std::int32_t tileWidth, std::int32_t tileHeight,
                   int prediction, std::vector<std::uint8_t>& out);
// The prediction method whose residuals promise the smallest output.
int ChoosePrediction(const PixelArray& pixels, std::int32_t tileWidth, std::int32_t tileHeight);

// Writes a "BMAP" chunk: a uniform bitmap as one fill, otherwise the alpha
// plane (a fill when constant) and the predicted RGB plane.
class BitmapWriter {
  public:
    BitmapWriter(ChunkWriter& writer, CompressionLevel level)
        : m_writer(writer), m_setting(level) {}
    void write(const PixelArray& pixels);

  private:
    void writeFill(const PixelArray& pixels, std::int32_t format, const std::uint8_t* value,
                   std::size_t size);
    void writePlane(const PixelArray& pixels, BitmapPixelFormat format);

    ChunkWriter& m_writer;
    CompressionLevel m_setting;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace kv
