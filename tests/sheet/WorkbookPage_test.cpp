#include <gtest/gtest.h>

#include "sheet/Workbook.h"

namespace sheet {
namespace {

TEST(WorkbookColumns, CreatedOnDemandWithDefaults) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  EXPECT_EQ(ws.FindCol(0), nullptr);
  TExportCol& c5 = ws.Cols().GetEC(5);
  EXPECT_EQ(ws.Cols().Count(), 6);
  EXPECT_EQ(c5.ColIndex(), 5);
  ws.Cols().GetEC(0).SetWidth(150);
  EXPECT_EQ(ws.Cols()[1].Width(), -1);
  EXPECT_EQ(ws.Cols()[0].Width(), 150);
  c5.IncGroupLevel(10);
  EXPECT_EQ(c5.GroupLevel(), 7);
  ws.Cols().GroupCols(1, 2, true);
  EXPECT_EQ(ws.Cols()[1].GroupLevel(), 1);
  EXPECT_TRUE(ws.Cols()[2].Hidden());

  TExportCell& cell = ws.AddRow().AddCellString("w");
  EXPECT_EQ(cell.SetWidth(99).Width(), 99);
  EXPECT_EQ(ws.Cols()[0].Width(), 99);
  cell.SetHeight(30);
  EXPECT_EQ(cell.Row()->Height(), 30);
  cell.SetCalculateRowHeight(erhForceAuto);
  EXPECT_EQ(cell.Height(), -1);
  cell.Row()->SetCalculateRowHeight(erhMultiLine).SetHeight(20);
  EXPECT_EQ(cell.Row()->CalculateRowHeight(), erhSingleLine);
  cell.Row()->SetGroupLevel(9);
  EXPECT_EQ(cell.Row()->GroupLevel(), 7);
}

TEST(WorkbookRanges, UnsetPartsAndNames) {
  TExportRange r;
  r.SetRightCol(5).SetBottomRow(40);
  EXPECT_EQ(r.ColSpan(), 7);
  EXPECT_EQ(r.RowSpan(), 42);
  EXPECT_FALSE(r.HasColPart());
  EXPECT_FALSE(r.HasRowPart());

  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Nabídka");
  TExportPageSettings& page = ws.PageSettings();
  EXPECT_EQ(page.PrintAreaName(), "");
  page.PrintRange().SetRange(0, 0, 6, 41);
  EXPECT_EQ(page.PrintRange().Name(), "A1:F41");
  EXPECT_EQ(page.PrintAreaName(), "Nabídka!$A$1:$F$41");
  EXPECT_EQ(page.PrintTitlesName(), "");
  page.RowsToRepeat().SetRowRange(0, 3);
  EXPECT_EQ(page.PrintTitlesName(), "Nabídka!$1:$3");
  page.ColsToRepeat().SetColRange(0, 1);
  EXPECT_EQ(page.PrintTitlesName(), "Nabídka!$A:$A,Nabídka!$1:$3");
  ws.SetTitle("My sheet");
  EXPECT_EQ(page.PrintAreaName(), "'My sheet'!$A$1:$F$41");

  TExportRange abs;
  abs.SetAbs(1, 2, 3, 4);
  EXPECT_EQ(abs.Name(), "B3:D5");
  EXPECT_TRUE(abs.IsInWorksheet(2, 3));
  EXPECT_FALSE(abs.IsInWorksheet(1, 3));

  TExportRow& row = ws.AddRow();
  row.AddCellString("a");
  TExportCell& n = row.AddCellNumber(1).SetColSpan(2);
  TExportRange fromCell;
  fromCell.SetCol1Abs(true).Assign(n);
  EXPECT_EQ(fromCell.Name(), "B1:C1");
  std::vector<TExportCell*> cells;
  TExportRange all(0, 0, 5, 5);
  all.SetWorkSheet(&ws).GetCells(cells, CellClass<TExportCellNumber>());
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_EQ(cells[0], &n);
}

TEST(WorkbookPageSettings, DefaultsAndScaleSideEffects) {
  TExportWorkbook wb;
  TExportPageSettings& p = wb.AddWorkSheet().PageSettings();
  EXPECT_EQ(p.MarginLeft(), 2.0);
  EXPECT_EQ(p.PaperType(), eptA4);
  EXPECT_EQ(p.PageOrder(), efoTopToBottom);
  EXPECT_EQ(p.ScaleType(), estPercent);
  p.SetFitWidthToPages(1);
  EXPECT_EQ(p.ScaleType(), estFitToPage);
  p.SetPrintScale(80);
  EXPECT_EQ(p.ScaleType(), estPercent);
  p.SetFitHeightToPages(0);
  EXPECT_EQ(p.ScaleType(), estFitToPage);

  TExportWindowSettings& w = wb.ActiveWorkSheet().WindowSettings();
  EXPECT_EQ(w.Selection().Name(), "A1");
  EXPECT_FALSE(w.SplitActive());
  w.Split().SetRow(1);
  EXPECT_TRUE(w.SplitActive());
  EXPECT_TRUE(w.ShowGridLines());
  EXPECT_EQ(w.TabColor(), clNone);
}

TEST(WorkbookHeaderFooter, HeaderCodesBothWays) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  EXPECT_FALSE(ws.Header().Present());
  EXPECT_FALSE(ws.Footer().Present());
  ws.Footer().Center().SetText("Strana [PAGENUMBER] z [PAGECOUNT]");
  EXPECT_TRUE(ws.Footer().Present());
  EXPECT_EQ(ws.Footer().Center().ExcelFormattedText(), "&\"Arial\"&10&K000000Strana &P z &N");
  EXPECT_EQ(ws.Footer().Height(), 1.0);
  EXPECT_EQ(&ws.Footer().GetItem(1), &ws.Footer().Center());
  try {
    ws.Footer().GetItem(3);
    FAIL();
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "TExportHeaders.GetItem: index out of bounds.");
  }

  TExportHeader& h = ws.Header().Left();
  h.SetText("A & B");
  h.Font().SetStyle(fsBold | fsItalic).SetSize(12).SetColor(0xFF);
  EXPECT_EQ(h.ExcelFormattedText(), "&\"Arial,Bold Italic\"&12&KFF0000A && B");
  h.Font().SetStyle(fsUnderline | fsStrikeOut).SetColor(0x123456);
  h.Font().Style().SetEscapement(efeSubscript);
  EXPECT_EQ(h.ExcelFormattedText(), "&\"Arial\"&12&S&U&Y&K563412A && B");

  TExportHeader parsed;
  const std::string code = "&\"Times New Roman,Fett Kursiv\"&14&K00FF00&&x [&P/&N] &A &D &T &F&Q";
  parsed.SetExcelFormattedText(code);
  EXPECT_EQ(parsed.Text(), "&x [[PAGENUMBER]/[PAGECOUNT]] [SHEETNAME] [DATE] [TIME] [FILENAME]&Q");
  EXPECT_EQ(parsed.Font().Name(), "Times New Roman");
  EXPECT_EQ(parsed.Font().Size(), 14);
  EXPECT_EQ(parsed.Font().Color(), 0x00FF00);
  EXPECT_EQ(parsed.Font().Style().Bold(), efsYes);
  EXPECT_EQ(parsed.Font().Style().Italic(), efsYes);
  EXPECT_EQ(parsed.ExcelFormattedText(), code);  // kept until the text is set
  parsed.SetText("new");
  EXPECT_EQ(parsed.ExcelFormattedText(), "&\"Times New Roman,Bold Italic\"&14&K00FF00new");

  TExportHeader flags;
  flags.SetExcelFormattedText("&B&I&E&X&KFF0000x");
  EXPECT_EQ(flags.Font().Style().Underline(), efuDouble);
  EXPECT_EQ(flags.Font().Style().Escapement(), efeSuperscript);
  EXPECT_EQ(flags.Font().Color(), 0x0000FF);
  EXPECT_EQ(flags.Text(), "x");
}

}  // namespace
}  // namespace sheet
