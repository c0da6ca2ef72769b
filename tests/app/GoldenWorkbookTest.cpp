// The bytes of every XML part of the example offer and order, kept under
// tests/app/golden/ (see xlsx/GoldenParts.h).
#include <gtest/gtest.h>

#include <filesystem>

#include "AppTestSupport.h"
#include "app/OfferExport.h"
#include "sheet/Workbook.h"
#include "xlsx/ExporterTestSupport.h"
#include "xlsx/GoldenParts.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(NABIDKA_SOURCE_DIR) / "tests" / "app" / "golden";

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

TEST(GoldenWorkbook, ExampleOfferAndOrder) {
  xlsxtest::CompareWithGolden(kGolden / "offer", ExampleParts(app::offersheet::kOfferLayout, true));
  xlsxtest::CompareWithGolden(kGolden / "order", ExampleParts(app::offersheet::kOrderLayout, false));
}

}  // namespace
