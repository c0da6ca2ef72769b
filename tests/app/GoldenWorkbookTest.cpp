// The bytes of every XML part of reference workbooks, kept under
// tests/app/golden/: a change of the writer that alters what reaches the file
// shows here part by part. NABIDKA_UPDATE_GOLDEN=1 writes the files anew
// (after a deliberate change, to be read in the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "app/OfferExport.h"
#include "sheet/Workbook.h"
#include "xlsx/ExporterTestSupport.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(NABIDKA_SOURCE_DIR) / "tests" / "app" / "golden";

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The example offer, composed as "Export do Excelu" composes it.
std::map<std::string, std::string> ExampleParts(int layout, bool customerHeader) {
  const xlsxtest::TFixedMeasure measure;
  app::TDiskFileSystem disk;
  apptest::TScriptedDialogs dialogs;
  const std::string folder = std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists";
  app::TMainWindow window(disk, dialogs, {folder, text::TRegionalSettings::Czech(), 1250});
  window.ListArticleFolder();
  window.OpenList(folder + "/Kuchyne.csv");
  window.LoadDescription();
  window.Window.LayoutChoice = layout;
  window.Window.CustomerHeaderCheck = customerHeader;
  std::unique_ptr<sheet::TExportWorkbook> workbook = app::ComposeOfferWorkbook(window);
  return xlsxtest::ReadZipMap(xlsxtest::SaveBytes(*workbook, false));
}

void CompareWithGolden(const std::string& name, const std::map<std::string, std::string>& parts) {
  const fs::path folder = kGolden / name;
  const bool update = std::getenv("NABIDKA_UPDATE_GOLDEN") != nullptr;
  for (const auto& [part, bytes] : parts) {
    if (part.starts_with("xl/media/")) continue;  // the pictures are the list's own files
    const fs::path file = folder / part;
    if (update) {
      fs::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << bytes;
      continue;
    }
    ASSERT_TRUE(fs::exists(file)) << "no golden file for " << name << "/" << part;
    EXPECT_EQ(bytes, ReadBytes(file)) << name << "/" << part;
  }
}

TEST(GoldenWorkbook, ExampleOfferAndOrder) {
  CompareWithGolden("offer", ExampleParts(app::offersheet::kOfferLayout, true));
  CompareWithGolden("order", ExampleParts(app::offersheet::kOrderLayout, false));
}

}  // namespace
