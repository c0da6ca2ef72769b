#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestPlatform.h"
#include "sheet/ReplacementFile.h"

// A folder with an earlier workbook in it, for the replacement-file tests.
namespace sheettest {

namespace fs = std::filesystem;

class TReplacementFileTest : public ::testing::Test {
 protected:
  fs::path Dir = fs::temp_directory_path() / ("nabidka-replace-" + std::to_string(nabidkatest::ProcessId()));
  fs::path Target = Dir / "offer.xlsx";
  void SetUp() override {
    fs::create_directories(Dir);
    std::ofstream(Target, std::ios::binary) << "earlier workbook";
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Read(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

}  // namespace sheettest
