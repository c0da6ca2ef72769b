#include <gtest/gtest.h>

#include <chrono>

#include "sheet/FormatRegistry.h"
#include "sheet/Sizes.h"
#include "sheet/Workbook.h"

namespace sheet {
namespace {

// Every character is 6 pixels wide at any size; a line is the size in pixels.
class TFixedMeasure : public TTextMeasure {
 public:
  double TextWidth(const TMeasuredFont& font, std::string_view text) override {
    (void)font;
    return 6.0 * static_cast<double>(text.size());
  }
  double LineHeight(const TMeasuredFont& font) override { return font.fSize; }
};

class TTestExporter : public TCustomExporter {
 public:
  TTestExporter() : TCustomExporter("test", "Test", {"tst"}) {}
  std::unique_ptr<TCustomExporter> CreateNew() const override { return std::make_unique<TTestExporter>(); }
  double CellPadding() const override { return 7; }
  double RunSpacing() const override { return 2; }
  double GetMultiLineRowHeight(const TExportCell& cell, double width) const override {
    return MultiLineCellHeight(cell, width, DefaultTextMeasure());
  }
};

TEST(WorkbookSizes, RowHeightFromFont) {
  EXPECT_EQ(GetRowHeightFromFont(TExportFont::Create("Arial", 10, 0, 0)), 17);
  EXPECT_EQ(GetRowHeightFromFont(TExportFont::Create("Arial", 8, 0, 0)), 15);
  EXPECT_EQ(GetRowHeightFromFont(TExportFont::Create("No Such Font", 10, 0, 0)), 17);
  EXPECT_EQ(GetRowHeightFromFont(TExportFont::Create("Arial", 71, 0, 0)), 124);
  TExportFont sub = TExportFont::Create("No Such Font", 10, 0, 0);
  sub.Style().SetEscapement(efeSubscript);
  EXPECT_EQ(GetRowHeightFromFont(sub), 21);

  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  EXPECT_EQ(SheetDefaultColWidth(ws), 80);
  ws.Cols().SetDefaultWidth(64);
  EXPECT_EQ(SheetDefaultColWidth(ws), 64);
  bool fromFont = false;
  EXPECT_EQ(SheetDefaultRowHeight(ws, true, &fromFont), 17);
  EXPECT_TRUE(fromFont);
  ws.Rows().SetDefaultHeight(30);
  EXPECT_EQ(SheetDefaultRowHeight(ws, true, &fromFont), 30);
  EXPECT_FALSE(fromFont);
  EXPECT_EQ(SheetDefaultRowHeight(ws, false), 17);
}

TEST(WorkbookSizes, ColumnWidthsAndRowHeights) {
  TScopedTextMeasure scoped(std::make_shared<TFixedMeasure>());
  TTestExporter exporter;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  ws.FindCreateCol(0).SetWidth(150);
  TExportRow& r0 = ws.AddRow();
  r0.AddCellString("twelve chars").SetCalculateColWidth(true);      // col 0: 72 + 7
  r0.AddCellString("spanning").SetColSpan(2);                      // cols 1-2, skipped
  r0.AddCellString(std::string(500, 'x')).SetCalculateColWidth(true);  // col 3: clamped
  TExportRow& r1 = ws.AddRow();
  r1.SetHeight(40);
  TExportRow& r2 = ws.AddRow();
  r2.AddCellString("big").SetFontSize(20);
  TExportRow& r3 = ws.AddRow();
  r3.SetCalculateRowHeight(erhMultiLine);
  r3.AddCellString("aaaa bbbb cccc dddd").SetWrapText(true);

  std::vector<double> cols, rows;
  ws.CalculateColWidthsRowHeights(exporter, cols, rows);
  ASSERT_EQ(cols.size(), 4u);
  EXPECT_EQ(cols[0], 79);
  EXPECT_EQ(cols[1], -1);
  EXPECT_EQ(cols[2], -1);
  EXPECT_EQ(cols[3], 2301);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], 17);
  EXPECT_EQ(rows[1], 40);
  EXPECT_EQ(rows[2], 35);  // Arial 20
  EXPECT_EQ(rows[3], 34);  // 114 pixels wrap into two lines in 79 - 8: round(2 x 17)
  std::vector<double> only;
  ws.CalculateColWidthsRowHeights(exporter, cols, only, 2);
  EXPECT_EQ(only[0], -1);
  EXPECT_EQ(only[2], 35);
}

TEST(WorkbookSizes, PositionsAndCells) {
  const std::vector<double> cols = {100, -1, 50};
  const std::vector<double> rows = {20, 20};
  const TExportCellPosition p = PositionToCell(185, 45, cols, rows, 80, 17);
  EXPECT_EQ(p, (TExportCellPosition{2, 2, 5, 5}));
  double x = 0, y = 0;
  CellToPosition(p, cols, rows, 80, 17, x, y);
  EXPECT_EQ(x, 185);
  EXPECT_EQ(y, 45);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRows = 20000;  // instrumented builds are an order of magnitude slower
#else
constexpr int kRows = 100000;
#endif

TEST(WorkbookPerformance, HundredThousandRowsOfSixCells) {
  const auto start = std::chrono::steady_clock::now();
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  ws.GetNewCellBorders().SetBorders(cbOutline, ebThin, 0);
  for (int r = 0; r < kRows; ++r) {
    TExportRow& row = ws.AddRow();
    row.AddCellString("Item " + std::to_string(r)).SetFontStyle(r % 2 ? fsBold : 0);
    row.AddCellString("Description").SetColSpan(2);
    row.AddCellNumber(r, 0);
    row.AddCellNumber(r * 1.5, 2).SetBGColor(0xE1E1E1);
    row.AddCellNumber(r * 3.0, 2);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(ws.Rows().Count(), kRows);
  EXPECT_EQ(ws.GetRealColCount(true), 6);
  EXPECT_EQ(ws.Rows().Last().Cells().Last().ColIndex(), 5);
  EXPECT_EQ(wb.Fonts().Count(), 2);
  EXPECT_EQ(wb.BordersList().Count(), 2);
  // Generous: the point is that nothing is quadratic (sanitizer builds are slow).
  EXPECT_LT(seconds, 10.0);
  RecordProperty("seconds", std::to_string(seconds));
}

}  // namespace
}  // namespace sheet
