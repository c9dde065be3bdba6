#pragma once
#include "platform/RegistryKey.h"

#include <string>
#include <string_view>

namespace kv {

// The hive file format: the text of a REGEDIT4 export, readable and editable
// by hand.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\SOFTWARE\Dunmere\Korvane\Drawing\Tools\Brush]
//   "Size"="8"
//   "Flag"=dword:0000000f
//   @="the key's default value"
//   "Raw"=hex:01,02,ff
//
// Strings with control characters are written as hex(1) bytes so that every
// value survives the round trip exactly.

// Formats every key below root (root itself only when it has values), with
// section names starting at rootName.
std::string FormatRegistryText(const RegistryKey& root, std::string_view rootName);

// Parses text into root, which should be empty. Sections must start with
// rootName. On a malformed line returns false and names the line in error.
bool ParseRegistryText(std::string_view text, std::string_view rootName, RegistryKey& root,
                       std::string* error = nullptr);

} // namespace kv
