#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <sstream>

#include "xlsx/ExporterTestSupport.h"
#include "xlsx/TestImages.h"
#include "xlsx/XmlText.h"

using namespace sheet;
using namespace xlsxtest;

// Checks workbooks that use every feature the offer sheet needs with readers
// independent of ours: Python's zipfile and openpyxl, and LibreOffice
// converting to CSV and PDF. Runs only under the "conformance" label.
namespace {

bool Enabled() { return std::getenv("NABIDKA_CONFORMANCE") != nullptr; }

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Json(double v) { return xlsx::FloatToXmlText(v); }

// Collects a sheet's expectations as JSON while the sheet is filled.
struct TExpectedSheet {
  std::string fTitle;
  std::vector<std::string> fMembers;
  std::vector<std::string> fCells;
  void Cell(const std::string& ref, const std::string& text) { fCells.push_back(Json(ref) + ":" + Json(text)); }
  void Cell(const std::string& ref, double value) { fCells.push_back(Json(ref) + ":" + Json(value)); }
  void Member(const std::string& name, const std::string& json) { fMembers.push_back(Json(name) + ":" + json); }
  std::string ToJson() const {
    std::string out = "{\"title\":" + Json(fTitle) + ",\"cells\":{";
    for (std::size_t i = 0; i < fCells.size(); ++i) out += (i ? "," : "") + fCells[i];
    out += "}";
    for (const auto& m : fMembers) out += "," + m;
    return out + "}";
  }
};

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

// The offer as the application composes it: title, customer block, item
// rows with pictures, totals, header, footer, print area and titles.
void BuildOffer(TExportWorkbook& wb, std::vector<TExpectedSheet>& expected) {
  TExportWorkSheet& ws = wb.AddWorkSheet("Nabídka");
  TExpectedSheet e{"Nabídka", {}, {}};
  const double widths[] = {150, 100, 200, 40, 70, 80};
  for (int c = 0; c < 6; ++c) ws.FindCreateCol(c).SetWidth(widths[c]);
  std::string widthJson = "{";
  for (int c = 0; c < 6; ++c) widthJson += std::string(c ? "," : "") + "\"" + char('A' + c) + "\":" + Json(widths[c] / 7);
  e.Member("col_widths", widthJson + "}");

  TExportRow& title = ws.AddRow();
  title.AddCellString("Cenová nabídka č. 2024/017").SetColSpan(6).SetFontSize(14).SetFontStyle(fsBold).SetAlignment(cahCenter);
  e.Cell("A1", "Cenová nabídka č. 2024/017");
  title.SetHeight(28);

  TExportRow& customer = ws.AddRow();
  customer.AddCellString("Odběratel:").SetFontStyle(fsBold);
  customer.AddCellString("Nábytek Šťastný s.r.o.\r\nDlouhá 12, Třebíč").SetColSpan(3).SetRowSpan(2);
  e.Cell("A2", "Odběratel:");
  e.Cell("B2", "Nábytek Šťastný s.r.o.\r\nDlouhá 12, Třebíč");
  ws.AddRow().AddCellString(" IČO: 12345678");  // leading space: xml:space
  e.Cell("A3", " IČO: 12345678");

  TExportRow& head = ws.AddRow();
  const char* heads[] = {"Obrázek", "Kód", "Popis", "Ks", "Cena/ks", "Celkem"};
  for (int c = 0; c < 6; ++c) {
    head.AddCellString(heads[c]).SetBorders(15, ebThin, 0).SetBGColor(0xE1E1E1).SetFontStyle(fsBold);
    e.Cell(std::string(1, char('A' + c)) + "4", heads[c]);
  }
  const std::string jpeg = MakeJpeg(32, 32, 200, 40, 40);
  const std::string png = MakePng(24, 16);
  double sum = 0;
  for (int i = 0; i < 6; ++i) {
    TExportRow& row = ws.AddRow();
    row.SetHeight(150);
    const int r = row.RowIndex() + 1;
    const std::string n = std::to_string(r);
    TExportCell& pic = row.AddCellString("");
    std::istringstream image(i % 3 == 2 ? png : jpeg);
    pic.AddImage(image, i % 3 == 2 ? "plan.png" : "zidle_" + std::to_string(i) + ".jpg", 0, 0, 150, 150);
    pic.SetBorders(15, ebThin, 0);
    const std::string code = i == 4 ? "_x0041_" : "ŽID-" + std::to_string(100 + i);
    row.AddCellString(code).SetBorders(15, ebThin, 0);
    e.Cell("B" + n, code);
    const std::string text = i == 1 ? "Stůl  dubový\r\nrozměr 160 × 90 cm" : "Židle čalouněná, barva \"šedá\" & <bílá>";
    row.AddCellString(text).SetBorders(15, ebThin, 0).SetWrapText(true);
    e.Cell("C" + n, text);
    const double count = i + 1, price = 1234.5 + i * 100.25;
    row.AddCellNumber(count, 0).SetBorders(15, ebThin, 0);
    row.AddCellNumber(price, 2).SetBorders(15, ebThin, 0);
    row.AddCellNumber(count * price, 2).SetBorders(15, ebThin, 0).SetFontStyle(fsBold);
    e.Cell("D" + n, count);
    e.Cell("E" + n, price);
    e.Cell("F" + n, count * price);
    sum += count * price;
  }
  TExportRow& total = ws.AddRow();
  total.AddCellString("Celkem bez DPH").SetColSpan(5).SetAlignment(cahRight);
  total.AddCellNumber(sum, 2);
  const int totalRow = total.RowIndex() + 1;
  e.Cell("A" + std::to_string(totalRow), "Celkem bez DPH");
  e.Cell("F" + std::to_string(totalRow), sum);
  ws.Header().Left().SetText("Nabídka & objednávka");
  ws.Header().Left().Font().SetName("Arial Black");
  ws.Footer().Center().SetText("Strana [PAGENUMBER] z [PAGECOUNT]");
  ws.PageSettings().PrintRange().SetRange(0, 0, 6, totalRow);
  ws.PageSettings().RowsToRepeat().SetRowRange(3, 1);
  e.Member("merged", "[\"A1:F1\",\"B2:D3\",\"A" + std::to_string(totalRow) + ":E" + std::to_string(totalRow) + "\"]");
  e.Member("print_area", Json("A1:F" + std::to_string(totalRow)));
  e.Member("print_title_rows", Json("4:4"));
  e.Member("header_left", Json("Nabídka && objednávka"));
  e.Member("footer_center", Json("Strana &P z &N"));
  e.Member("pictures", "6");
  e.Member("row_heights", "{\"1\":21,\"5\":112.5,\"10\":112.5}");
  e.Member("styles",
           "{\"A1\":{\"bold\":true,\"size\":14,\"horizontal\":\"center\"},"
           "\"A4\":{\"bold\":true,\"fill\":\"FFE1E1E1\",\"border\":\"thin\"},"
           "\"C5\":{\"wrap\":true,\"border\":\"thin\"},"
           "\"D5\":{\"number_format\":\"0;\\\\-0\",\"horizontal\":\"right\"},"
           "\"E5\":{\"number_format\":\"0.00;\\\\-0.00\",\"bold\":false},"
           "\"F5\":{\"bold\":true}}");
  expected.push_back(e);

  TExportWorkSheet& second = wb.AddWorkSheet("Souhrn");
  TExpectedSheet s{"Souhrn", {}, {}};
  TExportRow& row = second.AddRow();
  row.AddCellString("bell\x07 and tab\tend");
  row.AddCellNumber(0.000001, 2);
  row.AddCellNumber(-2.5, 2);
  row.AddCellNumber(1e20, 0);
  s.Cell("A1", "bell\x07 and tab\tend");
  s.Cell("B1", 0.000001);
  s.Cell("C1", -2.5);
  s.Cell("D1", 1e20);
  s.Member("pictures", "0");
  expected.push_back(s);
}

}  // namespace

TEST(Conformance, OfferWorkbook) {
  if (!Enabled()) GTEST_SKIP() << "set NABIDKA_CONFORMANCE=1 (ctest -L conformance)";
  TFixedMeasure measure;
  TExportWorkbook wb;
  std::vector<TExpectedSheet> expected;
  BuildOffer(wb, expected);
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

TEST(Conformance, SameBytesUnderACommaLocale) {
  if (!Enabled()) GTEST_SKIP() << "set NABIDKA_CONFORMANCE=1 (ctest -L conformance)";
  TFixedMeasure measure;
  TExportWorkbook a, b;
  std::vector<TExpectedSheet> ea, eb;
  BuildOffer(a, ea);
  BuildOffer(b, eb);
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
