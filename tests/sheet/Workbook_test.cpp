#include "sheet/Workbook.h"

#include <gtest/gtest.h>

#include "sheet/Exceptions.h"

namespace sheet {
namespace {

TEST(WorkbookSheets, DefaultTitlesPositionsAndActiveSheet) {
  TExportWorkbook wb;
  EXPECT_EQ(wb.WorkSheets().Count(), 0);
  EXPECT_EQ(wb.StandardFont().FootPrint(), "10;2;5;2;3;2;0;Arial");

  TExportWorkSheet& first = wb.AddWorkSheet();
  TExportWorkSheet& second = wb.AddWorkSheet();
  EXPECT_EQ(first.Title(), "Worksheet 1");
  EXPECT_EQ(second.Title(), "Worksheet 2");
  EXPECT_EQ(&wb.ActiveWorkSheet(), &second);
  EXPECT_EQ(second.ExportObject(), &wb);

  TExportWorkSheet& third = wb.AddWorkSheet("", 5);  // clamped: appended
  EXPECT_EQ(third.Title(), "Worksheet 3");
  EXPECT_EQ(third.Index(), 2);
  EXPECT_TRUE(wb.TitlesValid());

  TExportWorkSheet& front = wb.AddWorkSheet("", 0);
  EXPECT_EQ(front.Title(), "Worksheet 1");
  EXPECT_EQ(first.Index(), 1);
  EXPECT_EQ(first.Title(), "Worksheet 1");  // titles do not follow positions
  EXPECT_FALSE(wb.TitlesValid());
  try {
    wb.CheckTitles();
    FAIL();
  } catch (const EExportException& e) {
    EXPECT_STREQ(e.what(), "There are invalid title names in your export (e.g. duplicates or empty titles).");
  }
  front.SetTitle("Front");
  EXPECT_NO_THROW(wb.CheckTitles());

  EXPECT_EQ(&wb.WorkSheets().GetWS(0), &front);
  EXPECT_THROW(wb.WorkSheets().GetWS(4), std::out_of_range);
  EXPECT_EQ(wb.WorkSheets().Find("Front"), &front);
  EXPECT_EQ(wb.WorkSheets().Find("front"), nullptr);
}

TEST(WorkbookSheets, TitleRulesAndCaseInsensitiveDuplicates) {
  TExportWorkbook wb;
  TExportWorkSheet& a = wb.AddWorkSheet("a/b:c");
  EXPECT_EQ(a.Title(), "a-b-c");
  a.SetTitle("x\\y*z?\"w[]<>|");
  EXPECT_EQ(a.Title(), "x-y-z--w-----");
  wb.AddWorkSheet("Data");
  wb.AddWorkSheet("data");
  EXPECT_FALSE(wb.TitlesValid());
  // An empty title, or one of nothing but apostrophes, is the default title.
  wb.WorkSheets().Last().SetTitle("");
  EXPECT_EQ(wb.WorkSheets().Last().Title(), "Worksheet 3");
  wb.WorkSheets().Last().SetTitle("''");
  EXPECT_EQ(wb.WorkSheets().Last().Title(), "Worksheet 3");
  EXPECT_TRUE(wb.TitlesValid());
}

TEST(WorkbookSheets, TitlesEveryProgramAccepts) {
  TExportWorkbook wb;
  TExportWorkSheet& sheet = wb.AddWorkSheet("Nabídka [2026]");
  EXPECT_EQ(sheet.Title(), "Nabídka -2026-");
  sheet.SetTitle("'Jan's offer'");
  EXPECT_EQ(sheet.Title(), "Jan's offer");  // only the ends lose their apostrophes
  // Cut to 31 UTF-16 units (not bytes), and an apostrophe the cut leaves at the end goes too.
  sheet.SetTitle(std::string(30, 'x') + "'yz");
  EXPECT_EQ(sheet.Title(), std::string(30, 'x'));
  sheet.SetTitle("Kuchyňská linka - nabídka pro Novákovi");
  EXPECT_EQ(sheet.Title(), "Kuchyňská linka - nabídka pro N");
  // Two long titles that agree in their first 31 characters collide.
  wb.AddWorkSheet("Kuchyňská linka - nabídka pro Nováka");
  EXPECT_FALSE(wb.TitlesValid());
}

TEST(WorkbookSheets, ActiveAndOpenSheetDefaultsAndReset) {
  TExportWorkbook wb;
  TExportWorkSheet& created = wb.ActiveWorkSheet();  // creates the first sheet
  EXPECT_EQ(wb.WorkSheets().Count(), 1);
  EXPECT_EQ(&wb.OpenWorkSheet(), &created);
  TExportWorkSheet& other = wb.AddWorkSheet("Other");
  EXPECT_EQ(&wb.ActiveWorkSheet(), &other);
  EXPECT_EQ(&wb.OpenWorkSheet(), &created);

  TExportWorkbook foreign;
  wb.SetActiveWorkSheet(&foreign.AddWorkSheet());  // ignored
  EXPECT_EQ(&wb.ActiveWorkSheet(), &other);

  // The same sheet active and open: deleting it clears both references.
  wb.SetActiveWorkSheet(&created);
  wb.WorkSheets().Delete(0);
  EXPECT_EQ(&wb.ActiveWorkSheet(), &other);
  EXPECT_EQ(&wb.OpenWorkSheet(), &other);
}

TEST(WorkbookRows, AddRowGetERAndFind) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  EXPECT_EQ(ws.AddRow().RowIndex(), 0);
  TExportWorkSheet& empty = wb.AddWorkSheet();
  TExportRow& row4 = empty.Rows().GetER(4);
  EXPECT_EQ(empty.Rows().Count(), 5);
  EXPECT_EQ(row4.RowIndex(), 4);
  EXPECT_EQ(row4.WorkSheet(), &empty);
  EXPECT_THROW(empty.Rows().GetER(-1), std::out_of_range);

  TExportRow& inserted = empty.AddRow(2);
  EXPECT_EQ(inserted.RowIndex(), 2);
  EXPECT_EQ(row4.RowIndex(), 5);
  EXPECT_EQ(empty.AddRows(0), nullptr);
  EXPECT_EQ(empty.AddRows(3)->RowIndex(), 8);

  TExportRow* found = nullptr;
  EXPECT_TRUE(empty.FindRow(8, found));
  EXPECT_FALSE(empty.FindRow(9, found));
  EXPECT_EQ(found, nullptr);
}

TEST(WorkbookCells, FindCreateCellFillsGapsAndTransforms) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  TExportRow& row = ws.AddRow();
  row.AddCellString("x");
  TExportCell& c3 = row.FindCreateCell(3, CellClass<TExportCellNumber>());
  EXPECT_EQ(row.CellCount(), 4);
  EXPECT_TRUE(row.Cells()[1].IsKind<TExportCellEmpty>());
  EXPECT_TRUE(row.Cells()[2].IsKind<TExportCellEmpty>());
  EXPECT_TRUE(c3.IsKind<TExportCellNumber>());
  EXPECT_EQ(c3.ColIndex(), 3);

  // Existing cell: returned as is, or turned into the kind.
  EXPECT_EQ(&row.FindCreateCell(3, CellClass<TExportCellString>()), &c3);
  TExportCellString& s = row.FindCreateCellAs<TExportCellString>(1);
  EXPECT_EQ(s.ColIndex(), 1);
  EXPECT_EQ(row.CellCount(), 4);

  TExportCell& byName = *ws.FindCreateCell("c5", CellClass<TExportCellString>());
  EXPECT_EQ(byName.ColIndex(), 2);
  EXPECT_EQ(byName.RowIndex(), 4);
  EXPECT_EQ(byName.RangeNoSpan(), "C5");
  EXPECT_EQ(ws.FindCreateCell("5C"), nullptr);
  TExportCell* found = nullptr;
  EXPECT_TRUE(ws.FindCell("$C$5", found));
  EXPECT_EQ(found, &byName);
  EXPECT_FALSE(ws.FindCell("D5", found));

  try {
    ws.FindCreateCell(-1, 0);
    FAIL();
  } catch (const EExportException& e) {
    EXPECT_STREQ(e.what(), "TExportWorkSheet.FindCreateCell: invalid parameters");
  }
  try {
    row.FindCreateCell(-1);
    FAIL();
  } catch (const EExportException& e) {
    EXPECT_STREQ(e.what(), "TExportRow.FindCreateCell: invalid parameters");
  }
  EXPECT_EQ(ws.GetCellSqlText(0, 0), "x");
  EXPECT_EQ(ws.GetCellSqlText(7, 7), "");
}

TEST(WorkbookCells, ColumnIndexesAfterInsertAndDeleteInTheMiddle) {
  TExportWorkbook wb;
  TExportRow& row = wb.AddWorkSheet().AddRow();
  for (int i = 0; i < 5; ++i) row.AddCellNumber(i, 0);
  TExportCell& last = row.Cells().Last();
  row.Cells().Delete(1);
  EXPECT_EQ(last.ColIndex(), 3);
  row.Cells()[0].Transform(CellClass<TExportCellString>());
  EXPECT_EQ(last.ColIndex(), 3);
  for (int i = 0; i < row.CellCount(); ++i) EXPECT_EQ(row.Cells()[i].ColIndex(), i);
}

TEST(WorkbookCells, UsedSizeOfTheSheet) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  EXPECT_EQ(ws.GetRealColCount(true), 0);
  EXPECT_EQ(ws.GetRealRowCount(true), 0);
  TExportRow& r0 = ws.AddRow();
  r0.AddCellString("a");
  r0.AddCellString("b").SetColSpan(3);
  // Removing the trailing placeholders leaves the span visible only in the whole view.
  r0.Cells().Delete(3);
  r0.Cells().Delete(2);
  EXPECT_EQ(ws.GetRealColCount(false), 2);
  EXPECT_EQ(ws.GetRealColCount(true), 4);
  ws.FindCreateCol(6);
  EXPECT_EQ(ws.GetRealColCount(true), 7);
  ws.PageSettings().ColsToRepeat().SetColRange(0, 9);
  EXPECT_EQ(ws.GetRealColCount(true), 9);

  ws.AddRow().AddCellString("tall").SetRowSpan(4);
  EXPECT_EQ(ws.GetRealRowCount(false), 2);
  EXPECT_EQ(ws.GetRealRowCount(true), 5);
  ws.PageSettings().RowsToRepeat().SetRowRange(0, 8);
  EXPECT_EQ(ws.GetRealRowCount(true), 8);
}

TEST(WorkbookCells, DeleteEmptyCellsAndRowsFromEnd) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  TExportRow& r0 = ws.AddRow();
  r0.AddCellString("keep").SetColSpan(3);
  r0.AddCellString("");
  r0.AddCellNumber(0).SetValueAssigned(false);
  r0.AddCellEmpty();
  ASSERT_EQ(r0.CellCount(), 6);
  TExportRow& r1 = ws.AddRow();
  r1.AddCellString("");
  ws.AddRow();
  ws.DeleteEmptyCellsAndRowsFromEnd();
  EXPECT_EQ(ws.Rows().Count(), 1);
  EXPECT_EQ(r0.CellCount(), 3);  // the placeholders of the spanning cell are restored
  EXPECT_EQ(r0.Cells()[0].ColSpan(), 3);
}

TEST(WorkbookCells, AddCellVariantPicksTheKind) {
  TExportWorkbook wb;
  TExportRow& row = wb.AddWorkSheet().AddRow();
  EXPECT_TRUE(row.AddCellVariant(TVariantDate{0.25}).IsKind<TExportCellTime>());
  EXPECT_TRUE(row.AddCellVariant(TVariantDate{43000.0}).IsKind<TExportCellDate>());
  EXPECT_TRUE(row.AddCellVariant(TVariantDate{43000.5}).IsKind<TExportCellDateTime>());
  auto& i = static_cast<TExportCellNumber&>(row.AddCellVariant(std::int32_t{7}));
  EXPECT_EQ(i.DecimalPlaces(), 0);
  auto& d = static_cast<TExportCellNumber&>(row.AddCellVariant(1.5));
  EXPECT_EQ(d.DecimalPlaces(), 2);
  auto& cur = static_cast<TExportCellCurrency&>(row.AddCellVariant(TVariantCurrency{3}));
  EXPECT_EQ(cur.CurrencyStr(), "");
  EXPECT_EQ(cur.DecimalPlaces(), 2);
  EXPECT_TRUE(row.AddCellVariant(std::string("t")).IsKind<TExportCellString>());
  EXPECT_TRUE(row.AddCellVariant(true).IsKind<TExportCellBoolean>());
  EXPECT_TRUE(row.AddCellVariant(TExportVariant{}).IsKind<TExportCellEmpty>());
}

}  // namespace
}  // namespace sheet
