#include "storage/pictures/BitmapWriter.h"

#include "platform/Exceptions.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/chunks/FileCompression.h"
#include "storage/project/PredictionEstimator.h"
#include "storage/project/Predictor.h"

#include <algorithm>

namespace kv {
namespace {

constexpr std::int32_t kChoiceTileWidth = 64;

// Calls visit(y, x0, x1) for every tile row in tile order.
template <typename Visit>
void ForEachTileRow(std::int32_t width, std::int32_t height, std::int32_t tileWidth,
                    std::int32_t tileHeight, Visit visit) {
    const std::int32_t tw = tileWidth <= 0 || tileWidth >= width ? width : tileWidth;
    const std::int32_t th = tileHeight <= 0 || tileHeight >= height ? height : tileHeight;
    for (std::int32_t top = 0; top < height; top += th) {
        const std::int32_t bottom = std::min(height, top + th);
        for (std::int32_t left = 0; left < width; left += tw) {
            const std::int32_t right = std::min(width, left + tw);
            for (std::int32_t y = top; y < bottom; ++y)
                visit(y, left, right);
        }
    }
}

std::size_t PixelCount(const PixelArray& pixels) {
    return static_cast<std::size_t>(pixels.width()) * static_cast<std::size_t>(pixels.height());
}

} // namespace

void CheckCompressionSetting(CompressionLevel level) {
    if (!CompressionLevelFromNumber(static_cast<int>(level)))
        throw CKVException("Unknown compression method");
}

PlaneParameters RgbPlaneParameters(CompressionLevel level) {
    CheckCompressionSetting(level);
    static constexpr PlaneParameters kTable[] = {{1024, 0, FileCompression::None},
                                                 {256, 4, FileCompression::Lzw},
                                                 {64, -1, FileCompression::Lzrc}};
    return kTable[static_cast<int>(level)];
}

PlaneParameters AlphaPlaneParameters(CompressionLevel level) {
    CheckCompressionSetting(level);
    static constexpr PlaneParameters kTable[] = {{4096, 0, FileCompression::None},
                                                 {1024, 0, FileCompression::Lzw},
                                                 {256, 0, FileCompression::Lzrc}};
    return kTable[static_cast<int>(level)];
}

void AlphaPlaneBytes(const PixelArray& pixels, std::int32_t tileWidth, std::int32_t tileHeight,
                     std::vector<std::uint8_t>& out) {
    out.resize(PixelCount(pixels));
    std::uint8_t* p = out.data();
    ForEachTileRow(pixels.width(), pixels.height(), tileWidth, tileHeight,
                   [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
                       const Color32* row = pixels.row(y);
                       for (std::int32_t x = x0; x < x1; ++x)
                           *p++ = static_cast<std::uint8_t>(row[x] >> 24);
                   });
}

void RgbPlaneBytes(const PixelArray& pixels, std::int32_t tileWidth, std::int32_t tileHeight,
                   int prediction, std::vector<std::uint8_t>& out) {
    out.resize(PixelCount(pixels) * 3);
    std::uint8_t* p = out.data();
    const Predictor predictor(prediction);
    ForEachTileRow(pixels.width(), pixels.height(), tileWidth, tileHeight,
                   [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {
                       predictor.encodeRow(pixels, y, x0, x1, p);
                       p += static_cast<std::size_t>(x1 - x0) * 3;
                   });
}

int ChoosePrediction(const PixelArray& pixels, std::int32_t tileWidth, std::int32_t tileHeight) {
    std::vector<std::uint8_t> residuals;
    int best = 0;
    double bestEstimate = 1000000.0;
    for (int method = 0; method < Predictor::kMethodCount; ++method) {
        RgbPlaneBytes(pixels, tileWidth, tileHeight, method, residuals);
        PredictionEstimator estimator;
        estimator.add(residuals.data(), residuals.size());
        const double estimate = estimator.estimate();
        if (estimate < bestEstimate) {
            bestEstimate = estimate;
            best = method;
        }
    }
    return best;
}

void BitmapWriter::write(const PixelArray& pixels) {
    m_writer.beginChunk(kTagBitmap);
    file::BitmapRecord record;
    record.width = pixels.width();
    record.height = pixels.height();
    record.format = kBitmapFormat32;
    m_writer.writeRecord(&record, sizeof record);

    const std::size_t count = PixelCount(pixels);
    const Color32* data = pixels.data();
    if (count > 0 && data) {
        const Color32 first = data[0];
        bool uniform = true, uniformAlpha = true;
        for (std::size_t i = 1; i < count && uniformAlpha; ++i) {
            uniform = uniform && data[i] == first;
            uniformAlpha = (data[i] >> 24) == (first >> 24);
        }
        if (uniform) {
            const std::uint8_t argb[4] = {static_cast<std::uint8_t>(AlphaOf(first)),
                                          static_cast<std::uint8_t>(RedOf(first)),
                                          static_cast<std::uint8_t>(GreenOf(first)),
                                          static_cast<std::uint8_t>(BlueOf(first))};
            writeFill(pixels, 3, argb, 4);
        } else {
            if (uniformAlpha) {
                const std::uint8_t alpha = static_cast<std::uint8_t>(AlphaOf(first));
                writeFill(pixels, 1, &alpha, 1);
            } else {
                writePlane(pixels, BitmapPixelFormat::Alpha);
            }
            writePlane(pixels, BitmapPixelFormat::Rgb);
        }
    }
    m_writer.endChunk();
}

void BitmapWriter::writeFill(const PixelArray& pixels, std::int32_t format,
                             const std::uint8_t* value, std::size_t size) {
    m_writer.beginChunk(kTagFill);
    file::FillRecord record;
    record.area = file::AreaRect{0, 0, pixels.width(), pixels.height()};
    record.format = format;
    m_writer.writeRecord(&record, sizeof record);
    m_writer.write(value, size);
    m_writer.endChunk();
}

void BitmapWriter::writePlane(const PixelArray& pixels, BitmapPixelFormat format) {
    const bool rgb = format == BitmapPixelFormat::Rgb;
    const PlaneParameters parameters =
        rgb ? RgbPlaneParameters(m_setting) : AlphaPlaneParameters(m_setting);
    file::BitmapDataRecord record;
    record.area = file::AreaRect{0, 0, pixels.width(), pixels.height()};
    record.pixelFormat = static_cast<std::int32_t>(format);
    record.tileWidth = std::min(parameters.tileWidth, pixels.width());
    record.tileHeight = pixels.height();
    record.prediction = parameters.prediction;
    if (rgb && parameters.prediction < 0)
        record.prediction =
            ChoosePrediction(pixels, std::min(kChoiceTileWidth, pixels.width()), pixels.height());
    record.compression = StoredNumber(parameters.compression);

    if (rgb)
        RgbPlaneBytes(pixels, record.tileWidth, record.tileHeight, record.prediction, m_bytes);
    else
        AlphaPlaneBytes(pixels, record.tileWidth, record.tileHeight, m_bytes);

    m_writer.beginChunk(kTagData);
    m_writer.writeRecord(&record, sizeof record);
    if (parameters.compression != FileCompression::None)
        m_writer.beginCompression(parameters.compression);
    m_writer.write(m_bytes.data(), m_bytes.size());
    if (parameters.compression != FileCompression::None) m_writer.endCompression();
    m_writer.endChunk();
}

} // namespace kv
