// Hive files are edited by hand: any text must parse or be refused cleanly,
// and whatever parses must format and parse back to the same text.
#include "platform/RegistryText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kv::RegistryKey root;
    if (!kv::ParseRegistryText(text, "HKEY_CURRENT_USER", root)) return 0;
    const std::string formatted = kv::FormatRegistryText(root, "HKEY_CURRENT_USER");
    kv::RegistryKey again;
    if (!kv::ParseRegistryText(formatted, "HKEY_CURRENT_USER", again) ||
        kv::FormatRegistryText(again, "HKEY_CURRENT_USER") != formatted)
        std::abort();
    return 0;
}
