#include "storage/pictures/BitmapReader.h"

#include "platform/Exceptions.h"
#include "storage/chunks/ChunkReader.h"
#include "storage/project/Predictor.h"

#include <algorithm>

namespace kv {
namespace {

[[noreturn]] void Fail(const char* message) {
    throw CKVException(message);
}

} // namespace

bool AreaFits(const file::AreaRect& area, std::int32_t width, std::int32_t height) {
    return 0 <= area.left && area.left <= area.right && area.right <= width && 0 <= area.top &&
           area.top <= area.bottom && area.bottom <= height;
}

file::BitmapRecord BitmapReader::readRecord() {
    file::BitmapRecord record;
    m_reader.readRecord(&record, sizeof record);
    if (record.zero1 != 0 || record.zero2 != 0) Fail("Invalid data");
    return record;
}

void BitmapReader::read(PixelArray& pixels) {
    const file::BitmapRecord record = readRecord();
    if (record.width != pixels.width() || record.height != pixels.height()) Fail("Invalid data");
    if (record.format != kBitmapFormat32) Fail("Unknown bitmap format");
    readChildren(pixels);
}

void BitmapReader::readChildren(PixelArray& pixels) {
    pixels.fill(0);
    std::uint32_t tag = 0;
    while (!m_reader.atChunkEnd()) {
        m_reader.beginChunk(tag);
        if (tag == kTagFill)
            readFill(pixels);
        else if (tag == kTagData)
            readData(pixels);
        m_reader.endChunk();
    }
}

void BitmapReader::readFill(PixelArray& pixels) {
    file::FillRecord record;
    m_reader.readRecord(&record, sizeof record);
    if (!AreaFits(record.area, pixels.width(), pixels.height())) Fail("Invalid data");
    std::uint8_t v[4] = {};
    Color32 value = 0, mask = 0;
    switch (record.format) {
    case 1:
        m_reader.read(v, 1);
        value = Color32{v[0]} << 24;
        mask = 0xFF000000u;
        break;
    case 2:
        m_reader.read(v, 3);
        value = MakeColor32(v[0], v[1], v[2], 0);
        mask = 0x00FFFFFFu;
        break;
    case 3:
        m_reader.read(v, 4);
        value = MakeColor32(v[1], v[2], v[3], v[0]);
        mask = 0xFFFFFFFFu;
        break;
    default:
        Fail("Unknown fill format");
    }
    for (std::int32_t y = record.area.top; y < record.area.bottom; ++y) {
        Color32* row = pixels.row(y);
        for (std::int32_t x = record.area.left; x < record.area.right; ++x)
            row[x] = (row[x] & ~mask) | value;
    }
}

void BitmapReader::readData(PixelArray& pixels) {
    file::BitmapDataRecord record;
    m_reader.readRecord(&record, sizeof record);
    if (!AreaFits(record.area, pixels.width(), pixels.height()) || record.tileWidth < 0 ||
        record.tileHeight < 0)
        Fail("Invalid data");
    const auto format = static_cast<BitmapPixelFormat>(record.pixelFormat);
    if (format == BitmapPixelFormat::Alpha && record.prediction != 0)
        Fail("Alpha prediction is not supported");
    if (format != BitmapPixelFormat::Alpha && format != BitmapPixelFormat::Rgb)
        Fail("Unknown pixel format");
    if (record.prediction < 0 || record.prediction >= Predictor::kMethodCount)
        Fail("Unknown prediction method");
    if (record.area.left == record.area.right || record.area.top == record.area.bottom) return;
    if (record.compression != 0)
        m_reader.beginDecompression(StoredFileCompression(record.compression));
    readTiles(pixels, record);
    if (record.compression != 0) m_reader.endDecompression();
}

void BitmapReader::readTiles(PixelArray& pixels, const file::BitmapDataRecord& record) {
    const file::AreaRect& a = record.area;
    const std::int32_t width = a.right - a.left, height = a.bottom - a.top;
    const std::int32_t tw =
        record.tileWidth == 0 || record.tileWidth >= width ? width : record.tileWidth;
    const std::int32_t th =
        record.tileHeight == 0 || record.tileHeight >= height ? height : record.tileHeight;
    const bool rgb = static_cast<BitmapPixelFormat>(record.pixelFormat) == BitmapPixelFormat::Rgb;
    const std::size_t bytesPerPixel = rgb ? 3 : 1;
    m_row.resize(static_cast<std::size_t>(tw) * bytesPerPixel);
    const Predictor predictor(record.prediction);
    for (std::int32_t top = a.top; top < a.bottom; top += th) {
        const std::int32_t bottom = top + std::min(th, a.bottom - top);
        for (std::int32_t left = a.left; left < a.right; left += tw) {
            const std::int32_t right = left + std::min(tw, a.right - left);
            const std::size_t size = static_cast<std::size_t>(right - left) * bytesPerPixel;
            for (std::int32_t y = top; y < bottom; ++y) {
                m_reader.read(m_row.data(), size);
                if (rgb) {
                    predictor.decodeRow(pixels, y, left, right, m_row.data());
                } else {
                    Color32* row = pixels.row(y);
                    for (std::int32_t x = left; x < right; ++x)
                        row[x] = WithAlpha(row[x], m_row[static_cast<std::size_t>(x - left)]);
                }
            }
        }
    }
}

} // namespace kv
