#pragma once
// What each format plug-in provides; PluginExports.cpp, built into every
// plug-in, turns it into the KVX functions.
#include "ByteReader.h"
#include "Raster.h"
#include "kvx.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvf {

struct FileTypeInfo {
    std::uint32_t id;
    std::string name;
    std::vector<std::string> extensions;
};

// What a plug-in found out about a file it can read.
struct Recognition {
    std::uint32_t typeId = 0;
    std::string description;
};

class FormatPlugin {
  public:
    virtual ~FormatPlugin() = default;
    virtual const char* name() const = 0;
    virtual std::uint32_t version() const = 0;
    virtual std::vector<FileTypeInfo> fileTypes() const = 0;
    // True when the file looks like one of ours (from its first bytes).
    virtual bool recognise(Bytes file, Recognition& out) const = 0;
    // Every image of the file; throws FormatError.
    virtual std::vector<Picture> read(Bytes file, const Limits& limits) const = 0;
    // Which of the pictures read makes the best preview.
    virtual std::size_t previewIndex(const std::vector<Picture>& pictures) const;
    virtual bool canWrite(std::uint32_t typeId, const PortableDocument& document) const = 0;
    // The file's bytes; throws FormatError.
    virtual std::vector<std::uint8_t> write(std::uint32_t typeId,
                                            const PortableDocument& document) const = 0;
};

// The one plug-in of this library.
const FormatPlugin& ThePlugin();

// Whole files. Reading fails with codes 11 (cannot access), 13 (read
// failed) or 6 (too large); writing with 10 (cannot create) or 12.
std::vector<std::uint8_t> ReadWholeFile(const char* path);
void WriteWholeFile(const char* path, Bytes bytes);

// The largest file a plug-in reads.
inline constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 30;

} // namespace kvf
