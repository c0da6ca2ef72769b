#pragma once

// Compares the XML parts of a written workbook with the golden files kept in
// the source tree: a writer change that alters what reaches the file shows
// here part by part. NABIDKA_UPDATE_GOLDEN=1 writes the files anew (after a
// deliberate change, to be read in the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace xlsxtest {

inline std::string ReadGoldenBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Pictures are left out: they are the caller's bytes, copied unchanged.
inline void CompareWithGolden(const std::filesystem::path& folder, const std::map<std::string, std::string>& parts) {
  namespace fs = std::filesystem;
  const bool update = std::getenv("NABIDKA_UPDATE_GOLDEN") != nullptr;
  const std::string name = folder.filename().string();
  std::size_t compared = 0;
  for (const auto& [part, bytes] : parts) {
    if (part.starts_with("xl/media/") || part.starts_with("Pictures/")) continue;
    const fs::path file = folder / part;
    ++compared;
    if (update) {
      fs::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << bytes;
      continue;
    }
    ASSERT_TRUE(fs::exists(file)) << "no golden file for " << name << "/" << part;
    EXPECT_EQ(bytes, ReadGoldenBytes(file)) << name << "/" << part;
  }
  // A part the writer no longer writes shows as well.
  if (update || !fs::exists(folder)) return;
  std::size_t kept = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) ++kept;
  EXPECT_EQ(compared, kept) << name << ": golden files without a written part";
}

}  // namespace xlsxtest
