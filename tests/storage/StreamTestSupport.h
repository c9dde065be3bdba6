#pragma once
#include "storage/QzError.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kv::test {

using Bytes = std::vector<std::uint8_t>;

// One compressed section written through the interface into memory.
Bytes Compress(int method, const Bytes& data);

struct Decoded {
    Bytes bytes;
    QzError beginError = QzError::None; // what starting the decoder reported
    QzError readError = QzError::None;
    bool atEnd = false;        // the decoder's end flag after reading
    std::int64_t consumed = 0; // compressed bytes the decoder took
};
// Decodes a section, asking for up to `limit` bytes in reads of `piece`.
Decoded Decompress(int method, const Bytes& compressed, std::size_t limit = 1 << 24,
                   std::size_t piece = 4096);

// Reproducible test data.
Bytes RandomBytes(std::size_t size, std::uint32_t seed);
// Smooth, mostly small values, like the residuals of an icon's color planes.
Bytes ResidualLike(std::size_t size, std::uint32_t seed);

// Packs codes most significant bit first with the given widths.
Bytes PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndWidths);

// A folder under the system temporary folder, removed with its contents.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    std::string file(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

} // namespace kv::test
