#pragma once
// The web pages the Help menu opens.

namespace kv {

inline constexpr const char* kMakerHomePage = "https://www.dunmere.example/";
inline constexpr const char* kProductHomePage = "https://www.dunmere.example/korvane/";
inline constexpr const char* kSupportPage = "https://www.dunmere.example/korvane/support/";

} // namespace kv
