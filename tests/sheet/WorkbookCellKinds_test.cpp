#include <gtest/gtest.h>

#include <string>

#include "sheet/Exceptions.h"
#include "sheet/Workbook.h"
#include "text/RegionalSettings.h"

namespace sheet {
namespace {

class CellKinds : public ::testing::Test {
 protected:
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  TExportRow& row = ws.AddRow();
};

TEST_F(CellKinds, SpanCreatesClearedPlaceholdersAndNextCellLandsBehindThem) {
  TExportCell& a = row.AddCellString("a").SetBGColor(0xE1E1E1).SetBorders(cbOutline, ebThin, 0).SetColSpan(2);
  TExportCell& b = row.AddCellString("b");
  ASSERT_EQ(row.CellCount(), 3);
  EXPECT_EQ(a.ColIndex(), 0);
  EXPECT_EQ(b.ColIndex(), 2);
  const TExportCell& placeholder = row.Cells()[1];
  EXPECT_TRUE(placeholder.IsKind<TExportCellEmpty>());
  EXPECT_EQ(placeholder.BGColor(), clNone);
  EXPECT_EQ(placeholder.VAlignment(), cavAuto);
  EXPECT_EQ(placeholder.Borders_ReadOnly(), TExportCellBorders());
  EXPECT_TRUE(placeholder.Font_ReadOnly().SameAs(wb.StandardFont()));
  EXPECT_EQ(a.RangeWithSpan(), "A1:B1");

  EXPECT_EQ(row.AddCellString("x").SetColSpan(0).ColSpan(), 1);
  EXPECT_EQ(row.Cells().Last().SetColSpan(-3).ColSpan(), 1);
  EXPECT_EQ(row.Cells().Last().SetRowSpan(0).RowSpan(), 1);
  // Growing a span over existing cells adds nothing.
  a.SetColSpan(3);
  EXPECT_EQ(row.CellCount(), 4);
}

TEST_F(CellKinds, SpanSwitchesColumnWidthCalculationOff) {
  TExportCell& c = row.AddCellString("w").SetCalculateColWidth(true);
  EXPECT_TRUE(c.CalculateColWidth());
  c.SetColSpan(2);
  EXPECT_FALSE(c.CalculateColWidth());
  c.SetCalculateColWidth(true);  // ignored while spanning
  EXPECT_FALSE(c.CalculateColWidth());
  TExportCell& rotated = row.AddCellString("r").SetRotation(45);
  rotated.SetCalculateColWidth(true);
  EXPECT_FALSE(rotated.CalculateColWidth());
  TExportCell& wrapped = row.AddCellString("w").SetCalculateColWidth(true).SetWrapText(true);
  EXPECT_FALSE(wrapped.CalculateColWidth());
}

TEST_F(CellKinds, TransformKeepsPositionSpansAndFormatting) {
  row.AddCellString("first");
  TExportCellNumber& n = row.AddCellNumber(12.5, 1);
  n.SetColSpan(2).SetRowSpan(3).SetFontSize(14).SetBGColor(0xFF);
  row.AddCellString("after");
  TExportCell& s = n.Transform(CellClass<TExportCellString>());
  ASSERT_TRUE(s.IsKind<TExportCellString>());
  EXPECT_EQ(&row.Cells()[1], &s);
  EXPECT_EQ(s.ColIndex(), 1);
  EXPECT_EQ(s.ColSpan(), 2);
  EXPECT_EQ(s.RowSpan(), 3);
  EXPECT_EQ(s.Font_ReadOnly().Size(), 14);
  EXPECT_EQ(s.BGColor(), 0xFF);
  EXPECT_EQ(s.Alignment(), cahRight);
  EXPECT_EQ(row.CellCount(), 4);
  EXPECT_EQ(row.Cells()[3].SqlText(), "after");
  EXPECT_EQ(row.Cells()[3].ColIndex(), 3);
  EXPECT_EQ(&s.Transform(CellClass<TExportCellString>()), &s);
  EXPECT_EQ(&s.Transform(nullptr), &s);

  // Between numeric kinds the value comes along.
  TExportCell& p = row.AddCellNumber(0.25).Transform(CellClass<TExportCellPercent>());
  EXPECT_DOUBLE_EQ(static_cast<TExportCellPercent&>(p).Value(), 0.25);
  EXPECT_EQ(p.CellType(), ectPercent);
}

TEST_F(CellKinds, TransformOfACellOutsideARowFails) {
  auto taken = row.Cells().Extract(row.AddCellNumber(1).ColIndex());
  try {
    taken->Transform(CellClass<TExportCellString>());
    FAIL();
  } catch (const EExportException& e) {
    EXPECT_STREQ(e.what(), "TExportCell.Transform: The cell is not a part of a row.");
  }
}

TEST_F(CellKinds, StringTextRules) {
  ws.SetNewCellStringUseSharedStrings(false);
  TExportCellString& s = row.AddCellString("short");
  EXPECT_FALSE(s.UseSharedStrings());
  EXPECT_TRUE(s.ValueAssigned());
  EXPECT_FALSE(s.WrapText());
  s.SetText("two\r\nlines");
  EXPECT_TRUE(s.WrapText());
  s.SetText(std::string(255, 'x'));
  EXPECT_FALSE(s.UseSharedStrings());
  s.SetText(std::string(256, 'x'));
  EXPECT_TRUE(s.UseSharedStrings());
  s.SetUseSharedStrings(false);
  EXPECT_TRUE(s.UseSharedStrings());  // long texts always share
  s.SetText("a");
  s.SetUseSharedStrings(false);
  EXPECT_FALSE(s.UseSharedStrings());
  // 300 two-byte characters are 300 characters, not 600.
  TExportCellString& cz = row.AddCellString("");
  std::string text;
  for (int i = 0; i < 200; ++i) text += "\xC5\xBE";  // ž
  cz.SetText(text);
  EXPECT_FALSE(cz.UseSharedStrings());
  s.SetRichText({{"A ", std::nullopt}, {"B", TExportFont::Create("Arial", 12, fsBold, 0)}});
  EXPECT_EQ(s.Text(), "A B");
  EXPECT_EQ(s.RichTextTags().size(), 2u);
  s.SetText("plain");
  EXPECT_TRUE(s.RichTextTags().empty());
}

TEST_F(CellKinds, EmptyCellTurnsIntoAStringWhenGivenText) {
  row.AddCellEmpty();
  row.Cells()[0].SetSqlText("");
  EXPECT_TRUE(row.Cells()[0].IsKind<TExportCellEmpty>());
  row.Cells()[0].SetSqlText("now text");
  ASSERT_TRUE(row.Cells()[0].IsKind<TExportCellString>());
  EXPECT_EQ(row.Cells()[0].SqlText(), "now text");
}

TEST_F(CellKinds, NumberFieldsAndPlainText) {
  TExportCellNumber& n = row.AddCellNumber(0);
  EXPECT_TRUE(n.ValueAssigned());
  EXPECT_EQ(n.DecimalPlaces(), 2);
  n.SetIntegerDigits(3).SetDecimalPlaces(-1);
  EXPECT_EQ(n.IntegerDigits(), 1);
  n.SetIntegerDigits(4);
  EXPECT_EQ(n.DecimalPlaces(), 0);

  n.SetValue(0.1 + 0.2);
  EXPECT_EQ(n.SqlText(), "0.3");
  n.SetValue(-1234.5);
  EXPECT_EQ(n.SqlText(), "-1234.5");
  n.SetSqlText("12,75");
  EXPECT_DOUBLE_EQ(n.Value(), 12.75);
  n.SetSqlText("abc");
  EXPECT_DOUBLE_EQ(n.Value(), 0);

  EXPECT_EQ(row.AddCellNumber(1, 2).ExcelNumberFormatForWriter(), "0.00;\\-0.00");
  EXPECT_EQ(row.AddCellNumber(1, 0).ExcelNumberFormatForWriter(), "0;\\-0");
  TExportCellNumber& t = row.AddCellNumber(1, 2);
  t.SetThousandSep(true).SetNegativeRed(true);
  EXPECT_EQ(t.ExcelNumberFormatForWriter(), "#,##0.00;[Red]\\-#,##0.00");
  EXPECT_EQ(row.AddCellNumber(1, -1).ExcelNumberFormatForWriter(), "");
  TExportCell& explicitFormat = row.AddCellNumber(1).SetExcelNumberFormat("0.000");
  EXPECT_EQ(explicitFormat.ExcelNumberFormatForWriter(), "0.000");
}

TEST_F(CellKinds, DateCellsTakeTheirFormatAndKind) {
  TExportCellDate& d = row.AddCellDate(43000);
  EXPECT_EQ(d.ExcelNumberFormat(), "%sysdate%");
  EXPECT_EQ(d.CellType(), ectDate);
  EXPECT_EQ(d.SqlText(), "2017-09-22");
  EXPECT_EQ(d.Alignment(), cahCenter);
  TExportCellDateTime& dt = row.AddCellDateTime(43000.5);
  EXPECT_EQ(dt.ExcelNumberFormat(), "%sysdatetime%");
  EXPECT_EQ(dt.CellType(), ectDateTime);
  EXPECT_EQ(dt.SqlText(), "2017-09-22 12:00:00");
  EXPECT_EQ(row.AddCellDateTimeWS(1).ExcelNumberFormat(), "%sysdatetimews%");
  TExportCellTime& t = row.AddCellTime(0.75);
  EXPECT_EQ(t.CellType(), ectTime);
  EXPECT_EQ(t.SqlText(), "18:00:00");
  EXPECT_EQ(row.AddCellTimeWS(0.5).ExcelNumberFormat(), "%systimews%");

  ws.SetNewCellDateFormat("d.m.yyyy").SetNewCellTimeFormat("hh:mm:ss");
  EXPECT_EQ(row.AddCellDateTime(1).ExcelNumberFormat(), "d.m.yyyy hh:mm:ss");
  EXPECT_EQ(row.AddCellDateTimeWS(1).ExcelNumberFormat(), "d.m.yyyy hh:mm");
  EXPECT_EQ(row.AddCellTimeWS(1).ExcelNumberFormat(), "hh:mm");
  TExportCellDate& custom = row.AddCellDate(1);
  EXPECT_EQ(custom.ExcelNumberFormat(), "d.m.yyyy");
  EXPECT_EQ(custom.CellType(), ectDate);

  TExportCellDateTime& parsed = row.AddCellDateTime(0);
  parsed.SetSqlText("2017-09-22 06:00:00");
  EXPECT_DOUBLE_EQ(parsed.Value(), 43000.25);
}

TEST_F(CellKinds, FormulasAndNames) {
  TExportCell& c = row.AddCellFormulaNumber("A1*2");
  EXPECT_EQ(c.Formula(), "=A1*2");
  EXPECT_TRUE(c.ValueAssigned());
  c.SetFormula("=B2");
  EXPECT_EQ(c.Formula(), "=B2");
  c.SetFormulaSum(0, 0, 5, 0);
  EXPECT_EQ(c.Formula(), "=SUM(A1:F1)");
  c.SetFormulaSumSpan(1, 2, 1, 3);
  EXPECT_EQ(c.Formula(), "=SUM(B3:B5)");
  c.SetName("Total");
  EXPECT_EQ(c.Name(), "Total");
  c.SetName("Sum");
  EXPECT_EQ(c.Name(), "Sum");
  EXPECT_EQ(wb.NamedCells().Count(), 1);
}

TEST_F(CellKinds, NumberFormatAndTransformKeepsTheValue) {
  TExportCellString& s = row.AddCellString("1234,5");
  TExportCell& n = s.SetExcelNumberFormatAndTransform("#,##0.00");
  ASSERT_TRUE(n.IsKind<TExportCellNumber>());
  const auto& num = static_cast<TExportCellNumber&>(n);
  EXPECT_DOUBLE_EQ(num.Value(), 1234.5);
  EXPECT_EQ(num.DecimalPlaces(), 2);
  EXPECT_TRUE(num.ThousandSep());
  TExportCell& p = n.SetExcelNumberFormatAndTransform("0.0%");
  ASSERT_TRUE(p.IsKind<TExportCellPercent>());
  EXPECT_DOUBLE_EQ(static_cast<TExportCellPercent&>(p).Value(), 1234.5);
  EXPECT_EQ(static_cast<TExportCellPercent&>(p).DecimalPlaces(), 1);
}

TEST_F(CellKinds, FormattedTextUsesTheGivenRegion) {
  const text::TRegionalSettings cz = text::TRegionalSettings::Czech();
  EXPECT_EQ(row.AddCellNumber(1234.5, 2).FormattedText(&cz), "1234,50");
  EXPECT_EQ(row.AddCellString("t").FormattedText(&cz), "t");
  TExportCellNumber& zero = row.AddCellNumber(0, 2);
  zero.SetEmptyIfZero(true);
  EXPECT_EQ(zero.FormattedText(&cz), "");
  EXPECT_EQ(row.AddCellBoolean(true).FormattedText(&cz), "True");
}

}  // namespace
}  // namespace sheet
