#pragma once

// A workbook that uses every cell kind, style and sheet setting the model
// holds: its parts are kept as golden files, and independent readers check
// that it opens.
#include <limits>
#include <sstream>

#include "sheet/Workbook.h"
#include "xlsx/TestImages.h"

// The pieces live in their own namespace, so that the model's names stay out of the includer's.
namespace xlsxtest::everykind {

using namespace sheet;

inline void AddValueKinds(TExportWorkSheet& ws) {
  TExportRow& texts = ws.AddRow();
  texts.AddCellString("plain");
  texts.AddCellString("  two spaces");
  texts.AddCellString("shared").SetUseSharedStrings(true);
  texts.AddCellString(std::string(300, 'x'));
  texts.AddCellString("").SetRichText({{"rich ", std::nullopt}, {"bold", TExportFont::Create("Arial", 12, fsBold, 0xFF)}});
  texts.AddCellString("web").SetHyperLink("https://example.com/?a=1&b=\"2\"", "tip <&>");
  texts.AddCellString("again").SetHyperLink("https://example.com/?a=1&b=\"2\"");
  texts.AddCellString("formula text").SetFormula("A1&\"<x>\"");
  texts.AddCellString("");
  texts.AddCellEmpty();
  texts.AddCellString("ctrl\x01 _x0041_ \r lone CR, bad \xC3 byte");

  TExportRow& numbers = ws.AddRow();
  numbers.AddCellNumber(-1234567.891, 3).SetThousandSep(true).SetNegativeRed(true);
  numbers.AddCellNumber(42, -1);
  numbers.AddCellNumber(7, 0).SetIntegerDigits(3);
  numbers.AddCellPercent(0.125, 1);
  numbers.AddCellCurrency(99.5, "Kč", ecpAfter);
  numbers.AddCellCurrency(-5, "€", ecpBefore, 0);
  numbers.AddCellCurrency(12, "$", ecpBeforeFill);
  numbers.AddCellScientific(6.02214076e23, 3, 3);
  numbers.AddCellFraction(2.75, 2);
  numbers.AddCellFormulaNumber("SUM(A2:C2)", 2);
  numbers.AddCellNumber(0).SetEmptyIfZero(true);
  numbers.AddCellNumber(std::numeric_limits<double>::quiet_NaN());
  numbers.AddCellNumber(std::numeric_limits<double>::infinity());
  numbers.AddCellNumber(3.5).SetExcelNumberFormat("#,##0.000 \"ks\"");

  TExportRow& dates = ws.AddRow();
  dates.AddCellDate(45293);
  dates.AddCellDateTime(45293.75);
  dates.AddCellDateTimeWS(45293.5);
  dates.AddCellTime(0.25);
  dates.AddCellTimeWS(0.5);
  dates.AddCellBoolean(true);
  dates.AddCellBoolean(false);
  dates.AddCellBoolean(true).SetValueType(btError);
  dates.AddCellFormulaPercent("A2/B2");
  dates.AddCellFormulaCurrency("E2*2", "Kč", ecpAfter);
  dates.AddCellFormulaScientific("H2", 1, 1);
}

inline void AddStyles(TExportWorkSheet& ws) {
  TExportRow& align = ws.AddRow();
  for (int a = cahAuto; a <= cahDistributed; ++a)
    align.AddCellString("h" + std::to_string(a)).SetAlignment(static_cast<TCellHAlignment>(a)).SetIndent(2);
  for (int v = cavAuto; v <= cavDistributed; ++v)
    align.AddCellString("v" + std::to_string(v)).SetVAlignment(static_cast<TCellVAlignment>(v));
  align.AddCellString("wrapped text\r\nline").SetWrapText(true);
  align.AddCellString("up").SetRotation(45);
  align.AddCellString("down").SetRotation(-45);
  align.AddCellString("stacked").SetOrientation(efoTopToBottom);
  align.AddCellString("unlocked").SetProtection(0);
  align.AddCellString("hidden").SetProtection(ecpLocked | ecpFormulaHidden);

  TExportRow& fonts = ws.AddRow();
  fonts.AddCellString("all").SetFontStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
  const TExportFontStyleUnderline underlines[] = {efuDouble, efuSingleAccounting, efuDoubleAccounting, efuNo};
  for (TExportFontStyleUnderline u : underlines) {
    TExportCell& c = fonts.AddCellString("u");
    c.Font().Style().SetUnderline(u);
  }
  TExportCell& sup = fonts.AddCellString("sup");
  sup.Font().Style().SetEscapement(efeSuperscript);
  TExportCell& sub = fonts.AddCellString("sub");
  sub.Font().Style().SetEscapement(efeSubscript).SetBold(efsNo).SetItalic(efsNo);
  fonts.AddCellString("big red").SetFontSize(18).SetFontColor(0x0000FF).SetFontName("Courier New");
  fonts.AddCellString("on yellow").SetBGColor(0x00FFFF);
  fonts.AddCellString("system colour").SetFontColor(static_cast<TColor>(0xFF000008));

  TExportRow& borders = ws.AddRow();
  for (int s = ebNone; s <= ebSlantedDashDotted; ++s)
    borders.AddCellString("b" + std::to_string(s)).SetBorders(cbOutline, static_cast<TCellBorderStyle>(s), 0x336699);
  borders.AddCellString("x").SetBorder(cbDiagonalUp, ebThin).SetBorder(cbDiagonalDown, ebDouble, 0xFF0000);
  borders.AddCellString("/").SetBorder(cbDiagonalUp, ebMedium);
}

inline void AddStructure(TExportWorkSheet& ws) {
  TExportRow& spans = ws.AddRow();
  spans.AddCellString("across three").SetColSpan(3).SetBorders(cbOutline, ebThin);
  spans.FindCell(1)->SetBorder(cbTop, ebThick, 0xFF);
  spans.AddCellString("down four").SetRowSpan(4).SetColSpan(2).SetBorders(cbOutline, ebMedium).SetBGColor(0xEEEEEE);
  spans.AddCellNumber(1);

  TExportRow& styled = ws.AddRow();
  styled.Style().SetBGColor(0xCCFFCC);
  styled.SetExcelNumberFormat("0.0");
  styled.SetHeight(30).SetGroupLevel(1).SetPageBreakBefore(true);
  styled.AddCellNumber(2.25);
  ws.AddRow().SetHidden(true).AddCellString("hidden row");
  ws.AddRow().SetCalculateRowHeight(erhForceAuto).AddCellString("auto\r\nheight").SetWrapText(true);

  ws.FindCreateCol(0).SetWidth(120);
  ws.FindCreateCol(1).SetWidth(120);
  ws.FindCreateCol(2).SetHidden(true);
  ws.FindCreateCol(3).SetGroupLevel(2).SetPageBreakBefore(true);
  ws.FindCreateCol(4).Style().SetBGColor(0xFFCCCC);
  ws.FindCreateCol(4).SetExcelNumberFormat("0%");
  ws.FindCreateCol(30).SetWidth(10);
  ws.FindCell(0, 0)->SetName("FirstText");
}

inline void SetPageAndWindow(TExportWorkSheet& ws) {
  TExportWindowSettings& w = ws.WindowSettings();
  w.SetTabColor(0x00AA00).SetView(ewvPageLayout).SetScale(85).SetShowFormulas(true).SetShowZeros(false);
  w.SetShowGridLines(false).SetShowHeaders(false).SetShowGroupButtonsTopRow(true).SetShowGroupButtonsLeftCol(true);
  w.TopLeftCell().SetCol(1).SetRow(2);
  w.Selection().SetRange(2, 3, 2, 2);
  w.AutoFilter().SetRange(0, 0, 5, 3);
  ws.Protection().fProtected = true;
  ws.SetCodeName("List1");
  TExportPageSettings& p = ws.PageSettings();
  p.SetMarginLeft(1.5).SetMarginRight(1.2).SetMarginTop(2.5).SetMarginBottom(1.8);
  p.SetCenterTable(ectHorizontal | ectVertical).SetPaperType(8).SetPageOrientation(epoLandscape);
  p.SetPageOrder(efoLeftToRight).SetPrintScale(90).SetPrintHeaders(true).SetPrintGridLines(true);
  p.SetFirstPageNumber(3).SetUseFirstPageNumber(true);
  p.PrintRange().SetRange(0, 0, 20, 12);
  p.RowsToRepeat().SetRowRange(0, 2);
  p.ColsToRepeat().SetColRange(0, 1);
  ws.Header().Left().SetText("Firma & syn \"Nábytek\"");
  ws.Header().Center().SetText("[DATE] [TIME]");
  ws.Header().Center().Font().SetStyle(fsBold | fsItalic).SetSize(12);
  ws.Header().SetHeight(1.0);
  ws.Footer().Right().SetText("[PAGENUMBER]/[PAGECOUNT] [SHEETNAME] [FILENAME]");
}

inline void AddPictureSheet(TExportWorkbook& wb) {
  TExportWorkSheet& ws = wb.AddWorkSheet("Obrázky [a]: 'test'");
  ws.WindowSettings().Split().SetCol(1).SetRow(2);
  ws.Style().SetFontName("Verdana");
  ws.SetExcelNumberFormat("@");
  std::istringstream jpeg(MakeJpeg(40, 20, 10, 200, 10));
  TExportRow& row = ws.AddRow();
  row.SetHeight(80);
  TExportCell& first = row.AddCellString("photo");
  TExportCellDrawing& framed = first.AddImage(jpeg, "fotka.jpg", 5, 5, 200, 100);
  framed.Fill().fStyle = edfColor;
  framed.Fill().fColor = 0x123456;
  framed.Border().fFillStyle = edfColor;
  framed.Border().fColor = 0x00FF00;
  framed.Border().fSize = 2;
  framed.Border().fLineStyle = ebsDashed;
  TExportCellDrawing& dotted = row.AddCellString("again").ReuseImage(framed, 0, 0, 60, 30);
  dotted.Fill().fStyle = edfNone;
  dotted.Border().fFillStyle = edfAutomatic;
  dotted.Border().fLineStyle = ebsDotted;
  std::istringstream png(MakePng(8, 8));
  ws.AddRow().AddCellEmpty().AddImage(png, "plan.png", 0, 0, 16, 16);
  ws.AddRow().AddCellString("hidden sheet follows");
  wb.AddWorkSheet("Skrytý").SetVisibility(ewvHidden).AddRow().AddCellNumber(1);
}

inline void BuildEveryKindWorkbook(TExportWorkbook& wb) {
  wb.SetTitle("Všechny druhy").SetAuthor("Nabidka & spol.");
  TExportWorkSheet& ws = wb.AddWorkSheet("Druhy buněk");
  AddValueKinds(ws);
  AddStyles(ws);
  AddStructure(ws);
  SetPageAndWindow(ws);
  AddPictureSheet(wb);
  wb.SetActiveWorkSheet(&ws);
}

}  // namespace xlsxtest::everykind

namespace xlsxtest {
using everykind::BuildEveryKindWorkbook;
}  // namespace xlsxtest
