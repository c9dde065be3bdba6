#pragma once
#include "plugins/host/FormatProvider.h"

#include <memory>

namespace kv {

inline constexpr const char* kBuiltinProviderName = "INTERNAL FORMATS";
// The one file type of the built-in provider, importable and exportable.
inline constexpr std::uint32_t kProjectFileTypeId = 1;
inline constexpr const char* kProjectFileTypeName = "Korvane project";

// The provider of the program's own project files: it enumerates the project
// type, recognises project files (with a preview picture and the image count
// as description) and accepts every document for export.
std::unique_ptr<FormatProvider> MakeBuiltinProvider();

} // namespace kv
