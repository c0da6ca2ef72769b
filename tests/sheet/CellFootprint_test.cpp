#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "sheet/Workbook.h"

// Cells are kept small (rare data in a side table, formats interned, the style
// embedded and packed): these tests pin the sizes and check that the rare data
// still behaves as plain fields would.
namespace sheet {
namespace {

class CellFootprint : public ::testing::Test {
 protected:
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  TExportRow& row = ws.AddRow();
};

TEST_F(CellFootprint, OrdinaryCellsStaySmall) {
  if (sizeof(void*) != 8) GTEST_SKIP() << "sizes are pinned for 64-bit builds";
  EXPECT_LE(sizeof(TExportCellStyle), 32u);
  EXPECT_LE(sizeof(TExportCellNumber), 48u);
  EXPECT_LE(sizeof(TExportCellString), 72u);
  EXPECT_LE(sizeof(TExportRow), 104u);
}

TEST_F(CellFootprint, AlikeCellsShareOneStyleAndChangeIndependently) {
  TExportCellNumber& a = row.AddCellNumber(1);
  TExportCellNumber& b = row.AddCellNumber(2);
  EXPECT_EQ(&std::as_const(a).Style(), &std::as_const(b).Style());
  const int size = b.Font_ReadOnly().Size();
  ASSERT_NE(size, 14);

  // Changes go to the changed cell only, through its setters or its style.
  a.SetBGColor(0x123456);
  TExportCellStyle& own = a.Style();
  own.SetFontSize(14);
  own.Borders().GetI(cbLeft).SetStyle(ebThin);
  EXPECT_EQ(a.BGColor(), 0x123456);
  EXPECT_EQ(a.Font_ReadOnly().Size(), 14);
  EXPECT_EQ(b.BGColor(), clNone);
  EXPECT_EQ(b.Font_ReadOnly().Size(), size);
  EXPECT_EQ(b.Borders_ReadOnly().GetI(cbLeft).Style(), ebAuto);

  // Packing keeps the values and shares them with cells changed alike.
  TExportCellNumber& c = ws.AddRow().AddCellNumber(3);
  c.SetBGColor(0x123456).SetFontSize(14).SetBorder(cbLeft, ebThin);
  row.PackStyles();
  ws.Rows()[1].PackStyles();
  EXPECT_EQ(&std::as_const(a).Style(), &std::as_const(c).Style());
  EXPECT_NE(&std::as_const(a).Style(), &std::as_const(b).Style());
  EXPECT_EQ(a.Font_ReadOnly().Size(), 14);
  EXPECT_EQ(a.Borders_ReadOnly().GetI(cbLeft).Style(), ebThin);
  EXPECT_EQ(a.StyleFootPrint(), c.StyleFootPrint());

  // A kind change and a copy keep the style; freeing cells with private styles
  // releases them (the sanitizer build checks).
  TExportCell& text = b.Transform(CellClass<TExportCellString>());
  text.Assign(a);
  EXPECT_EQ(text.BGColor(), 0x123456);
  text.SetIndent(2);
  row.Cells().Delete(text.ColIndex());
  EXPECT_EQ(a.Indent(), 0);
}

TEST_F(CellFootprint, CellsChangedRowByRowAfterTheRowsExistEndUpSharing) {
  // Readers create the rows first and then format cell after cell.
  row.AddCellNumber(9);
  for (int r = 0; r < 3; ++r) ws.AddRow().AddCellNumber(r);
  for (int r = 1; r <= 3; ++r) ws.Rows()[r].Cells()[0].Style().SetBGColor(0x00FF00);
  ws.Rows()[0].Cells()[0].SetIndent(1);  // moving on packs the last edited row
  const TExportCell& first = ws.Rows()[1].Cells()[0];
  for (int r = 2; r <= 3; ++r) {
    EXPECT_EQ(&std::as_const(ws.Rows()[r].Cells()[0]).Style(), &first.Style()) << r;
    EXPECT_EQ(ws.Rows()[r].Cells()[0].BGColor(), 0x00FF00);
  }
  EXPECT_EQ(ws.Rows()[0].Cells()[0].Indent(), 1);
  EXPECT_EQ(ws.Rows()[0].Cells()[0].BGColor(), clNone);
}

TEST_F(CellFootprint, RareFieldsReadAsEmptyUntilSetAndAreCopied) {
  TExportCellString& plain = row.AddCellString("a");
  EXPECT_EQ(plain.Formula(), "");
  EXPECT_FALSE(plain.FormulaAssigned());
  EXPECT_EQ(plain.Comment(), "");
  EXPECT_EQ(plain.HyperLink(), "");
  EXPECT_TRUE(plain.RichTextTags().empty());
  EXPECT_EQ(plain.ColSpan(), 1);
  EXPECT_EQ(plain.RowSpan(), 1);
  EXPECT_TRUE(plain.NothingAttached());

  TExportCellString& rich = row.AddCellString("b");
  rich.SetFormula("A1").SetComment("note").SetRowSpan(3);
  rich.SetHyperLink("https://example.org", "hint");
  EXPECT_EQ(rich.Formula(), "=A1");
  EXPECT_EQ(rich.Comment(), "note");
  EXPECT_EQ(rich.RowSpan(), 3);
  EXPECT_EQ(rich.HyperLinkHint(), "hint");
  EXPECT_FALSE(rich.NothingAttached());

  // Assign copies the rare fields both ways: onto a plain cell and over a rich one.
  TExportCellString& copy = row.AddCellString("c");
  copy.Assign(rich);
  EXPECT_EQ(copy.Formula(), "=A1");
  EXPECT_EQ(copy.Comment(), "note");
  EXPECT_EQ(copy.RowSpan(), 3);
  EXPECT_EQ(copy.HyperLink(), "https://example.org");
  copy.Assign(plain);
  EXPECT_EQ(copy.Formula(), "");
  EXPECT_EQ(copy.Comment(), "");
  EXPECT_EQ(copy.RowSpan(), 1);
  EXPECT_EQ(copy.HyperLink(), "");

  // A kind change keeps them.
  TExportCell& number = rich.Transform(CellClass<TExportCellNumber>());
  EXPECT_EQ(number.Formula(), "=A1");
  EXPECT_EQ(number.Comment(), "note");
  EXPECT_EQ(number.RowSpan(), 3);
}

TEST_F(CellFootprint, AFreedCellLeavesNothingToTheNextCell) {
  // Freed cells' storage is reused: the next cell must not see the old extras.
  for (int i = 0; i < 50; ++i) {
    row.AddCellString("x").SetComment("old").SetFormula("B2");
    row.Cells().Delete(row.CellCount() - 1);
    TExportCell& fresh = row.AddCellNumber(1);
    EXPECT_EQ(fresh.Comment(), "");
    EXPECT_EQ(fresh.Formula(), "");
    row.Cells().Delete(row.CellCount() - 1);
  }
}

TEST_F(CellFootprint, NumberFormatsAreSharedTextsThatCellsChangeIndependently) {
  TExportCell& a = row.AddCellNumber(1).SetExcelNumberFormat("0.000");
  TExportCell& b = row.AddCellNumber(2).SetExcelNumberFormat("0.000");
  EXPECT_EQ(&a.ExcelNumberFormat(), &b.ExcelNumberFormat());
  b.SetExcelNumberFormat("0%");
  EXPECT_EQ(a.ExcelNumberFormat(), "0.000");
  EXPECT_EQ(b.ExcelNumberFormat(), "0%");
  b.SetExcelNumberFormat("");
  EXPECT_EQ(b.ExcelNumberFormat(), "");
  row.SetExcelNumberFormat("@");
  EXPECT_EQ(row.ExcelNumberFormat(), "@");
}

TEST_F(CellFootprint, WorkbooksBuiltOnSeveralThreadsStayApart) {
  // Pools and tables are shared by the process: concurrent builders must not mix.
  auto build = [](int seed, std::string* aResult) {
    TExportWorkbook book;
    TExportWorkSheet& sheet = book.AddWorkSheet();
    for (int r = 0; r < 2000; ++r) {
      TExportRow& line = sheet.AddRow();
      line.AddCellString("t" + std::to_string(seed)).SetComment(std::to_string(r));
      line.AddCellNumber(r).SetExcelNumberFormat("0." + std::string(static_cast<std::size_t>(seed % 4 + 1), '0'));
    }
    std::string result;
    for (int r = 0; r < 2000; r += 499) {
      const TExportRow& line = sheet.Rows()[r];
      result += line.Cells()[0].Comment() + "," + line.Cells()[1].ExcelNumberFormat() + ";";
    }
    *aResult = result;
  };
  std::vector<std::string> results(4);
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) threads.emplace_back(build, i, &results[static_cast<std::size_t>(i)]);
  for (auto& t : threads) t.join();
  EXPECT_EQ(results[0], "0,0.0;499,0.0;998,0.0;1497,0.0;1996,0.0;");
  EXPECT_EQ(results[3], "0,0.0000;499,0.0000;998,0.0000;1497,0.0000;1996,0.0000;");
}

}  // namespace
}  // namespace sheet
