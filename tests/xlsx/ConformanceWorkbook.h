#pragma once

// The workbook the conformance suite checks with independent readers, with
// the expectations those readers must find; its parts are also kept as golden
// files, so it is built here for both.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/Workbook.h"
#include "xlsx/TestImages.h"
#include "xlsx/XmlText.h"

namespace xlsxtest {

inline std::string Json(const std::string& s) {
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

inline std::string Json(double v) { return xlsx::FloatToXmlText(v); }

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

// The offer as the application composes it: title, customer block, item
// rows with pictures, totals, header, footer, print area and titles.
inline void BuildConformanceOffer(sheet::TExportWorkbook& wb, std::vector<TExpectedSheet>& expected) {
  using namespace sheet;
  sheet::TExportWorkSheet& ws = wb.AddWorkSheet("Nabídka");
  TExpectedSheet e{"Nabídka", {}, {}};
  const double widths[] = {150, 100, 200, 40, 70, 80};
  for (int c = 0; c < 6; ++c) ws.FindCreateCol(c).SetWidth(widths[c]);
  std::string widthJson = "{";
  for (int c = 0; c < 6; ++c) widthJson += std::string(c ? "," : "") + "\"" + char('A' + c) + "\":" + Json(widths[c] / 7);
  e.Member("col_widths", widthJson + "}");

  sheet::TExportRow& title = ws.AddRow();
  title.AddCellString("Cenová nabídka č. 2024/017").SetColSpan(6).SetFontSize(14).SetFontStyle(fsBold).SetAlignment(cahCenter);
  e.Cell("A1", "Cenová nabídka č. 2024/017");
  title.SetHeight(28);

  sheet::TExportRow& customer = ws.AddRow();
  customer.AddCellString("Odběratel:").SetFontStyle(fsBold);
  customer.AddCellString("Nábytek Šťastný s.r.o.\r\nDlouhá 12, Třebíč").SetColSpan(3).SetRowSpan(2);
  e.Cell("A2", "Odběratel:");
  e.Cell("B2", "Nábytek Šťastný s.r.o.\r\nDlouhá 12, Třebíč");
  ws.AddRow().AddCellString(" IČO: 12345678");  // leading space: xml:space
  e.Cell("A3", " IČO: 12345678");

  sheet::TExportRow& head = ws.AddRow();
  const char* heads[] = {"Obrázek", "Kód", "Popis", "Ks", "Cena/ks", "Celkem"};
  for (int c = 0; c < 6; ++c) {
    head.AddCellString(heads[c]).SetBorders(15, ebThin, 0).SetBGColor(0xE1E1E1).SetFontStyle(fsBold);
    e.Cell(std::string(1, char('A' + c)) + "4", heads[c]);
  }
  const std::string jpeg = MakeJpeg(32, 32, 200, 40, 40);
  const std::string png = MakePng(24, 16);
  double sum = 0;
  for (int i = 0; i < 6; ++i) {
    sheet::TExportRow& row = ws.AddRow();
    row.SetHeight(150);
    const int r = row.RowIndex() + 1;
    const std::string n = std::to_string(r);
    sheet::TExportCell& pic = row.AddCellString("");
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
  sheet::TExportRow& total = ws.AddRow();
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

  sheet::TExportWorkSheet& second = wb.AddWorkSheet("Souhrn");
  TExpectedSheet s{"Souhrn", {}, {}};
  sheet::TExportRow& row = second.AddRow();
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

}  // namespace xlsxtest
