#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// File names are UTF-8 texts throughout the program. A std::filesystem::path
// made from a narrow string takes it in the system's narrow encoding, which
// on Windows is the ANSI code page unless the manifest asks for UTF-8; these
// convert explicitly, so a file opened by name is the same file on every
// system and every Windows version.
namespace text {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

}  // namespace text
