#pragma once
#include "model/PixelArray.h"
#include "storage/project/ProjectRecords.h"

#include <cstdint>
#include <vector>

namespace kv {

class ChunkReader;

// Decodes the body of a "BMAP" chunk (its record, then "FILL" and "DATA"
// children in order) into a pixel array. Failures throw CKVException; the
// chunk reader must be in throwing mode.
class BitmapReader {
  public:
    explicit BitmapReader(ChunkReader& reader) : m_reader(reader) {}

    // Reads the bitmap record; the format and the zero fields are checked,
    // the size is left to the caller.
    file::BitmapRecord readRecord();
    // Reads a whole "BMAP" body into pixels of the record's size.
    void read(PixelArray& pixels);
    // After readRecord: clears the pixels and applies the children.
    void readChildren(PixelArray& pixels);

  private:
    void readFill(PixelArray& pixels);
    void readData(PixelArray& pixels);
    void readTiles(PixelArray& pixels, const file::BitmapDataRecord& record);

    ChunkReader& m_reader;
    std::vector<std::uint8_t> m_row;
};

// Checks a record's rectangle against a bitmap of the given size.
bool AreaFits(const file::AreaRect& area, std::int32_t width, std::int32_t height);

} // namespace kv
