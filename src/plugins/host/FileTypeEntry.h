#pragma once
#include "kvx.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class FormatProvider;

// One file type of one provider, copied from the descriptor it handed over.
struct FileTypeEntry {
    const FormatProvider* provider = nullptr;
    std::uint32_t id = 0;
    std::string name;
    std::vector<std::string> extensions; // without the dot

    // Case-insensitive.
    bool hasExtension(std::string_view extension) const;
};

// More extension entries than this in one descriptor are taken for garbage.
inline constexpr std::int32_t kMaxFileTypeExtensions = 256;

// Copies a descriptor a provider handed over. False for one that cannot be
// trusted: a header size out of range, a negative or absurd extension count,
// or (for descriptors made by the host's service) more entries than were
// allocated. Texts are cut at their terminator or at 255 characters.
bool ReadFileTypeDescriptor(const FileTypeDescriptor* descriptor, const FormatProvider& provider,
                            FileTypeEntry& entry);

// Case-insensitive ordering of ASCII texts, for the sorted lists.
bool LessIgnoringCase(std::string_view a, std::string_view b);
bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace kv
