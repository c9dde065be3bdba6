// Walks arbitrary bytes as a chunk tree. The last character of each tag
// picks what the body is read as, so that records, strings, integers and
// compressed sections all meet corrupt data.
#include "platform/Exceptions.h"
#include "storage/chunks/ChunkReader.h"
#include "storage/chunks/FileCompression.h"

#include <cstdint>
#include <string>

using namespace kv;

namespace {

void ReadBody(ChunkReader& reader, std::uint32_t tag, int depth, int& budget) {
    std::uint8_t record[24];
    std::uint32_t value = 0;
    std::string text;
    switch (tag & 0xFF) {
    case 'r':
        reader.readRecord(record, sizeof record);
        return;
    case 's':
        reader.readString(text);
        return;
    case 'v':
        reader.readVarUInt(value);
        return;
    case 'L':
    case 'Z': {
        reader.readRecord(record, 4);
        const FileCompression method =
            (tag & 0xFF) == 'L' ? FileCompression::Lzw : FileCompression::Lzrc;
        reader.beginDecompression(method);
        std::uint8_t buffer[2048];
        reader.read(buffer, record[0] * 8u);
        reader.readString(text);
        reader.endDecompression();
        return;
    }
    default:
        while (!reader.atChunkEnd() && --budget > 0 && depth < 64) {
            std::uint32_t child = 0;
            if (!reader.beginChunk(child)) return;
            ReadBody(reader, child, depth + 1, budget);
            reader.endChunk();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (bool throwing : {false, true}) {
        ChunkReader reader;
        reader.errors().setThrowOnError(throwing);
        try {
            reader.openMemory(data, size, "fuzz");
            int budget = 1000;
            while (!reader.atEnd() && --budget > 0) {
                std::uint32_t tag = 0;
                if (!reader.beginChunk(tag)) break;
                ReadBody(reader, tag, 0, budget);
                reader.endChunk();
            }
            reader.close();
        } catch (const CKVException&) {
            reader.reset();
        }
    }
    return 0;
}
