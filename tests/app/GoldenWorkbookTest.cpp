// The bytes of every XML part of the example offer and order, kept under
// tests/app/golden/ (see xlsx/GoldenParts.h).
#include <gtest/gtest.h>

#include <filesystem>

#include "AppTestSupport.h"
#include "app/OfferExport.h"
#include "ods/ExporterODS.h"
#include "sheet/Workbook.h"
#include "xlsx/ExporterTestSupport.h"
#include "xlsx/GoldenParts.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(NABIDKA_SOURCE_DIR) / "tests" / "app" / "golden";

// The example offer, composed as "Export do Excelu" composes it, written as
// XLSX or as an OpenDocument spreadsheet (whose cells carry their texts,
// shown in the Czech region).
std::map<std::string, std::string> ExampleParts(int layout, bool customerHeader, bool ods = false) {
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
  if (!ods) return xlsxtest::ReadZipMap(xlsxtest::SaveBytes(*workbook, false));
  const text::TRegionalSettings before = text::ProcessRegionalSettings();
  text::SetProcessRegionalSettings(text::TRegionalSettings::Czech());
  ods::TExporterODS exporter;
  exporter.SetClock(xlsxtest::FixedClock).SetThreaded(false);
  xlsx::TMemoryStream out;
  exporter.SaveWorkbook(*workbook, out);
  text::SetProcessRegionalSettings(before);
  return xlsxtest::ReadZipMap(out.Data());
}

TEST(GoldenWorkbook, ExampleOfferAndOrder) {
  xlsxtest::CompareWithGolden(kGolden / "offer", ExampleParts(app::offersheet::kOfferLayout, true));
  xlsxtest::CompareWithGolden(kGolden / "order", ExampleParts(app::offersheet::kOrderLayout, false));
}

TEST(GoldenWorkbook, ExampleOfferAndOrderAsOpenDocument) {
  xlsxtest::CompareWithGolden(kGolden / "offer-ods", ExampleParts(app::offersheet::kOfferLayout, true, true));
  xlsxtest::CompareWithGolden(kGolden / "order-ods", ExampleParts(app::offersheet::kOrderLayout, false, true));
}

}  // namespace
