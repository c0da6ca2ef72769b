#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TestPlatform.h"

// Helpers shared by the writer tests: temporary files and running the
// independent Python checker over written packages.
namespace xlsxtest {

// The folder where a test under Wine leaves its files and the commands that
// check them for the native pass (NABIDKA_DEFERRED_CHECKS, a Linux path that
// Wine's Z: drive reaches); empty on Linux, where checks run at once.
inline std::filesystem::path DeferredChecks() {
  const char* folder = nabidkatest::kWindows ? std::getenv("NABIDKA_DEFERRED_CHECKS") : nullptr;
  return folder && *folder ? std::filesystem::path(folder) : std::filesystem::path();
}

inline std::filesystem::path TempDir() {
  static const std::filesystem::path dir = [] {
    const std::string name = "nabidka-xlsx-tests-" + std::to_string(nabidkatest::ProcessId());
    const std::filesystem::path deferred = DeferredChecks();
    auto d = (deferred.empty() ? std::filesystem::temp_directory_path() : deferred) / name;
    std::filesystem::create_directories(d);
    // Left in place when NABIDKA_KEEP_TEST_FILES is set, for looking at the
    // written files, and for the native pass's checks.
    if (!std::getenv("NABIDKA_KEEP_TEST_FILES") && deferred.empty())
      std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                        ("nabidka-xlsx-tests-" + std::to_string(nabidkatest::ProcessId())),
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
  // Under Wine: the script that runs the command in the native pass (the
  // output is not known here; the Expect… checks below go into the script).
  std::filesystem::path fDeferredScript;
};

// Runs a Linux command line (an independent reader over files the test
// wrote). Under Wine no Linux program can be started: the command is written
// into the deferred-checks folder as a script for the native pass
// (tests/deferred_checks.sh), which fails on a nonzero exit or a failed
// output check; without that folder the result says so.
inline TRunResult RunCommand(const std::string& command) {
  if (nabidkatest::kWindows) {
    static int serial = 0;
    const std::filesystem::path deferred = DeferredChecks();
    if (deferred.empty()) return {77, "no NABIDKA_DEFERRED_CHECKS folder for a Linux program's check", {}};
    const std::filesystem::path script =
        deferred / ("check-" + std::to_string(nabidkatest::ProcessId()) + "-" + std::to_string(++serial) + ".sh");
    std::ofstream(script, std::ios::binary) << "# " << ::testing::UnitTest::GetInstance()->current_test_info()->name()
                                             << "\n" << command << " >\"$check.out\" 2>&1 || fail \"exit $?\"\n";
    return {0, "", script};
  }
  TRunResult result{-1, {}, {}};
  result.fExitCode = nabidkatest::RunShellCommand(command, result.fOutput);
  return result;
}

namespace detail {

// Adds "expect_output <how> <file holding text>" to a deferred script.
inline void DeferOutputCheck(const TRunResult& run, const char* how, const std::string& text) {
  static int serial = 0;
  const std::string part = run.fDeferredScript.filename().string() + "." + std::to_string(++serial) + ".part";
  std::ofstream(run.fDeferredScript.parent_path() / part, std::ios::binary) << text;
  std::ofstream(run.fDeferredScript, std::ios::binary | std::ios::app) << "expect_output " << how << " " << part << "\n";
}

}  // namespace detail

// What an independent reader printed must hold, lack or equal a text:
// checked at once, or, deferred, by the native pass.
inline void ExpectOutputHas(const TRunResult& run, const std::string& part) {
  if (!run.fDeferredScript.empty()) return detail::DeferOutputCheck(run, "has", part);
  EXPECT_NE(run.fOutput.find(part), std::string::npos) << run.fOutput;
}
inline void ExpectOutputLacks(const TRunResult& run, const std::string& part) {
  if (!run.fDeferredScript.empty()) return detail::DeferOutputCheck(run, "lacks", part);
  EXPECT_EQ(run.fOutput.find(part), std::string::npos) << run.fOutput;
}
inline void ExpectOutputIs(const TRunResult& run, const std::string& whole) {
  if (!run.fDeferredScript.empty()) return detail::DeferOutputCheck(run, "is", whole);
  EXPECT_EQ(run.fOutput, whole);
}

// A shell word; a path written under Windows gets the delimiter the native
// pass reads.
inline std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += nabidkatest::kWindows && c == '\\' ? '/' : c;
    }
  }
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
