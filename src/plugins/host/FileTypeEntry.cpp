#include "plugins/host/FileTypeEntry.h"

#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableHeap.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace kv {
namespace {

// Bytes compare unsigned, so UTF-8 names sort after ASCII ones.
unsigned char Lower(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string CutText(const char* text, std::size_t capacity) {
    return std::string(text, strnlen(text, capacity - 1));
}

bool Trustworthy(const FileTypeDescriptor* d) {
    if (d->size < KVX_FILE_TYPE_HEADER_SIZE || d->size > kMaxPortableHeaderSize ||
        d->size % 4 != 0 || d->extensionCount < 0 || d->extensionCount > kMaxFileTypeExtensions)
        return false;
    // A descriptor from the host's service can be checked against its block;
    // one kept in the plug-in's own memory has to be believed.
    const std::size_t bytes = PortableHeap::instance().sizeOf(d, PortableBlock::FileType);
    return bytes == 0 ||
           bytes >= d->size + std::size_t(d->extensionCount) * KVX_FILE_TYPE_EXTENSION_SIZE;
}

} // namespace

bool FileTypeEntry::hasExtension(std::string_view extension) const {
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const std::string& e) { return EqualIgnoringCase(e, extension); });
}

bool ReadFileTypeDescriptor(const FileTypeDescriptor* descriptor, const FormatProvider& provider,
                            FileTypeEntry& entry) {
    if (!descriptor || !Trustworthy(descriptor)) return false;
    entry.provider = &provider;
    entry.id = descriptor->id;
    entry.name = CutText(descriptor->name, sizeof descriptor->name);
    entry.extensions.clear();
    const auto* extensions = reinterpret_cast<const FileTypeExtension*>(
        reinterpret_cast<const char*>(descriptor) + descriptor->size);
    for (std::int32_t i = 0; i < descriptor->extensionCount; ++i)
        entry.extensions.push_back(
            CutText(extensions[i].extension, sizeof extensions[i].extension));
    return true;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

} // namespace kv
