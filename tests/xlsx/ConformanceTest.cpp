#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <sstream>

#include "xlsx/ConformanceWorkbook.h"
#include "xlsx/EveryKindWorkbook.h"
#include "xlsx/ExporterTestSupport.h"

using namespace sheet;
using namespace xlsxtest;

// Checks workbooks that use every feature the offer sheet needs with readers
// independent of ours: Python's zipfile and openpyxl, and LibreOffice
// converting to CSV and PDF. Runs only under the "conformance" label.
namespace {

bool Enabled() { return std::getenv("NABIDKA_CONFORMANCE") != nullptr; }

void RunChecker(const std::filesystem::path& workbook, const std::vector<TExpectedSheet>& sheets, bool libreOffice) {
  std::string json = "{\"sheets\":[";
  for (std::size_t i = 0; i < sheets.size(); ++i) json += (i ? "," : "") + sheets[i].ToJson();
  json += "]}";
  const auto expected = workbook.string() + ".json";
  WriteFile(expected, json);
  const char* checker = std::getenv("NABIDKA_XLSX_CHECKER");
  const std::string script = checker ? checker : std::string(NABIDKA_SOURCE_DIR) + "/tests/xlsx/check_xlsx.py";
  const auto r = RunCommand(std::string(kPython) + " " + Quote(script) + " " + Quote(workbook.string()) + " " +
                            Quote(expected) + (libreOffice ? " --libreoffice" : ""));
  EXPECT_EQ(r.fExitCode, 0) << r.fOutput;
  std::cout << r.fOutput;
}

void SaveFile(TExportWorkbook& wb, const std::filesystem::path& path) {
  WriteFile(path, SaveBytes(wb));
}

}  // namespace

TEST(Conformance, OfferWorkbook) {
  if (!Enabled()) GTEST_SKIP() << "set NABIDKA_CONFORMANCE=1 (ctest -L conformance)";
  TFixedMeasure measure;
  TExportWorkbook wb;
  std::vector<TExpectedSheet> expected;
  BuildConformanceOffer(wb, expected);
  const auto path = TempDir() / "offer.xlsx";
  SaveFile(wb, path);
  RunChecker(path, expected, true);
}

TEST(Conformance, LargeSheetAndSeveralSheets) {
  if (!Enabled()) GTEST_SKIP() << "set NABIDKA_CONFORMANCE=1 (ctest -L conformance)";
  TFixedMeasure measure;
  TExportWorkbook wb;
  std::vector<TExpectedSheet> expected;
  TExportWorkSheet& big = wb.AddWorkSheet("Data");
  const int rows = 10000, cols = 10;
  for (int r = 0; r < rows; ++r) {
    TExportRow& row = big.AddRow();
    row.AddCellString("Řádek " + std::to_string(r));
    for (int c = 1; c < cols; ++c) row.AddCellNumber(r * cols + c, c % 2 ? 0 : 2);
  }
  TExpectedSheet e{"Data", {}, {}};
  e.Member("grid", "{\"rows\":10000,\"cols\":10}");
  expected.push_back(e);
  for (int i = 2; i <= 4; ++i) {
    const std::string title = "List " + std::to_string(i);
    wb.AddWorkSheet(title).AddRow().AddCellString("Obsah " + title);
    TExpectedSheet s{title, {}, {}};
    s.Cell("A1", "Obsah " + title);
    expected.push_back(s);
  }
  const auto path = TempDir() / "large.xlsx";
  SaveFile(wb, path);
  RunChecker(path, expected, true);
}

// The workbook of every cell kind, style and sheet setting opens in both
// readers with its values, merged ranges, pictures and page settings.
TEST(Conformance, EveryCellKindWorkbook) {
  if (!Enabled()) GTEST_SKIP() << "set NABIDKA_CONFORMANCE=1 (ctest -L conformance)";
  TFixedMeasure measure;
  TExportWorkbook wb;
  BuildEveryKindWorkbook(wb);
  TExpectedSheet kinds{"Druhy buněk", {}, {}};
  kinds.Cell("A1", "plain");
  kinds.Cell("B1", "  two spaces");
  kinds.Cell("D1", std::string(300, 'x'));
  kinds.Cell("E1", "rich bold");
  kinds.Cell("B2", 42);
  kinds.Cell("H2", 6.02214076e23);
  kinds.Cell("N2", 3.5);
  kinds.Cell("A7", "across three");
  kinds.Cell("D7", "down four");
  kinds.Cell("A8", 2.25);
  kinds.Member("merged", "[\"A7:C7\",\"D7:E10\"]");
  kinds.Member("print_area", Json("A1:T12"));
  kinds.Member("print_title_rows", Json("1:2"));
  kinds.Member("print_title_cols", Json("A:A"));
  // No header text: openpyxl reads a font code greedily up to the last double
  // quote of the section, so the header's quoted word swallows its text there.
  TExpectedSheet pictures{"Obrázky -a-- 'test", {}, {}};
  pictures.Cell("A1", "photo");
  pictures.Member("pictures", "3");
  TExpectedSheet hidden{"Skrytý", {}, {}};
  hidden.Cell("A1", 1);
  const auto path = TempDir() / "every-kind.xlsx";
  SaveFile(wb, path);
  RunChecker(path, {kinds, pictures, hidden}, true);
}

TEST(Conformance, SameBytesUnderACommaLocale) {
  if (!Enabled()) GTEST_SKIP() << "set NABIDKA_CONFORMANCE=1 (ctest -L conformance)";
  TFixedMeasure measure;
  TExportWorkbook a, b;
  std::vector<TExpectedSheet> ea, eb;
  BuildConformanceOffer(a, ea);
  BuildConformanceOffer(b, eb);
  const std::string plain = SaveBytes(a);
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "cs_CZ.UTF-8") && !std::setlocale(LC_ALL, "de_DE.UTF-8")) {
    std::setlocale(LC_ALL, saved.c_str());
    GTEST_SKIP() << "no comma locale installed";
  }
  const std::string comma = SaveBytes(b);
  const auto path = TempDir() / "offer-comma.xlsx";
  WriteFile(path, comma);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(plain, comma);
  RunChecker(path, eb, false);
}
