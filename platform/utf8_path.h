// Paths are UTF-8 text throughout the program. std::filesystem reads a narrow string in the
// system's code page on Windows ("Città" becomes another name there), so every path passes
// between the two through these.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

inline std::filesystem::path path_of(std::string_view utf8) {
  return std::filesystem::path(
      std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

inline std::string text_of(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

// A Windows path starts with its drive ("C:\Users\..."), which a file URI writes after a slash
// ("file:///C:/Users/..."); other systems have no drives.
#ifdef _WIN32
inline constexpr bool kPathsHaveDrives = true;
#else
inline constexpr bool kPathsHaveDrives = false;
#endif
