#pragma once

#include <array>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Helpers shared by the writer tests: temporary files and running the
// independent Python checker over written packages.
namespace xlsxtest {

inline std::filesystem::path TempDir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("nabidka-xlsx-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    // Left in place when NABIDKA_KEEP_TEST_FILES is set, for looking at the written files.
    if (!std::getenv("NABIDKA_KEEP_TEST_FILES"))
      std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                        ("nabidka-xlsx-tests-" + std::to_string(::getpid())),
                                    ignored);
      });
    return d;
  }();
  return dir;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct TRunResult {
  int fExitCode;
  std::string fOutput;
};

inline TRunResult RunCommand(const std::string& command) {
  TRunResult result{-1, {}};
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buf;
  for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;) result.fOutput.append(buf.data(), n);
  const int status = ::pclose(pipe);
  result.fExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

inline const char* kPython = "/usr/bin/python3";

inline std::uint32_t LE32(const std::string& s, std::size_t pos) {
  return static_cast<unsigned char>(s[pos]) | (static_cast<unsigned char>(s[pos + 1]) << 8) |
         (static_cast<unsigned char>(s[pos + 2]) << 16) | (static_cast<std::uint32_t>(static_cast<unsigned char>(s[pos + 3])) << 24);
}
inline std::uint16_t LE16(const std::string& s, std::size_t pos) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[pos]) | (static_cast<unsigned char>(s[pos + 1]) << 8));
}

}  // namespace xlsxtest
